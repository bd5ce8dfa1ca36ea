#include "undoactions.h"

#include "layerhistory.h"

#include <QAction>
#include <QMenu>

namespace Demo {

UndoActions::UndoActions(LayerHistory* history, QMenu* menu, QObject* parent) : QObject(parent), m_history(history)
{
    m_undo = menu->addAction(QString());
    m_undo->setShortcut(QKeySequence::Undo);
    connect(m_undo, &QAction::triggered, m_history, &LayerHistory::undo);
    m_redo = menu->addAction(QString());
    // Ctrl+Y and Ctrl+Shift+Z both redo, whatever the platform's own binding.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redoKeys.contains(key))
            redoKeys << key;
    }
    m_redo->setShortcuts(redoKeys);
    connect(m_redo, &QAction::triggered, m_history, &LayerHistory::redo);
    connect(m_history, &LayerHistory::stepsChanged, this, &UndoActions::update);
    update();
}

UndoActions::~UndoActions() = default;

void UndoActions::update()
{
    const QString undoText = m_history->undoText();
    const QString redoText = m_history->redoText();
    m_undo->setText(undoText.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo %1").arg(undoText));
    m_redo->setText(redoText.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo %1").arg(redoText));
    m_undo->setEnabled(m_history->canUndo());
    m_redo->setEnabled(m_history->canRedo());
}

} // namespace Demo
