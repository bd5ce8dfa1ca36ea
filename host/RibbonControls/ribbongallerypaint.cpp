#include "ribbongallery_p.h"

#include "ribbongallerygroup.h"
#include "ribbongalleryitem.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionViewItem>

// How the gallery draws itself: its items, its frame and the column of
// scroll and drop buttons.
namespace JtRc {

using namespace RibbonGalleryMetrics;

void RibbonGallery::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(QPalette::Base));
    const Layout l = layout();

    painter.save();
    painter.setClipRect(l.items);
    for (int i = 0; i < itemCount(); ++i) {
        const QRect r = itemRect(i);
        if (r.isEmpty())
            continue;
        QStyleOptionViewItem option;
        option.initFrom(this);
        option.rect = r;
        option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        if (i == m_checkedIndex)
            option.state |= QStyle::State_Selected;
        if (i == m_hoverIndex && isEnabled())
            option.state |= QStyle::State_MouseOver;
        option.state |= QStyle::State_Active;
        option.showDecorationSelected = true;
        option.viewItemPosition = QStyleOptionViewItem::OnlyOne;
        option.decorationSize = QSize(IconSize, IconSize);
        option.font = font();
        option.fontMetrics = fontMetrics();
        m_group->getItem(i)->draw(&painter, this, option);
    }
    painter.restore();

    for (Control c : {Control::ScrollUp, Control::ScrollDown, Control::Popup})
        drawControl(&painter, l, c);

    if (m_borderVisible) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = rect();
        frame.lineWidth = 1;
        frame.midLineWidth = 0;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    }
}

void RibbonGallery::drawControl(QPainter* painter, const Layout& l, Control control) const
{
    const QRect r = controlRect(l, control);
    if (r.isEmpty())
        return;
    QStyleOption option;
    option.initFrom(this);
    option.rect = r;
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    if (!controlEnabled(l, control) || !isEnabled())
        option.state &= ~QStyle::State_Enabled;
    else if (m_pressedControl == control)
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    if (m_hoverControl == control && (option.state & QStyle::State_Enabled))
        option.state |= QStyle::State_MouseOver;
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, painter, this);

    QStyleOption arrow(option);
    arrow.rect = r.adjusted(2, 2, -2, -2);
    switch (control) {
    case Control::ScrollUp:
        style()->drawPrimitive(QStyle::PE_IndicatorArrowUp, &arrow, painter, this);
        break;
    case Control::ScrollDown:
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, this);
        break;
    case Control::Popup: {
        // A bar above a down arrow: "show everything".
        arrow.rect.setTop(arrow.rect.center().y() - 2);
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, this);
        const int y = arrow.rect.top() - 1;
        painter->save();
        painter->setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter->drawLine(r.left() + 4, y, r.right() - 4, y);
        painter->restore();
        break;
    }
    case Control::None:
        break;
    }
}

} // namespace JtRc
