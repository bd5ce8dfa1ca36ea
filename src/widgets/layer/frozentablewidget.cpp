#include "frozentablewidget.h"

namespace KvCc {

FrozenTableWidget::FrozenTableWidget(QWidget* parent)
    : QTableView(parent)
{
}

FrozenTableWidget::~FrozenTableWidget() = default;

void FrozenTableWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    QTableView::mousePressEvent(event);
}

} // namespace KvCc
