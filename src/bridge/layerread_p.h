#pragma once

#include "layeritemdata.h"

#include <QVector>

namespace KvCc {

// Reads the current drawing's layers, in table order, over `layers`, which
// hold an earlier read. A record that did not change is left as it is, name
// storage and all, so rereading a big table that barely changed allocates
// almost nothing. Returns the rows written, in order; `layers` ends with as
// many records as the drawing has layers (none when it cannot be read).
QVector<int> readLayersOver(QVector<LayerItemData>& layers);

} // namespace KvCc
