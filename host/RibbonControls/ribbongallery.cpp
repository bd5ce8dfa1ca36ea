#include "ribbongallery_p.h"

#include "officepopupmenu.h"
#include "ribbongallerygroup.h"
#include "ribbongalleryitem.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

namespace JtRc {

using namespace RibbonGalleryMetrics;

RibbonGallery::RibbonGallery(QWidget* parent)
    : QWidget(parent)
{
    // Signals name the item type without its namespace; spies and queued
    // connections look it up under that name.
    static const int itemType = qRegisterMetaType<RibbonGalleryItem*>("RibbonGalleryItem*");
    Q_UNUSED(itemType)
    setMouseTracking(true);
    // One pixel above and below the items, where a border may be drawn.
    setContentsMargins(0, 1, 0, 1);
}

RibbonGallery::~RibbonGallery()
{
    deletePopupMenu();
}

void RibbonGallery::deletePopupMenu()
{
    OfficePopupMenu* menu = m_popupMenu;
    m_popupMenu = nullptr;
    if (!menu)
        return;
    menu->removeEventFilter(this);
    delete menu;
}

void RibbonGallery::setGalleryGroup(RibbonGalleryGroup* group)
{
    if (m_group == group)
        return;
    if (m_group)
        disconnect(m_group, nullptr, this, nullptr);
    m_group = group;
    m_checkedIndex = -1;
    m_firstRow = 0;
    m_hoverIndex = -1;
    if (m_group) {
        connect(m_group, &RibbonGalleryGroup::changed, this, [this] {
            updateGeometry();
            update();
        });
        connect(m_group, &QObject::destroyed, this, [this] {
            m_checkedIndex = -1;
            m_hoverIndex = -1;
            update();
        });
    }
    updateGeometry();
    update();
}

RibbonGalleryGroup* RibbonGallery::getGalleryGroup() const
{
    return m_group;
}

void RibbonGallery::setLabelsVisible(bool visible)
{
    if (m_labelsVisible == visible)
        return;
    m_labelsVisible = visible;
    update();
}

bool RibbonGallery::isLabelsVisible() const
{
    return m_labelsVisible;
}

void RibbonGallery::setBorderVisible(bool visible)
{
    if (m_borderVisible == visible)
        return;
    m_borderVisible = visible;
    update();
}

bool RibbonGallery::isBorderVisible() const
{
    return m_borderVisible;
}

void RibbonGallery::setScrollBarPolicy(Qt::ScrollBarPolicy policy)
{
    if (m_scrollBarPolicy == policy)
        return;
    m_scrollBarPolicy = policy;
    updateGeometry();
    update();
}

Qt::ScrollBarPolicy RibbonGallery::scrollBarPolicy() const
{
    return m_scrollBarPolicy;
}

void RibbonGallery::setCheckedIndex(int index)
{
    if (index < 0 || index >= itemCount())
        index = -1;
    if (m_checkedIndex == index)
        return;
    m_checkedIndex = index;
    ensureVisible(index);
    update();
}

int RibbonGallery::checkedIndex() const
{
    return m_group ? m_checkedIndex : -1;
}

void RibbonGallery::setCheckedItem(const RibbonGalleryItem* item)
{
    setCheckedIndex(m_group && item ? m_group->indexOf(item) : -1);
}

RibbonGalleryItem* RibbonGallery::checkedItem() const
{
    return m_group ? m_group->getItem(m_checkedIndex) : nullptr;
}

void RibbonGallery::setPopupMenu(OfficePopupMenu* menu)
{
    if (m_popupMenu == menu)
        return;
    deletePopupMenu();
    m_popupMenu = menu;
    if (m_popupMenu)
        m_popupMenu->installEventFilter(this);
    updateGeometry();
    update();
}

OfficePopupMenu* RibbonGallery::popupMenu() const
{
    return m_popupMenu;
}

void RibbonGallery::showPopup()
{
    if (!m_popupMenu || m_popupMenu->isVisible())
        return;
    m_popupMenu->popup(mapToGlobal(QPoint(0, height())));
}

int RibbonGallery::itemCount() const
{
    return m_group ? m_group->getItemCount() : 0;
}

RibbonGallery::Layout RibbonGallery::layout() const
{
    Layout l;
    const QRect area = contentsRect();
    l.cell = m_group ? m_group->getSize() : QSize();
    if (l.cell.width() <= 0 || l.cell.height() <= 0)
        l.cell = QSize(1, 1);
    l.popup = !m_popupMenu.isNull();
    l.visibleRows = qMax(1, area.height() / l.cell.height());
    const int count = itemCount();
    auto fit = [&](bool column) {
        const int width = area.width() - (column ? ControlWidth : 0);
        l.columns = qMax(1, width / l.cell.width());
        l.rows = (count + l.columns - 1) / l.columns;
    };
    fit(l.popup);
    l.scroll = m_scrollBarPolicy == Qt::ScrollBarAlwaysOn
        || (m_scrollBarPolicy == Qt::ScrollBarAsNeeded && l.rows > l.visibleRows);
    if (l.scroll && !l.popup)
        fit(true);
    l.items = area;
    if (l.scroll || l.popup) {
        l.items.setRight(area.right() - ControlWidth);
        l.controls = QRect(l.items.right() + 1, area.top(), ControlWidth, area.height());
    }
    return l;
}

QRect RibbonGallery::itemRect(int index) const
{
    if (index < 0 || index >= itemCount())
        return {};
    const Layout l = layout();
    const int first = qBound(0, m_firstRow, l.lastFirstRow());
    const int row = index / l.columns - first;
    if (row < 0 || row >= l.visibleRows)
        return {};
    const int column = index % l.columns;
    QRect r(l.items.x() + column * l.cell.width(), l.items.y() + row * l.cell.height(), l.cell.width(),
        l.cell.height());
    // Items wider than the item area are cut at its edge.
    r.setRight(qMin(r.right(), l.items.right()));
    return r;
}

int RibbonGallery::indexAt(const QPoint& pos) const
{
    for (int i = 0; i < itemCount(); ++i) {
        if (itemRect(i).contains(pos))
            return i;
    }
    return -1;
}

RibbonGalleryItem* RibbonGallery::itemAt(const QPoint& pos) const
{
    return m_group ? m_group->getItem(indexAt(pos)) : nullptr;
}

QRect RibbonGallery::controlRect(const Layout& l, Control control) const
{
    QList<Control> shown;
    if (l.scroll)
        shown << Control::ScrollUp << Control::ScrollDown;
    if (l.popup)
        shown << Control::Popup;
    const int at = shown.indexOf(control);
    if (at < 0)
        return {};
    const int height = l.controls.height() / shown.size();
    QRect r(l.controls.x(), l.controls.y() + at * height, l.controls.width(), height);
    if (at == shown.size() - 1)
        r.setBottom(l.controls.bottom());
    return r;
}

RibbonGallery::Control RibbonGallery::controlAt(const QPoint& pos) const
{
    const Layout l = layout();
    for (Control c : {Control::ScrollUp, Control::ScrollDown, Control::Popup}) {
        if (controlRect(l, c).contains(pos))
            return c;
    }
    return Control::None;
}

bool RibbonGallery::controlEnabled(const Layout& l, Control control) const
{
    const int first = qBound(0, m_firstRow, l.lastFirstRow());
    switch (control) {
    case Control::ScrollUp:
        return first > 0;
    case Control::ScrollDown:
        return first < l.lastFirstRow();
    case Control::Popup:
        return true;
    case Control::None:
        break;
    }
    return false;
}

void RibbonGallery::scrollRows(int rows)
{
    const Layout l = layout();
    const int first = qBound(0, m_firstRow + rows, l.lastFirstRow());
    if (first == m_firstRow)
        return;
    m_firstRow = first;
    update();
}

void RibbonGallery::ensureVisible(int index)
{
    if (index < 0)
        return;
    const Layout l = layout();
    const int row = index / l.columns;
    if (row < m_firstRow)
        m_firstRow = row;
    else if (row >= m_firstRow + l.visibleRows)
        m_firstRow = row - l.visibleRows + 1;
}

void RibbonGallery::setHover(int index, Control control)
{
    if (m_hoverIndex == index && m_hoverControl == control)
        return;
    m_hoverIndex = index;
    m_hoverControl = control;
    update();
}

QSize RibbonGallery::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const QSize cell = m_group ? m_group->getSize() : QSize(72, 24);
    const int rows = qBound(1, itemCount(), 3);
    const bool column = m_popupMenu || m_scrollBarPolicy == Qt::ScrollBarAlwaysOn
        || (m_scrollBarPolicy == Qt::ScrollBarAsNeeded && itemCount() > rows);
    return QSize(cell.width() + (column ? ControlWidth : 0) + margins.left() + margins.right(),
        rows * cell.height() + margins.top() + margins.bottom());
}

