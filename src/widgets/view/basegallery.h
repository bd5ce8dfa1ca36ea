#pragma once

#include "kvcustomcontrol_export.h"

#include <RibbonControls.h>

#include <QIcon>
#include <QList>
#include <QStringList>

namespace KvCc {

/// A ribbon strip of icon items whose popup menu holds a taller gallery
/// listing every item with its caption. Both galleries show one item group;
/// a press on an item in either makes it the checked item of both and is
/// reported by this gallery's itemPressed().
class KVCUSTOMCONTROL_EXPORT BaseGallery : public JtRc::RibbonGallery
{
    Q_OBJECT

public:
    /// Builds an empty gallery; createGalleryItems() and creatBaseGallery() fill it.
    explicit BaseGallery(QWidget* parent = nullptr);
    ~BaseGallery() override;

    /// Creates the item group with one captioned item per name; a missing
    /// icon leaves the item without a picture.
    void createGalleryItems(const QStringList& names, const QList<QIcon>& icons);
    /// Sizes and configures this gallery and builds the popup menu with its
    /// gallery. Needs the items of createGalleryItems; builds once.
    void creatBaseGallery();

protected:
    /// Spelled as the host gallery spells the type in itemPressed(), so that
    /// the signature strings of signal and slot match.
    using RibbonGalleryItem = JtRc::RibbonGalleryItem;

protected slots:
    /// Checks item in both galleries and emits itemPressed(item).
    void itemChangedPressed(RibbonGalleryItem* item);

private:
    Q_DISABLE_COPY(BaseGallery)

    JtRc::RibbonGallery* popupGallery = nullptr;
    JtRc::RibbonGalleryGroup* galleryGroup = nullptr;
};

} // namespace KvCc
