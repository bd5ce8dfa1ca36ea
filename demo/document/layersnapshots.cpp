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
        if (alive && ids.at(slot) == table.database()->clayer())
            state.current = slot;
    }
    return state;
}

void LayerSnapshots::restore(HostLayerTable& table, const LayerTableState& state)
{
    DkDbDatabase* db = table.database();
    if (!db)
        return;
    const LayerTableState now = take(table);
    const QVector<int> changed = now.changedSlots(state);
    // The current layer first, so that the layers that go are never current.
    const DkDbObjectId current = table.idOfSlot(state.current);
    if (!current.isNull() && state.current != now.current) {
        table.applyLayer(current, state.layers.at(state.current));
        db->setClayer(current);
    }
    for (int slot : changed) {
        if (!state.isAlive(slot) && now.isAlive(slot))
            db->eraseLayer(table.layerIds().at(slot));
    }
    for (int slot : changed) {
        if (!state.isAlive(slot))
            continue;
        if (now.isAlive(slot))
            table.applyLayer(table.layerIds().at(slot), state.layers.at(slot));
        else
            table.reviveSlot(slot, state.layers.at(slot));
    }
    const DkDbObjectId target = table.idOfSlot(state.current);
    if (!target.isNull())
        db->setClayer(target);
}

} // namespace Demo
