#include "listwidget.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace KvCc {

ListWidget::ListWidget(QWidget* parent)
    : QListWidget(parent)
{
}

ListWidget::~ListWidget() = default;

void ListWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    QListWidget::mousePressEvent(event);
}

void ListWidget::mouseReleaseEvent(QMouseEvent* event)
{
    // The release is not passed on: the base list would start its own
    // click handling, and the popup closes on the row reported here.
    if (!m_leftPressed || event->button() != Qt::LeftButton)
        return;
    m_leftPressed = false;
    emit showItem(currentRow());
}

void ListWidget::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        event->accept();
        emit showItem(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace KvCc
