#pragma once

#include "layertablestate.h"

#include <QObject>

class QUndoStack;

namespace Demo {

class DrawingDocument;

// The undo history of the open drawing's layer table. Whoever changes the
// layers (the library's widgets, the palette's commands, a property dialog,
// a batch of commands) lets it record the change as one undo step; it tells
// the change from the table as it was after the last step.
class LayerHistory : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerHistory)

public:
    explicit LayerHistory(DrawingDocument* document, QObject* parent = nullptr);
    ~LayerHistory() override;

    QUndoStack* stack() const { return m_stack; }
    // Starts afresh on a drawing just opened: no steps, nothing unsaved.
    void reset();
    // Makes one undo step of what changed since the last; false when nothing did.
    bool record();

signals:
    // Undo or redo changed the drawing: every layer display must read it again.
    void restored();

private:
    void stepped();

    DrawingDocument* m_document;
    QUndoStack* m_stack;
    LayerTableState m_known;
};

} // namespace Demo
