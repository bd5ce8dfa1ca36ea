#pragma once

#include "ribboncontrols_export.h"

#include <QIcon>
#include <QMetaType>
#include <QString>

class QPainter;
class QStyleOptionViewItem;

namespace JtRc {

class RibbonGallery;
class RibbonGalleryGroup;

// One entry of a gallery group: an icon with a caption. The group it is
// appended to owns it.
class RIBBONCONTROLS_EXPORT RibbonGalleryItem
{
public:
    RibbonGalleryItem();
    virtual ~RibbonGalleryItem();

    void setIcon(const QIcon& icon);
    QIcon icon() const;
    void setCaption(const QString& caption);
    QString caption() const;

    // The group that owns the item, null before it is appended.
    RibbonGalleryGroup* group() const;

    // Paints the item into option.rect. The gallery has filled in the state
    // (selected for the checked item, mouse-over), palette and font. A plain
    // item is an icon tile; its caption shows as the tool tip.
    virtual void draw(QPainter* painter, const RibbonGallery* gallery, const QStyleOptionViewItem& option) const;

private:
    Q_DISABLE_COPY(RibbonGalleryItem)
    friend class RibbonGalleryGroup;

    QIcon m_icon;
    QString m_caption;
    RibbonGalleryGroup* m_group = nullptr;
};

} // namespace JtRc

Q_DECLARE_METATYPE(JtRc::RibbonGalleryItem*)
