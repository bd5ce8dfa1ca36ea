#include "ribbontoolgalleryitem.h"

#include "ribbongallery.h"

#include <QStyle>
#include <QStyleOptionViewItem>

namespace JtRc {

RibbonToolGalleryItem::RibbonToolGalleryItem() = default;

RibbonToolGalleryItem::~RibbonToolGalleryItem() = default;

void RibbonToolGalleryItem::draw(QPainter* painter, const RibbonGallery* gallery, const QStyleOptionViewItem& option) const
{
    if (!gallery->isLabelsVisible()) {
        RibbonGalleryItem::draw(painter, gallery, option);
        return;
    }
    QStyleOptionViewItem row(option);
    row.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    row.text = caption();
    row.icon = icon();
    row.decorationPosition = QStyleOptionViewItem::Left;
    row.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    row.textElideMode = Qt::ElideRight;
    gallery->style()->drawControl(QStyle::CE_ItemViewItem, &row, painter, gallery);
}

} // namespace JtRc
