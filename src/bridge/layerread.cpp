#include "layerread_p.h"

#include "hostrecords_p.h"

namespace KvCc {

QVector<int> readLayersOver(QVector<LayerItemData>& layers)
{
    QVector<int> written;
    int row = 0;
    walkLayers([&](DkDbLayerTableRecord* record) {
        if (row == layers.size())
            layers.append(LayerItemData());
        if (readLayerOver(record, layers[row]))
            written.append(row);
        ++row;
        return false;
    });
    layers.resize(row);
    return written;
}

} // namespace KvCc
