#include "layersnapshots.h"

#include "hostlayertable.h"

namespace Demo {

LayerTableState LayerSnapshots::take(const HostLayerTable& table)
{
    return take(table, LayerTableState(), 0);
}

LayerTableState LayerSnapshots::take(const HostLayerTable& table, const LayerTableState& earlier,
                                     unsigned long long takenAt)
{
    LayerTableState state;
    const QVector<DkDbObjectId>& ids = table.layerIds();
    state.alive.reserve(ids.size());
    state.layers.reserve(ids.size());
    for (int slot = 0; slot < ids.size(); ++slot) {
        const DkDbObjectId id = table.idOfSlot(slot);
        const DkDbLayerTableRecord* record = id.isNull() ? nullptr : table.database()->peekLayer(id);
        state.alive.append(record != nullptr);
        if (!record)
            state.layers.append(table.drawing().layers.value(slot));
        else if (earlier.isAlive(slot) && record->changeStamp() <= takenAt)
            state.layers.append(earlier.layers.at(slot));
        else
            state.layers.append(table.readLayer(id));
        // A full read follows renames made past the table: its index too.
        table.refile(slot, record ? state.layers.last().name : QString());
        if (record && id == table.database()->clayer())
            state.current = slot;
    }
    return state;
}

void LayerSnapshots::restore(HostLayerTable& table, const LayerTableDelta& delta, bool after)
{
    if (!table.database())
        return;
    const QVector<bool>& alive = after ? delta.aliveAfter : delta.aliveBefore;
    const QVector<DrawingLayer>& layers = after ? delta.after : delta.before;
    const int targetCurrent = after ? delta.currentAfter : delta.currentBefore;
    // The current layer first, so that the layers that go are never current.
    const DkDbObjectId current = table.idOfSlot(targetCurrent);
    if (!current.isNull() && targetCurrent != table.currentSlot()) {
        const int i = delta.changed.indexOf(targetCurrent);
        if (i >= 0 && alive.at(i))
            table.applyLayer(current, layers.at(i));
        table.setCurrent(current);
    }
    for (int i = 0; i < delta.changed.size(); ++i) {
        const DkDbObjectId id = table.idOfSlot(delta.changed.at(i));
        if (!alive.at(i) && !id.isNull())
            table.eraseLayer(id);
    }
    for (int i = 0; i < delta.changed.size(); ++i) {
        const int slot = delta.changed.at(i);
        if (!alive.at(i))
            continue;
        const DkDbObjectId id = table.idOfSlot(slot);
        if (!id.isNull())
            table.applyLayer(id, layers.at(i));
        else
            table.reviveSlot(slot, layers.at(i));
    }
    const DkDbObjectId target = table.idOfSlot(targetCurrent);
    if (!target.isNull())
        table.setCurrent(target);
}

} // namespace Demo
