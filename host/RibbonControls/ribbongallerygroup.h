#pragma once

#include "ribboncontrols_export.h"

#include <QList>
#include <QObject>
#include <QSize>

namespace JtRc {

class RibbonGalleryItem;

// The items a gallery shows, all of one size. Any number of galleries may
// show the same group; none of them owns it.
class RIBBONCONTROLS_EXPORT RibbonGalleryGroup : public QObject
{
    Q_OBJECT

public:
    // A new, empty group owned by the caller.
    static RibbonGalleryGroup* createGalleryGroup();
    ~RibbonGalleryGroup() override;

    // Size of every item in the galleries that show the group.
    void setSize(const QSize& size);
    QSize getSize() const;

    // Takes ownership; the item's index is the order of appending. A null
    // item or one that already belongs to a group is ignored.
    void appendItem(RibbonGalleryItem* item);
    int getItemCount() const;
    RibbonGalleryItem* getItem(int index) const;
    int indexOf(const RibbonGalleryItem* item) const;

signals:
    // The items, their pictures or their size changed.
    void changed();

private:
    Q_DISABLE_COPY(RibbonGalleryGroup)
    friend class RibbonGalleryItem;

    RibbonGalleryGroup() = default;

    QList<RibbonGalleryItem*> m_items;
    QSize m_size{72, 24};
};

} // namespace JtRc
