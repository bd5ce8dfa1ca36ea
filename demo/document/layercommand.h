#pragma once

#include "layertablestate.h"

#include <QString>

namespace Demo {

class DrawingDocument;

// One undo step of the layer table, from one state of it to another; its
// text names the change ("Freeze A-ROOF"). A new layer and the name typed
// into it right after make one step.
class LayerCommand
{
public:
    LayerCommand(DrawingDocument* document, const LayerTableState& before, const LayerTableState& after);

    void undo();
    void redo();
    QString text() const { return m_text; }
    // Takes in next when it only names the layer this step created.
    bool mergeWith(const LayerCommand& next);

    // What changed from before to after, in a few words.
    static QString describe(const LayerTableState& before, const LayerTableState& after);

private:
    DrawingDocument* m_document;
    LayerTableState m_before;
    LayerTableState m_after;
    QString m_text;
};

} // namespace Demo
