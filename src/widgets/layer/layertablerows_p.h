#pragma once

#include <QStringList>

namespace KvCc {

// The fields a new row of the layer table takes while no layer has been
// loaded to copy them from.
QStringList defaultLayerRow();

} // namespace KvCc
