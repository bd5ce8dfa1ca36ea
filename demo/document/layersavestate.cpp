#include "layersavestate.h"

namespace Demo {

void LayerSaveState::markSaved(int slotCount, const SlotReader& read, const QString& currentLayer,
                               const QVector<DrawingLayer>& likely)
{
    // Shares the likely table and copies it only where a slot differs.
    m_saved = likely;
    if (m_saved.size() != slotCount)
        m_saved.resize(slotCount);
    m_inFile.resize(slotCount);
    for (int slot = 0; slot < slotCount; ++slot) {
        DrawingLayer layer;
        m_inFile[slot] = read(slot, layer);
        if (!sameLayer(m_saved.at(slot), layer))
            m_saved[slot] = layer;
    }
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
