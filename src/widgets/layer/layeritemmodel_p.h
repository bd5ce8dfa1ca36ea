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
    // State cells also answer what they show in words, for tool tips and
    // screen readers (LayerTexts::stateCellData).
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The order in which sorting by name ascending puts rows loaded from
    // these snapshot rows: their numbers, first to last.
    static QVector<int> nameOrder(const QList<QStringList>& rows);

    // Makes the model hold rows[order[0]], rows[order[1]], ... with each
    // row's name kept as its loaded name. Items already there are reused:
    // their texts are overwritten (announced as one change of the whole
    // range), surplus rows are removed and missing ones appended, which
    // spares a reload of the drawing freeing and making every item anew.
    void loadRows(const QList<QStringList>& rows, const QVector<int>& order);

    // Inserts a row of these texts at row. A loaded row keeps its name as
    // its loaded name; any other stands for no layer of the drawing.
    void insertTextRow(int row, const QStringList& fields, bool loaded);

private:
    // Row numbers in the order sort() puts them.
    QVector<int> sortedRows(int column, Qt::SortOrder order) const;
    // Row i takes the cell contents of row sorted[i].
    void moveContents(const QVector<int>& sorted);
    void movePersistentIndexes(const QVector<int>& sorted);
};

} // namespace KvCc
