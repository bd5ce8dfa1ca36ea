#include "layersnapshots.h"

#include "hostlayertable.h"

namespace Demo {

LayerTableState LayerSnapshots::take(const HostLayerTable& table)
{
    LayerTableState state;
    const QVector<DkDbObjectId>& ids = table.layerIds();
    for (int slot = 0; slot < ids.size(); ++slot) {
        const bool alive = !table.idOfSlot(slot).isNull();
        state.alive.append(alive);
        state.layers.append(alive ? table.readLayer(ids.at(slot)) : table.drawing().layers.value(slot));
        // A full read follows renames made past the table: its index too.
        table.refile(slot, alive ? state.layers.last().name : QString());
        if (alive && ids.at(slot) == table.database()->clayer())
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
