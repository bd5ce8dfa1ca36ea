#pragma once

#include <QStandardItemModel>

namespace KvCc {

// The layer table's item model. It sorts by moving the cell contents
// between items instead of moving the items: a standard item model that
// reorders its items leaves each item's remembered position stale, and every
// later lookup of an item (each cell removed by a reload, each click) then
// scans for it, which makes reloading a sorted table quadratic.
class LayerItemModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
};

} // namespace KvCc
