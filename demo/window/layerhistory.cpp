#include "layerhistory.h"

#include "drawingdocument.h"
#include "layercommand.h"

#include <QUndoStack>

namespace Demo {

LayerHistory::LayerHistory(DrawingDocument* document, QObject* parent)
    : QObject(parent), m_document(document), m_stack(new QUndoStack(this))
{
    connect(m_stack, &QUndoStack::indexChanged, this, &LayerHistory::stepped);
}

LayerHistory::~LayerHistory() = default;

void LayerHistory::reset()
{
    m_stack->clear();
    m_known = m_document->layerState();
    m_stack->setClean();
}

bool LayerHistory::record()
{
    const LayerTableState now = m_document->layerState();
    if (now == m_known)
        return false;
    const LayerTableState before = m_known;
    m_known = now;
    m_stack->push(new LayerCommand(m_document, before, now));
    return true;
}

void LayerHistory::stepped()
{
    const LayerTableState now = m_document->layerState();
    if (now == m_known)
        return;
    m_known = now;
    emit restored();
}

} // namespace Demo
