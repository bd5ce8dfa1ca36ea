#include "layersavestate.h"

namespace Demo {

void LayerSaveState::markSaved(int slotCount, const SlotReader& read, const QString& currentLayer)
{
    m_saved.resize(slotCount);
    m_inFile.resize(slotCount);
    for (int slot = 0; slot < slotCount; ++slot)
        m_inFile[slot] = read(slot, m_saved[slot]);
    m_savedCurrent = currentLayer;
}

void LayerSaveState::addUnsaved(const DrawingLayer& layer)
{
    m_saved.append(layer);
    m_inFile.append(false);
}

void LayerSaveState::clear()
{
    m_saved.clear();
    m_inFile.clear();
    m_savedCurrent.clear();
}

QVector<SavedLayer> LayerSaveState::changedLayers(int slotCount, const SlotReader& read) const
{
    QVector<SavedLayer> layers;
    SavedLayer layer;
    for (int slot = 0; slot < slotCount; ++slot) {
        layer.inFile = m_inFile.value(slot);
        layer.erased = !read(slot, layer.now);
        if (layer.inFile && !layer.erased && sameLayer(m_saved.at(slot), layer.now))
            continue;
        layer.saved = m_saved.value(slot);
        if (layer.inFile || !layer.erased)
            layers.append(layer);
    }
    return layers;
}

} // namespace Demo
