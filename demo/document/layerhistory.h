#pragma once

#include "layercommand.h"
#include "layertablestate.h"

#include <QObject>
#include <QString>

#include <vector>

namespace Demo {

class DrawingDocument;

// The undo history of the open drawing's layer table. Whoever changes the
// layers (the library's widgets, the palette's commands, a property dialog,
// a batch of commands) lets it record the change as one undo step; it tells
// the change from the table as it was after the last step. It also knows
// whether the table is as last saved.
class LayerHistory : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerHistory)

public:
    explicit LayerHistory(DrawingDocument* document, QObject* parent = nullptr);
    ~LayerHistory() override;

    // Starts afresh on a drawing just opened: no steps, nothing unsaved.
    void reset();
    // Makes one undo step of what changed since the last, named text (or
    // after the change when empty); false when nothing did.
    bool record(const QString& text = QString());
    // The same for changes made only through the document's own commands:
    // it reads just the slots they touched, so a step costs what it changed.
    bool recordCommand();

    void undo();
    void redo();
    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < static_cast<int>(m_steps.size()); }
    // What the next undo or redo undoes or redoes ("Freeze A-ROOF"); "" for none.
    QString undoText() const;
    QString redoText() const;

    // The table is as it was when last saved (or opened).
    bool isClean() const { return m_index == m_cleanIndex; }
    void setClean();

signals:
    // Undo or redo changed the drawing: every layer display must read it again.
    void restored();
    // The steps or the position in them changed: undo and redo texts too.
    void stepsChanged();
    void cleanChanged(bool clean);

private:
    // text names the step; empty: it is named by what it changes.
    bool push(const LayerTableDelta& delta, const QString& text);
    // Reports a new position; wasClean is the clean state before it. After
    // undo or redo the table is read again, to tell the displays.
    void moved(bool wasClean, bool stepped);

    DrawingDocument* m_document;
    std::vector<LayerCommand> m_steps;
    int m_index = 0;      // steps done
    int m_cleanIndex = 0; // steps done when last saved; -1 once those steps are gone
    LayerTableState m_known;
};

} // namespace Demo
