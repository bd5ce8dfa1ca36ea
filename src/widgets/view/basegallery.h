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

    /// The stable key of item: the name it was made for, which stays the
    /// same in every language while its caption is translated. Empty for an
    /// item this gallery does not show.
    QString itemKey(const JtRc::RibbonGalleryItem* item) const;
    /// The key of the checked item, empty when none is checked.
    QString checkedKey() const;
    /// Checks the item of key in both galleries, as a press would, without
    /// reporting a press. False, and nothing changed, for an unknown key.
    bool setCheckedKey(const QString& key);

protected:
    /// Gives the items their keys, in item order; createGalleryItems()
    /// keys each item by its caption until then.
    void setItemKeys(const QStringList& keys);

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
    QStringList itemKeys;
};

} // namespace KvCc
