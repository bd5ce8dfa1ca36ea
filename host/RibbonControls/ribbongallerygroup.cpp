#include "ribbongallerygroup.h"

#include "ribbongalleryitem.h"

namespace JtRc {

RibbonGalleryGroup* RibbonGalleryGroup::createGalleryGroup()
{
    return new RibbonGalleryGroup;
}

RibbonGalleryGroup::~RibbonGalleryGroup()
{
    qDeleteAll(m_items);
}

void RibbonGalleryGroup::setSize(const QSize& size)
{
    if (m_size == size)
        return;
    m_size = size;
    emit changed();
}

QSize RibbonGalleryGroup::getSize() const
{
    return m_size;
}

void RibbonGalleryGroup::appendItem(RibbonGalleryItem* item)
{
    if (!item || item->m_group)
        return;
    item->m_group = this;
    m_items.append(item);
    emit changed();
}

int RibbonGalleryGroup::getItemCount() const
{
    return m_items.size();
}

RibbonGalleryItem* RibbonGalleryGroup::getItem(int index) const
{
    return m_items.value(index, nullptr);
}

int RibbonGalleryGroup::indexOf(const RibbonGalleryItem* item) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i) == item)
            return i;
    }
    return -1;
}

} // namespace JtRc
