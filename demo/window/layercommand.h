#pragma once

#include "layertablestate.h"

#include <QUndoCommand>

namespace Demo {

class DrawingDocument;

// One undo step of the layer table, from one state of it to another; its
// text names the change ("Freeze A-ROOF"). A new layer and the name typed
// into it right after make one step.
class LayerCommand : public QUndoCommand
{
public:
    LayerCommand(DrawingDocument* document, const LayerTableState& before, const LayerTableState& after);
    ~LayerCommand() override;

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    // What changed from before to after, in a few words.
    static QString describe(const LayerTableState& before, const LayerTableState& after);

private:
    DrawingDocument* m_document;
    LayerTableState m_before;
    LayerTableState m_after;
};

} // namespace Demo
