#include "galleryaccessible_p.h"

#include <RibbonControls.h>

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace KvCc {

namespace {

JtRc::RibbonGalleryItem* galleryItem(const JtRc::RibbonGallery* gallery, int index)
{
    const JtRc::RibbonGalleryGroup* group = gallery ? gallery->getGalleryGroup() : nullptr;
    return group ? group->getItem(index) : nullptr;
}

// One item of a gallery; it reads the gallery afresh on every question, so
// it follows new items and a new checked item by itself.
class GalleryItemAccessible : public QAccessibleInterface
{
public:
    GalleryItemAccessible(JtRc::RibbonGallery* gallery, int index)
        : gallery(gallery)
        , index(index)
    {
    }

    bool isValid() const override { return galleryItem(gallery, index) != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        QAccessibleInterface* parentInterface = parent();
        return parentInterface ? parentInterface->window() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(gallery); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        const JtRc::RibbonGalleryItem* item = galleryItem(gallery, index);
        return item && t == QAccessible::Name ? item->caption() : QString();
    }

    QRect rect() const override
    {
        if (!gallery)
            return QRect();
        const QRect local = gallery->itemRect(index);
        return local.isEmpty() ? QRect() : QRect(gallery->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.selected = gallery && gallery->checkedIndex() == index;
        state.invisible = !gallery || gallery->itemRect(index).isEmpty();
        return state;
    }

private:
    QPointer<JtRc::RibbonGallery> gallery;
    int index;
};

class GalleryAccessible : public QAccessibleWidget
{
public:
    explicit GalleryAccessible(JtRc::RibbonGallery* gallery)
        : QAccessibleWidget(gallery, QAccessible::List)
    {
    }

    ~GalleryAccessible() override
    {
        for (QAccessible::Id id : qAsConst(itemIds))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override
    {
        const JtRc::RibbonGalleryGroup* group = gallery()->getGalleryGroup();
        return group ? group->getItemCount() : 0;
    }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        auto id = itemIds.constFind(index);
        if (id == itemIds.constEnd())
            id = itemIds.insert(index, QAccessible::registerAccessibleInterface(
                                           new GalleryItemAccessible(gallery(), index)));
        return QAccessible::accessibleInterface(*id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto it = itemIds.constBegin(); it != itemIds.constEnd(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const JtRc::RibbonGalleryItem* item = gallery()->itemAt(gallery()->mapFromGlobal(QPoint(x, y)));
        const JtRc::RibbonGalleryGroup* group = gallery()->getGalleryGroup();
        return item && group ? child(group->indexOf(item)) : nullptr;
    }

private:
    JtRc::RibbonGallery* gallery() const { return static_cast<JtRc::RibbonGallery*>(widget()); }

    mutable QHash<int, QAccessible::Id> itemIds;
};

QAccessibleInterface* galleryFactory(const QString& className, QObject* object)
{
    auto* gallery = qobject_cast<JtRc::RibbonGallery*>(object);
    if (!gallery || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return new GalleryAccessible(gallery);
}

} // namespace

void installGalleryAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    QAccessible::installFactory(galleryFactory);
    installed = true;
}

} // namespace KvCc
