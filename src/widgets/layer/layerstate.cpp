#include "layerstate_p.h"

#include "kvlayerutility.h"
#include "layersnapshotrow.h"

namespace KvCc {

bool writeLayerColumnState(const QString& layer, int column, bool state)
{
    KvLayerUtility bridge;
    switch (column) {
    case OnColumn:
        return bridge.setLayerOff(layer, state);
    case FreezeColumn:
        return bridge.setLayerFrozen(layer, !state);
    case LockColumn:
        return bridge.setLayerLock(layer, !state);
    case PlotColumn:
        return bridge.setLayerPlot(layer, state);
    default:
        return false;
    }
}

} // namespace KvCc
