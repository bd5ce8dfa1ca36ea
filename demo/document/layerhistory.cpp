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
    m_known = m_document->layerState();
    moved(wasClean);
}

bool LayerHistory::record()
{
    const LayerTableState now = m_document->layerState();
    if (now == m_known)
        return false;
    const bool wasClean = isClean();
    LayerCommand step(m_document, m_known, now);
    m_known = now;
    m_steps.erase(m_steps.begin() + m_index, m_steps.end());
    if (m_cleanIndex > m_index)
        m_cleanIndex = -1;
    // A saved step stays as saved: nothing merges into it.
    if (m_index == 0 || m_index == m_cleanIndex || !m_steps.back().mergeWith(step)) {
        m_steps.push_back(step);
        ++m_index;
    }
    moved(wasClean);
    return true;
}

void LayerHistory::undo()
{
    if (!canUndo())
        return;
    const bool wasClean = isClean();
    m_steps.at(static_cast<std::size_t>(--m_index)).undo();
    moved(wasClean);
}

void LayerHistory::redo()
{
    if (!canRedo())
        return;
    const bool wasClean = isClean();
    m_steps.at(static_cast<std::size_t>(m_index++)).redo();
    moved(wasClean);
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

void LayerHistory::moved(bool wasClean)
{
    const LayerTableState now = m_document->layerState();
    if (now != m_known) {
        m_known = now;
        emit restored();
    }
    emit stepsChanged();
    if (wasClean != isClean())
        emit cleanChanged(isClean());
}

} // namespace Demo
