#include "drawinglayerstate.h"

#include "drawingdata.h"

namespace Demo {

bool DrawingLayerStateEntry::operator==(const DrawingLayerStateEntry& o) const
{
    // A layer the file holds is known by its handle alone; its name may change.
    const bool sameLayer = layer == o.layer && (!layer.isEmpty() || layerName == o.layerName);
    return sameLayer && flags == o.flags && colorIndex == o.colorIndex && trueColor == o.trueColor
           && colorBook == o.colorBook && linetype == o.linetype && lineWeight == o.lineWeight && other == o.other;
}

bool DrawingLayerState::operator==(const DrawingLayerState& o) const
{
    return name == o.name && handle == o.handle && description == o.description && mask == o.mask
           && currentLayer == o.currentLayer && other == o.other && layers == o.layers;
}

int DrawingLayerStates::indexOf(const QString& name) const
{
    const QString key = layerKey(name);
    for (int i = 0; i < states.size(); ++i) {
        if (layerKey(states.at(i).name) == key)
            return i;
    }
    return -1;
}

bool DrawingLayerStates::nameTaken(const QString& name) const
{
    if (indexOf(name) >= 0)
        return true;
    const QString key = layerKey(name);
    for (const QString& taken : unreadable) {
        if (layerKey(taken) == key)
            return true;
    }
    return false;
}

} // namespace Demo
