#include "editornotices_p.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>

namespace KvCc {

namespace {

// Set on an editor once a view is told to close it. Closing moves the focus
// away from the editor, whose editingFinished() then has the delegate
// commit and close it once more (LayerDelegate::commitAndCloseEditor), and
// Qt's own delegate may still have a queued commit for it: notices for an
// editor no view holds any longer.
const char* const closedProperty = "kvccEditorClosed";

bool holds(const QAbstractItemView* view, const QWidget* editor)
{
    return editor && !editor->property(closedProperty).toBool() && view->viewport()->isAncestorOf(editor);
}

} // namespace

void routeEditorNotices(QAbstractItemView* view)
{
    QAbstractItemDelegate* delegate = view->itemDelegate();
    QObject::disconnect(delegate, &QAbstractItemDelegate::commitData, view, nullptr);
    QObject::disconnect(delegate, &QAbstractItemDelegate::closeEditor, view, nullptr);
    // The view's slots are protected: reached through its meta-object.
    QObject::connect(delegate, &QAbstractItemDelegate::commitData, view, [view](QWidget* editor) {
        if (holds(view, editor))
            QMetaObject::invokeMethod(view, "commitData", Qt::DirectConnection, Q_ARG(QWidget*, editor));
    });
    QObject::connect(delegate, &QAbstractItemDelegate::closeEditor, view,
                     [view](QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
                         if (!holds(view, editor))
                             return;
                         editor->setProperty(closedProperty, true);
                         QMetaObject::invokeMethod(view, "closeEditor", Qt::DirectConnection,
                                                   Q_ARG(QWidget*, editor),
                                                   Q_ARG(QAbstractItemDelegate::EndEditHint, hint));
                     });
}

} // namespace KvCc
