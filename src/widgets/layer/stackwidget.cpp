#include "stackwidget.h"

#include "layercontrol.h"
#include "propertymanager.h"

#include <QBitmap>
#include <QEvent>
#include <QImage>
#include <QRegion>
#include <QScopedValueRollback>
#include <QWindow>

namespace KvCc {

StackWidget::StackWidget(LayerControl* control, QWidget* parent)
    : QStackedWidget(parent)
    , layerControl(control)
{
    if (control)
        setParent(control, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_TranslucentBackground);

    insertWidget(0, new PropertyManager(this));
    insertWidget(1, new QWidget);
    setCurrentIndex(0);
    connect(this, &QStackedWidget::currentChanged, this, &StackWidget::shapeWindow);
    widget(0)->installEventFilter(this);
    // A window shown without a size of its own is given at least 200 x 100,
    // which would stretch the rows of the page apart and push it further down.
    resize(sizeHint());

    if (control) {
        connect(control, &LayerControl::folded, this, qOverload<bool>(&StackWidget::hide));
        connect(control, &LayerControl::geometryChanged, this, &StackWidget::adjustGeometry);
        control->installEventFilter(this);
        watchControlWindow();
    }
}

StackWidget::~StackWidget() = default;

void StackWidget::watchControlWindow()
{
    QWidget* window = layerControl ? layerControl->window() : nullptr;
    if (window == layerControl)
        window = nullptr;
    if (window == watchedWindow)
        return;
    if (watchedWindow)
        watchedWindow->removeEventFilter(this);
    watchedWindow = window;
    if (watchedWindow)
        watchedWindow->installEventFilter(this);
}

bool StackWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == layerControl) {
        switch (event->type()) {
        case QEvent::ParentChange:
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            watchControlWindow();
            break;
        default:
            break;
        }
        // A tool window outlives the hiding of the widget it belongs to, so
        // put the page away with the control (a ribbon tab switch) and bring
        // it back when the control returns.
        if (event->type() == QEvent::Hide && isVisible()) {
            hiddenWithControl = true;
            QStackedWidget::hide();
        } else if (event->type() == QEvent::Show && hiddenWithControl) {
            hiddenWithControl = false;
            show();
            adjustGeometry();
        }
    } else if (watched == widget(0)) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            shapeWindow();
    } else if (watched == watchedWindow) {
        // The control does not move within its window when the window moves,
        // so the window is watched directly.
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            adjustGeometry();
    }
    return QStackedWidget::eventFilter(watched, event);
}

void StackWidget::hide(bool bHide)
{
    setCurrentIndex(bHide ? 1 : 0);
    if (!isVisible()) {
        resize(sizeHint());
        show();
        adjustGeometry();
    }
    // The empty page draws nothing; let clicks through to what lies beneath
    // instead of catching them with an invisible window.
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowTransparentForInput, bHide);
}

void StackWidget::shapeWindow()
{
    // Without a compositing manager the clear pixels of a translucent window
    // come out black. Shaping the window to what its page draws leaves the
    // rest to whatever lies beneath, with or without compositing. The empty
    // page draws nothing: a shape wholly outside the window shows no pixel
    // (an empty region would mean no shape at all).
    // Rendering the page delivers its pending resize, which lands here again.
    if (shaping)
        return;
    const QScopedValueRollback<bool> busy(shaping, true);
    QWidget* page = currentWidget();
    if (currentIndex() != 0 || !page) {
        setMask(QRegion(-1, -1, 1, 1));
        return;
    }
    QImage drawn(size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    page->render(&drawn, page->pos(), QRegion(), QWidget::DrawChildren);
    setMask(QBitmap::fromImage(drawn.createAlphaMask()));
}

void StackWidget::adjustGeometry()
{
    if (!qobject_cast<PropertyManager*>(widget(0)) || !layerControl)
        return;
    const QPoint global = layerControl->mapToGlobal(QPoint(0, 0));
    move(global.x(), global.y() + height() - 8);
}

} // namespace KvCc