bool RibbonGallery::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = indexAt(help->pos());
        const RibbonGalleryItem* item = m_group ? m_group->getItem(index) : nullptr;
        if (item && !item->caption().isEmpty())
            QToolTip::showText(help->globalPos(), item->caption(), this, itemRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

bool RibbonGallery::eventFilter(QObject* watched, QEvent* event)
{
    // Only presses and showing matter; the type is checked first because a
    // menu being destroyed still sends events but is no menu any more.
    const bool press = event->type() == QEvent::MouseButtonPress;
    if ((press || event->type() == QEvent::Show) && watched == m_popupMenu) {
        if (press) {
            // A press on the drop button while the menu is open closes the
            // menu; it must not reach the button again and reopen the menu.
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!m_popupMenu->rect().contains(mouse->pos())
                && controlAt(mapFromGlobal(m_popupMenu->mapToGlobal(mouse->pos()))) == Control::Popup)
                m_popupMenu->setAttribute(Qt::WA_NoMouseReplay);
        } else {
            m_popupMenu->setAttribute(Qt::WA_NoMouseReplay, false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RibbonGallery::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const Layout l = layout();
    const Control control = controlAt(event->pos());
    if (control != Control::None) {
        if (!controlEnabled(l, control))
            return;
        m_pressedControl = control;
        update();
        if (control == Control::ScrollUp)
            scrollRows(-1);
        else if (control == Control::ScrollDown)
            scrollRows(1);
        else
            showPopup();
        return;
    }
    RibbonGalleryItem* item = itemAt(event->pos());
    if (!item)
        return;
    // The receiver may delete this gallery, or the popup it sits in.
    QPointer<RibbonGallery> self(this);
    emit itemPressed(item);
    if (!self)
        return;
    // A gallery inside a popup menu closes the menu once an item is chosen.
    if (auto* menu = qobject_cast<OfficePopupMenu*>(window()))
        menu->close();
}

void RibbonGallery::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressedControl != Control::None) {
        m_pressedControl = Control::None;
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void RibbonGallery::mouseMoveEvent(QMouseEvent* event)
{
    const Control control = controlAt(event->pos());
    setHover(control == Control::None ? indexAt(event->pos()) : -1, control);
    QWidget::mouseMoveEvent(event);
}

void RibbonGallery::leaveEvent(QEvent* event)
{
    setHover(-1, Control::None);
    QWidget::leaveEvent(event);
}

void RibbonGallery::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        event->ignore();
        return;
    }
    scrollRows(-steps);
    event->accept();
}

} // namespace JtRc
