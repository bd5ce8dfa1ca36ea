#pragma once

#include "layertablestate.h"

#include <QString>

namespace Demo {

class DrawingDocument;

// One undo step of the layer table: the slots it changed, each on both
// sides; its text names the change ("Freeze A-ROOF"). A new layer and the
// name typed into it right after make one step.
class LayerCommand
{
public:
    // text names the step; empty: the change names it.
    LayerCommand(DrawingDocument* document, const LayerTableDelta& delta, const QString& text = QString());

    void undo();
    void redo();
    QString text() const { return m_text; }
    // Takes in next when it only names the layer this step created.
    bool mergeWith(const LayerCommand& next);

    // What the delta changes, in a few words.
    static QString describe(const LayerTableDelta& delta);

private:
    DrawingDocument* m_document;
    LayerTableDelta m_delta;
    QString m_text;
    bool m_named = false; // the text was given: the step stands alone
};

} // namespace Demo
