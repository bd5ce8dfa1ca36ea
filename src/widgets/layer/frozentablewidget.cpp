#include "frozentablewidget.h"

namespace KvCc {

FrozenTableWidget::FrozenTableWidget(QWidget* parent)
    : QTableView(parent)
{
}

FrozenTableWidget::~FrozenTableWidget() = default;

bool FrozenTableWidget::editName(const QModelIndex& index)
{
    setFocus(Qt::OtherFocusReason);
    if (state() == EditingState) {
        QWidget* editor = indexWidget(currentIndex());
        if (!editor)
            return false;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    setCurrentIndex(index);
    return edit(index, AllEditTriggers, nullptr);
}

void FrozenTableWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    QTableView::mousePressEvent(event);
}

} // namespace KvCc
