#pragma once

#include <QString>

namespace KvCc {

// Writes to the drawing's layer named layer the state that a flag column of
// the layer table (OnColumn, FreezeColumn, LockColumn or PlotColumn) shows:
// true is on, thawed, unlocked or plottable. True when the drawing took it;
// a refused write, a layer erased meanwhile or another column changes nothing.
bool writeLayerColumnState(const QString& layer, int column, bool state);

} // namespace KvCc
