#include "layersavestate.h"

namespace Demo {

void LayerSaveState::markSaved(const LayerTableState& state, const QString& currentLayer)
{
    m_saved = state.layers;
    m_inFile = state.alive;
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

QVector<SavedLayer> LayerSaveState::layers(const LayerTableState& now) const
{
    QVector<SavedLayer> layers;
    for (int slot = 0; slot < now.layers.size(); ++slot) {
        SavedLayer layer;
        layer.inFile = m_inFile.value(slot);
        layer.saved = m_saved.value(slot);
        layer.erased = !now.isAlive(slot);
        layer.now = now.layers.at(slot);
        if (layer.inFile || !layer.erased)
            layers.append(layer);
    }
    return layers;
}

} // namespace Demo
