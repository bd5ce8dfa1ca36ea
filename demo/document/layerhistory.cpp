#include "layerhistory.h"

#include "drawingdocument.h"

namespace Demo {

LayerHistory::LayerHistory(DrawingDocument* document, QObject* parent) : QObject(parent), m_document(document) {}

LayerHistory::~LayerHistory() = default;

void LayerHistory::reset()
{
    const bool wasClean = isClean();
    m_steps.clear();
    m_index = 0;
    m_cleanIndex = 0;
    bool currentChanged = false;
    m_document->takeTouchedSlots(currentChanged);
    m_document->takeStepText();
    m_known = m_document->layerState();
    moved(wasClean, false);
}

bool LayerHistory::record(const QString& text)
{
    bool currentChanged = false;
    m_document->takeTouchedSlots(currentChanged);
    const LayerTableState now = m_document->layerState();
    const LayerTableDelta delta = LayerTableDelta::between(m_known, now);
    m_known = now;
    const QString named = m_document->takeStepText();
    return push(delta, text.isEmpty() ? named : text);
}

bool LayerHistory::recordCommand()
{
    bool currentChanged = false;
    const QVector<int> touched = m_document->takeTouchedSlots(currentChanged);
    LayerTableDelta delta;
    for (int slot : touched) {
        const bool alive = m_document->slotAlive(slot);
        const DrawingLayer layer = m_document->slotLayer(slot);
        if (slot >= m_known.layers.size()) {
            m_known.layers.resize(slot + 1);
            m_known.alive.resize(slot + 1);
        }
        if (alive == m_known.isAlive(slot) && (!alive || sameLayer(layer, m_known.layers.at(slot))))
            continue;
        delta.add(slot, m_known.isAlive(slot), m_known.layers.at(slot), alive, layer);
        m_known.layers[slot] = layer;
        m_known.alive[slot] = alive;
    }
    delta.currentBefore = m_known.current;
    delta.currentAfter = currentChanged ? m_document->currentSlot() : m_known.current;
    delta.currentName = m_document->currentLayerName();
    m_known.current = delta.currentAfter;
    return push(delta, m_document->takeStepText());
}

bool LayerHistory::push(const LayerTableDelta& delta, const QString& text)
{
    if (delta.isEmpty())
        return false;
    const bool wasClean = isClean();
    LayerCommand step(m_document, delta, text);
    m_steps.erase(m_steps.begin() + m_index, m_steps.end());
    if (m_cleanIndex > m_index)
        m_cleanIndex = -1;
    // A saved step stays as saved: nothing merges into it; a named step
    // stands alone.
    if (m_index == 0 || m_index == m_cleanIndex || !text.isEmpty() || !m_steps.back().mergeWith(step)) {
        m_steps.push_back(step);
        ++m_index;
    }
    // The step is what the table already is: no need to read it back.
    moved(wasClean, false);
    return true;
}

void LayerHistory::undo()
{
    if (!canUndo())
        return;
    const bool wasClean = isClean();
    m_steps.at(static_cast<std::size_t>(--m_index)).undo();
    moved(wasClean, true);
}

void LayerHistory::redo()
{
    if (!canRedo())
        return;
    const bool wasClean = isClean();
    m_steps.at(static_cast<std::size_t>(m_index++)).redo();
    moved(wasClean, true);
}

QString LayerHistory::undoText() const
{
    return canUndo() ? m_steps.at(static_cast<std::size_t>(m_index - 1)).text() : QString();
}

QString LayerHistory::redoText() const
{
    return canRedo() ? m_steps.at(static_cast<std::size_t>(m_index)).text() : QString();
}

void LayerHistory::setClean()
{
    const bool wasClean = isClean();
    m_cleanIndex = m_index;
    if (!wasClean)
        emit cleanChanged(true);
}

void LayerHistory::moved(bool wasClean, bool stepped)
{
    if (stepped) {
        bool currentChanged = false;
        m_document->takeTouchedSlots(currentChanged);
        const LayerTableState now = m_document->layerState();
        if (now != m_known) {
            m_known = now;
            emit restored();
        }
    }
    emit stepsChanged();
    if (wasClean != isClean())
        emit cleanChanged(isClean());
}

} // namespace Demo
