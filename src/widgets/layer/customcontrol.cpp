#include "customcontrol.h"

#include "layercombobox.h"

#include <QHBoxLayout>

namespace KvCc {

CustomControl::CustomControl(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    //: A name for code, never shown: keep it as it is.
    setObjectName(tr("customControl"));

    auto* layout = new QHBoxLayout;
    layerComboBox = new LayerComboBox(this);
    layout->addWidget(layerComboBox);
    layout->setContentsMargins(0, 0, 0, 0);
    setLayout(layout);
}

CustomControl::~CustomControl()
{
    delete companionWidget.data();
    companionWidget = nullptr;
}

QSize CustomControl::sizeHint() const
{
    return QSize(210, 20);
}

void CustomControl::setCompanionWidget(QWidget* widget)
{
    if (widget == companionWidget)
        return;
    delete companionWidget.data();
    companionWidget = widget;
    adjustGeometry();
}

QWidget* CustomControl::companion() const
{
    return companionWidget;
}

void CustomControl::adjustGeometry()
{
    if (!companionWidget)
        return;
    setFixedWidth(companionWidget->width() + 165);
}

void CustomControl::enterEvent(EnterEvent* event)
{
    emit enter(true);
    QWidget::enterEvent(event);
}

void CustomControl::leaveEvent(QEvent* event)
{
    emit enter(false);
    QWidget::leaveEvent(event);
}

} // namespace KvCc
