#include "rowwidgetlist_p.h"

namespace KvCc {

RowWidgetList::RowWidgetList(QWidget* parent)
    : QListWidget(parent)
{
    // Rows end at the viewport's edge; there is nothing to scroll sideways to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

RowWidgetList::~RowWidgetList() = default;

void RowWidgetList::updateEditorGeometries()
{
    if (viewMode() != QListView::ListMode || flow() != QListView::TopToBottom || isWrapping()) {
        QListWidget::updateEditorGeometries();
        return;
    }
    QVector<QPointer<QWidget>> inView;
    const QRect area = viewport()->rect();
    const int rows = count();
    if (rows > 0 && !area.isEmpty()) {
        int row = qMax(0, indexAt(area.topLeft()).row());
        for (; row < rows; ++row) {
            const QModelIndex index = model()->index(row, 0);
            // The list may have laid its rows out for an older, wider
            // viewport; a row widget always ends at the viewport's edge.
            QRect rect = visualRect(index);
            rect.setRight(area.right());
            if (rect.top() > area.bottom())
                break;
            if (!rect.intersects(area))
                continue;
            QWidget* rowWidget = indexWidget(index);
            if (!rowWidget && m_maker)
                rowWidget = m_maker(row);
            if (!rowWidget)
                continue;
            if (rowWidget->geometry() != rect)
                rowWidget->setGeometry(rect);
            if (rowWidget->isHidden())
                rowWidget->show();
            inView << rowWidget;
        }
    }
    for (const QPointer<QWidget>& rowWidget : qAsConst(m_inView)) {
        if (rowWidget && !inView.contains(rowWidget))
            rowWidget->hide();
    }
    m_inView = inView;
}

void RowWidgetList::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    updateEditorGeometries();
}

} // namespace KvCc
