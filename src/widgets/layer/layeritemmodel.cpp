#include "layeritemmodel_p.h"

#include "layercolumns.h"

#include <QSignalBlocker>
#include <QVector>

#include <algorithm>

namespace KvCc {

namespace {

// The roles the layer table keeps in its cells: the text of every cell,
// and on the name cell the name the row was loaded with.
int movedRoleCount(int column)
{
    return column == NameColumn ? 2 : 1;
}

const int movedRoles[] = {Qt::DisplayRole, LoadedNameRole};

// Row numbers are sorted as a type of this file, so the sorting templates
// instantiated for them stay inside the library instead of being exported.
struct RowNumber
{
    int value;
};

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
    QVector<RowNumber> sortable;
    QVector<int> unsortable;
    sortable.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        if (item(row, column))
            sortable << RowNumber{row};
        else
            unsortable << row;
    }
    if (order == Qt::AscendingOrder) {
        std::stable_sort(sortable.begin(), sortable.end(), [this, column](RowNumber a, RowNumber b) {
            return *item(a.value, column) < *item(b.value, column);
        });
    } else {
        std::stable_sort(sortable.begin(), sortable.end(), [this, column](RowNumber a, RowNumber b) {
            return *item(b.value, column) < *item(a.value, column);
        });
    }
    QVector<int> sorted;
    sorted.reserve(rows);
    for (const RowNumber& number : qAsConst(sortable))
        sorted << number.value;
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

void LayerItemModel::loadRows(const QList<QStringList>& rows, const QVector<int>& order)
{
    const int count = order.size();
    const int columns = columnCount();
    if (rowCount() > count)
        removeRows(count, rowCount() - count);
    const int reused = rowCount();
    if (reused > 0) {
        {
            // One change of the whole range below stands for every cell.
            const QSignalBlocker blocker(this);
            for (int row = 0; row < reused; ++row) {
                const QStringList& fields = rows.at(order.at(row));
                for (int c = 0; c < columns; ++c) {
                    QStandardItem* cell = item(row, c);
                    if (!cell) {
                        cell = new QStandardItem();
                        setItem(row, c, cell);
                    }
                    cell->setData(fields.value(c), Qt::DisplayRole);
                    if (c == NameColumn)
                        cell->setData(fields.value(NameColumn), LoadedNameRole);
                }
            }
        }
        emit dataChanged(index(0, 0), index(reused - 1, columns - 1));
    }
    for (int row = reused; row < count; ++row) {
        const QStringList& fields = rows.at(order.at(row));
        QList<QStandardItem*> items;
        items.reserve(columns);
        for (int c = 0; c < columns; ++c)
            items << new QStandardItem(fields.value(c));
        if (NameColumn < columns)
            items.at(NameColumn)->setData(fields.value(NameColumn), LoadedNameRole);
        appendRow(items);
    }
}

} // namespace KvCc
