#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QWidget;

namespace KvCc {
class LayerTableWidget;
} // namespace KvCc

namespace Demo {

class DrawingDocument;
class LayerHistory;
class PaletteSync;

// The window's commands on the visibility of many layers at once: isolate
// the palette's selected layers, unisolate, turn all layers on and thaw all
// layers, each one undo step, and the user's choice whether isolating turns
// the other layers off or freezes them, kept while the window lives. An
// entry is disabled while it cannot apply.
class LayerVisibilityActions : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerVisibilityActions)

public:
    LayerVisibilityActions(DrawingDocument* document, LayerHistory* history, PaletteSync* sync,
                           KvCc::LayerTableWidget* table, QWidget* parent);
    ~LayerVisibilityActions() override;

    QAction* isolate() const { return m_isolate; }
    QAction* unisolate() const { return m_unisolate; }
    QAction* allOn() const { return m_allOn; }
    QAction* thawAll() const { return m_thawAll; }
    // Checked: isolating freezes the other layers instead of turning them off.
    QAction* isolateByFreezing() const { return m_byFreezing; }
    // All of them, in menu order.
    QList<QAction*> actions() const;

signals:
    // The layers changed: every display must read them again.
    void changed();
    void refused(const QString& message);
    // The command had nothing to change.
    void noted(const QString& note);

private:
    // Runs command as one undo step; unchanged is the note when it changes nothing.
    void run(const std::function<QString()>& command, const QString& unchanged);
    void updateIsolate();

    DrawingDocument* m_document;
    LayerHistory* m_history;
    PaletteSync* m_sync;
    KvCc::LayerTableWidget* m_table;
    QAction* m_isolate = nullptr;
    QAction* m_unisolate = nullptr;
    QAction* m_allOn = nullptr;
    QAction* m_thawAll = nullptr;
    QAction* m_byFreezing = nullptr;
};

} // namespace Demo
