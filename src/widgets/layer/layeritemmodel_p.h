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

    // Makes the model hold rows[order[0]], rows[order[1]], ... with each
    // row's name kept as its loaded name. Items already there are reused:
    // their texts are overwritten (announced as one change of the whole
    // range), surplus rows are removed and missing ones appended, which
    // spares a reload of the drawing freeing and making every item anew.
    void loadRows(const QList<QStringList>& rows, const QVector<int>& order);
};

} // namespace KvCc
