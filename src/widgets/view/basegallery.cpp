#include "basegallery.h"

#include "galleryaccessible_p.h"

namespace KvCc {

namespace {

const QSize itemSize(120, 21);
const QSize ribbonSize(120, 65);
constexpr int popupWidth = 120;

} // namespace

BaseGallery::BaseGallery(QWidget* parent)
    : JtRc::RibbonGallery(parent)
{
    installGalleryAccessibility();
}

BaseGallery::~BaseGallery()
{
    // The popup gallery first, so that nothing shows the group once it is gone.
    delete popupGallery;
    popupGallery = nullptr;
    delete galleryGroup;
    galleryGroup = nullptr;
}

void BaseGallery::createGalleryItems(const QStringList& names, const QList<QIcon>& icons)
{
    // A second call replaces the items; the galleries show the new group.
    delete galleryGroup;
    galleryGroup = JtRc::RibbonGalleryGroup::createGalleryGroup();
    galleryGroup->setSize(itemSize);
    itemKeys = names;
    for (int i = 0; i < names.size(); ++i) {
        auto* item = new JtRc::RibbonToolGalleryItem;
        item->setIcon(icons.value(i));
        item->setCaption(names.at(i));
        galleryGroup->appendItem(item);
    }
    if (popupGallery) {
        setGalleryGroup(galleryGroup);
        setCheckedIndex(0);
        popupGallery->setGalleryGroup(galleryGroup);
        popupGallery->setCheckedIndex(0);
        popupGallery->setFixedSize(popupWidth, galleryGroup->getItemCount() * itemSize.height() + 2);
    }
}

void BaseGallery::creatBaseGallery()
{
    if (!galleryGroup || popupGallery)
        return;
    setFixedSize(ribbonSize);
    setLabelsVisible(false);
    setContentsMargins(0, 1, 0, 1);
    setBorderVisible(true);
    setGalleryGroup(galleryGroup);
    setCheckedIndex(0);
    connect(this, &JtRc::RibbonGallery::itemPressed, this, &BaseGallery::itemChangedPressed);

    JtRc::OfficePopupMenu* menu = JtRc::OfficePopupMenu::createPopupMenu(nullptr);
    setPopupMenu(menu);

    popupGallery = new JtRc::RibbonGallery(nullptr);
    popupGallery->setFixedSize(
        popupWidth, galleryGroup->getItemCount() * galleryGroup->getSize().height() + 2);
    popupGallery->setGalleryGroup(galleryGroup);
    popupGallery->setCheckedIndex(0);
    popupGallery->setScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(popupGallery, &JtRc::RibbonGallery::itemPressed, this, &BaseGallery::itemChangedPressed);
    // The host listens to this gallery only: a pick in the popup reaches it
    // through this gallery's signal too, after both galleries follow it.
    connect(popupGallery, &JtRc::RibbonGallery::itemPressed, this, &JtRc::RibbonGallery::itemPressed);
    menu->addWidget(popupGallery);
}

void BaseGallery::setItemKeys(const QStringList& keys)
{
    itemKeys = keys;
}

QString BaseGallery::itemKey(const JtRc::RibbonGalleryItem* item) const
{
    return galleryGroup && item ? itemKeys.value(galleryGroup->indexOf(item)) : QString();
}

QString BaseGallery::checkedKey() const
{
    return itemKey(checkedItem());
}

bool BaseGallery::setCheckedKey(const QString& key)
{
    const int index = key.isEmpty() ? -1 : itemKeys.indexOf(key);
    if (!galleryGroup || index < 0 || index >= galleryGroup->getItemCount())
        return false;
    itemChangedPressed(galleryGroup->getItem(index));
    return true;
}

void BaseGallery::itemChangedPressed(RibbonGalleryItem* item)
{
    // Both galleries are compared: a host gallery that checks the pressed
    // item by itself must not keep the other gallery from following.
    if (checkedItem() == item && (!popupGallery || popupGallery->checkedItem() == item))
        return;
    setCheckedItem(item);
    if (popupGallery)
        popupGallery->setCheckedItem(item);
}

} // namespace KvCc
