#pragma once

#include "ribbongalleryitem.h"

namespace JtRc {

// A gallery item drawn as a row with the icon at the left and the caption
// beside it where the gallery shows labels; an icon tile where it does not.
class RIBBONCONTROLS_EXPORT RibbonToolGalleryItem : public RibbonGalleryItem
{
public:
    RibbonToolGalleryItem();
    ~RibbonToolGalleryItem() override;

    void draw(QPainter* painter, const RibbonGallery* gallery, const QStyleOptionViewItem& option) const override;

private:
    Q_DISABLE_COPY(RibbonToolGalleryItem)
};

} // namespace JtRc
