#pragma once

#include <QString>
#include <QVariant>

namespace KvCc {

// What the layer widgets say to the user about columns and layer states,
// in the language of the installed translation. The English header labels
// stay in layerTableHeaders(): they name the columns in the settings.
namespace LayerTexts {

// The header label of a layer table column.
QString headerLabel(int column);

// Whether the column is one of the state columns these texts speak of.
bool isStateColumn(int column);
// The state a cell shows: "On", "Frozen", "Locked"...; cellTrue in the
// table's sense (true means on, thawed, unlocked, plotted).
QString stateWord(int column, bool cellTrue);
// The state named with its layer: "A-WALL: on".
QString namedState(int column, bool cellTrue, const QString& layer);
// What a click on the cell does: "Freeze A-WALL"; empty for cells a click
// does not change.
QString stateAction(int column, bool cellTrue, const QString& layer);

// The accessible text, accessible description and tool tip of a state cell
// (role Qt::AccessibleTextRole, Qt::AccessibleDescriptionRole or
// Qt::ToolTipRole), and the whole name as the name cell's tool tip; an
// invalid variant for any other cell or role.
QVariant stateCellData(int column, const QVariant& cell, const QString& layer, int role);

} // namespace LayerTexts

} // namespace KvCc
