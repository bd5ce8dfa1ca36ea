#include "layeritemmodel_p.h"

#include "layercolumns.h"
#include "layertexts_p.h"

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

// The rows 0 .. count - 1 in a stable order by less(a, b) on row numbers.
template<class Less>
QVector<int> stableRowOrder(int count, Less less)
{
    QVector<RowNumber> numbers(count);
    for (int i = 0; i < count; ++i)
        numbers[i].value = i;
    std::stable_sort(numbers.begin(), numbers.end(),
                     [&less](RowNumber a, RowNumber b) { return less(a.value, b.value); });
    QVector<int> order;
    order.reserve(count);
    for (const RowNumber& number : qAsConst(numbers))
        order << number.value;
    return order;
}

struct CellContent
{
    QVariant values[2];
};

} // namespace

QVariant LayerItemModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::AccessibleTextRole || role == Qt::AccessibleDescriptionRole || role == Qt::ToolTipRole) {
        const QString layer = index.sibling(index.row(), NameColumn).data(Qt::DisplayRole).toString();
        return LayerTexts::stateCellData(index.column(), index.data(Qt::DisplayRole), layer, role);
    }
    return QStandardItemModel::data(index, role);
}

QVector<int> LayerItemModel::nameOrder(const QList<QStringList>& rows)
{
    // The items' comparison of two texts, as sort() applies it.
    return stableRowOrder(rows.size(), [&rows](int a, int b) {
        return rows.at(a).value(NameColumn).compare(rows.at(b).value(NameColumn)) < 0;
    });
}

void LayerItemModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount() || rowCount() < 2)
        return;
    const QVector<int> sorted = sortedRows(column, order);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    {
        // The layout signals below stand for every cell written here.
        const QSignalBlocker blocker(this);
        moveContents(sorted);
    }
    movePersistentIndexes(sorted);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QVector<int> LayerItemModel::sortedRows(int column, Qt::SortOrder order) const
{
    // The same order as the standard model's: stable, by the items' own
    // comparison, rows without an item in the column last.
    const bool ascending = order == Qt::AscendingOrder;
    return stableRowOrder(rowCount(), [this, column, ascending](int a, int b) {
        const QStandardItem* first = item(a, column);
        const QStandardItem* second = item(b, column);
        if (!first || !second)
            return first && !second;
        return ascending ? *first < *second : *second < *first;
    });
}

void LayerItemModel::moveContents(const QVector<int>& sorted)
{
    const int rows = rowCount();
    const int columns = columnCount();
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

void LayerItemModel::movePersistentIndexes(const QVector<int>& sorted)
{
    QVector<int> newRowOf(sorted.size());
    for (int row = 0; row < sorted.size(); ++row)
        newRowOf[sorted.at(row)] = row;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(newRowOf.at(index.row()), index.column(), index.parent());
    changePersistentIndexList(before, after);
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
        insertTextRow(row, fields, true);
    }
}

void LayerItemModel::insertTextRow(int row, const QStringList& fields, bool loaded)
{
    const int columns = columnCount();
    QList<QStandardItem*> items;
    items.reserve(columns);
    for (int column = 0; column < columns; ++column)
        items << new QStandardItem(fields.value(column));
    if (loaded && NameColumn < columns)
        items.at(NameColumn)->setData(fields.value(NameColumn), LoadedNameRole);
    insertRow(row, items);
}

} // namespace KvCc
