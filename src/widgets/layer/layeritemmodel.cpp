#include "layeritemmodel_p.h"

#include "layercolumns.h"

#include <QSignalBlocker>
#include <QVector>

#include <algorithm>
#include <numeric>

namespace KvCc {

namespace {

// The roles the layer table keeps in its cells: the text of every cell,
// and on the name cell the name the row was loaded with.
int movedRoleCount(int column)
{
    return column == NameColumn ? 2 : 1;
}

const int movedRoles[] = {Qt::DisplayRole, LoadedNameRole};

struct CellContent
{
    QVariant values[2];
};

} // namespace

void LayerItemModel::sort(int column, Qt::SortOrder order)
{
    const int rows = rowCount();
    const int columns = columnCount();
    if (column < 0 || column >= columns || rows < 2)
        return;

    // The same order as the standard model's: stable, by the items' own
    // comparison, rows without an item in the column last.
    QVector<int> sorted;
    QVector<int> unsortable;
    sorted.reserve(rows);
    for (int row = 0; row < rows; ++row)
        (item(row, column) ? sorted : unsortable) << row;
    if (order == Qt::AscendingOrder) {
        std::stable_sort(sorted.begin(), sorted.end(),
                         [this, column](int a, int b) { return *item(a, column) < *item(b, column); });
    } else {
        std::stable_sort(sorted.begin(), sorted.end(),
                         [this, column](int a, int b) { return *item(b, column) < *item(a, column); });
    }
    sorted += unsortable;

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QVector<int> newRowOf(rows);
    for (int row = 0; row < rows; ++row)
        newRowOf[sorted.at(row)] = row;
    {
        // The layout signals below stand for every cell written here.
        const QSignalBlocker blocker(this);
        QVector<CellContent> contents(rows * columns);
        for (int row = 0; row < rows; ++row) {
            for (int c = 0; c < columns; ++c) {
                if (const QStandardItem* cell = item(row, c)) {
                    for (int r = 0; r < movedRoleCount(c); ++r)
                        contents[row * columns + c].values[r] = cell->data(movedRoles[r]);
                }
            }
        }
        for (int row = 0; row < rows; ++row) {
            const int from = sorted.at(row);
            if (from == row)
                continue;
            for (int c = 0; c < columns; ++c) {
                QStandardItem* cell = item(row, c);
                if (!cell) {
                    cell = new QStandardItem();
                    setItem(row, c, cell);
                }
                for (int r = 0; r < movedRoleCount(c); ++r)
                    cell->setData(contents.at(from * columns + c).values[r], movedRoles[r]);
            }
        }
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(newRowOf.at(index.row()), index.column(), index.parent());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace KvCc
