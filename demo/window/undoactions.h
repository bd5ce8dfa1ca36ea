#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace Demo {

class LayerHistory;

// Undo and Redo of the layer history in a menu, each naming the step it
// takes ("Undo Freeze A-ROOF") and disabled while there is none.
class UndoActions : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(UndoActions)

public:
    UndoActions(LayerHistory* history, QMenu* menu, QObject* parent);
    ~UndoActions() override;

private:
    void update();

    LayerHistory* m_history;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};

} // namespace Demo
