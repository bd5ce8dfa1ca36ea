#include "ribbongalleryitem.h"

#include "ribbongallery.h"
#include "ribbongallerygroup.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace JtRc {

RibbonGalleryItem::RibbonGalleryItem() = default;

RibbonGalleryItem::~RibbonGalleryItem() = default;

void RibbonGalleryItem::setIcon(const QIcon& icon)
{
    m_icon = icon;
    if (m_group)
        emit m_group->changed();
}

QIcon RibbonGalleryItem::icon() const
{
    return m_icon;
}

void RibbonGalleryItem::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    if (m_group)
        emit m_group->changed();
}

QString RibbonGalleryItem::caption() const
{
    return m_caption;
}

RibbonGalleryGroup* RibbonGalleryItem::group() const
{
    return m_group;
}

void RibbonGalleryItem::draw(QPainter* painter, const RibbonGallery* gallery, const QStyleOptionViewItem& option) const
{
    QStyle* style = gallery->style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, gallery);
    if (m_icon.isNull())
        return;
    QIcon::Mode mode = QIcon::Normal;
    if (!(option.state & QStyle::State_Enabled))
        mode = QIcon::Disabled;
    else if (option.state & QStyle::State_Selected)
        mode = QIcon::Selected;
    const QSize size = option.decorationSize.boundedTo(option.rect.size());
    const QRect target = QStyle::alignedRect(option.direction, Qt::AlignCenter, size, option.rect);
    m_icon.paint(painter, target, Qt::AlignCenter, mode);
}

} // namespace JtRc
