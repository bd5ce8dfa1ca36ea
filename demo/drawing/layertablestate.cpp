#include "layertablestate.h"

#include <algorithm>

namespace Demo {

bool sameLayer(const DrawingLayer& a, const DrawingLayer& b)
{
    return a.name == b.name && a.on == b.on && a.frozen == b.frozen && a.locked == b.locked
           && a.plottable == b.plottable && a.frozenInNewViewports == b.frozenInNewViewports
           && a.color.rgb() == b.color.rgb() && a.colorIndex == b.colorIndex && a.linetype == b.linetype
           && a.lineWeight == b.lineWeight && a.description == b.description;
}

bool LayerTableState::operator==(const LayerTableState& other) const
{
    return current == other.current && changedSlots(other).isEmpty();
}

QVector<int> LayerTableState::changedSlots(const LayerTableState& other) const
{
    QVector<int> changed;
    const int count = std::max(layers.size(), other.layers.size());
    for (int s = 0; s < count; ++s) {
        if (isAlive(s) != other.isAlive(s))
            changed.append(s);
        else if (isAlive(s) && !sameLayer(layers.at(s), other.layers.at(s)))
            changed.append(s);
    }
    return changed;
}

LayerTableDelta LayerTableDelta::between(const LayerTableState& from, const LayerTableState& to)
{
    LayerTableDelta delta;
    for (int slot : from.changedSlots(to))
        delta.add(slot, from.isAlive(slot), from.layers.value(slot), to.isAlive(slot), to.layers.value(slot));
    delta.currentBefore = from.current;
    delta.currentAfter = to.current;
    delta.currentName = to.isAlive(to.current) ? to.layers.at(to.current).name : QString();
    return delta;
}

void LayerTableDelta::add(int slot, bool wasAlive, const DrawingLayer& was, bool isAlive, const DrawingLayer& is)
{
    changed.append(slot);
    aliveBefore.append(wasAlive);
    before.append(was);
    aliveAfter.append(isAlive);
    after.append(is);
}

} // namespace Demo
