#include "layertablewidget.h"

#include "frozentablewidget.h"
#include "kvlayerutility.h"
#include "layercolumns.h"
#include "layeritemmodel_p.h"
#include "layernames_p.h"
#include "layertablerows_p.h"

#include <QHeaderView>
#include <QStandardItemModel>

#include <algorithm>

// The table's operations on its rows: loading the drawing's layers, adding,
// removing, making current and filtering by name. The view itself (its
// columns, the frozen name column, settings) is set up in layertablewidget.cpp.

namespace KvCc {

QStringList defaultLayerRow()
{
    return {QStringLiteral("true"),  QStringLiteral("0"),          QStringLiteral("true"),
            QStringLiteral("true"),  QStringLiteral("true"),       QStringLiteral("ll*white"),
            QStringLiteral("Continuous"), QStringLiteral("Default"), QStringLiteral("Color-7"),
            QStringLiteral("true"),  QStringLiteral("true"),       QStringLiteral("true"),
            QString()};
}

namespace {

// The table row of the current layer once the rows are loaded in order,
// and its name; with no current layer, the row loaded first and no name.
int currentLoadedRow(const QList<QStringList>& rows, const QVector<int>& order, QString& name)
{
    const QString yes = QStringLiteral("true");
    int current = -1;
    for (int i = 0; i < order.size(); ++i) {
        const QStringList& row = rows.at(order.at(i));
        if (row.value(CurrentColumn) == yes) {
            name = row.value(NameColumn);
            current = i;
        }
    }
    for (int i = 0; current < 0 && i < order.size(); ++i) {
        if (order.at(i) == 0)
            current = i;
    }
    return current;
}

} // namespace

void LayerTableWidget::insertRowData(int row)
{
    itemModel->insertTextRow(row, rowBuffer, false);
}

void LayerTableWidget::InitLayerModel()
{
    QList<QStringList> rows;
    KvLayerUtility utility;
    if (utility.getAllLayerDate(rows) == 0) {
        layerModel->removeRows(0, layerModel->rowCount());
        return;
    }
    if (utility.isModelSpace())
        setColumnHidden(ViewportFreezeColumn, true);

    // The rows go in already in name order, as sorting the table by name
    // would leave them, so the table need not sort itself afterwards.
    const QVector<int> order = LayerItemModel::nameOrder(rows);
    forgetRowStates();
    itemModel->loadRows(rows, order);

    QString currentName;
    const int currentRow = currentLoadedRow(rows, order, currentName);
    // The buffer keeps the last layer's fields for new rows, but never its mark.
    rowBuffer = rows.last();
    while (rowBuffer.size() < LayerColumnCount)
        rowBuffer << QString();
    rowBuffer[CurrentColumn] = QStringLiteral("false");

    selectRow(currentRow);
    slotSortIndexChanged(NameColumn, Qt::AscendingOrder);
    emit updateCurretnLayer(currentName);
}

void LayerTableWidget::forgetRowStates()
{
    // Nothing of the old rows outlives a load: no open editor, selection
    // or hidden row may pass to the layer that now takes its place.
    reset();
    if (frozenTable)
        frozenTable->reset();
    QTableView* views[] = {this, frozenTable};
    for (QTableView* view : views) {
        if (!view)
            continue;
        QVector<int> hidden;
        for (int row = 0; row < layerModel->rowCount(); ++row) {
            if (view->isRowHidden(row))
                hidden << row;
        }
        setRowsHidden(view, hidden, false);
    }
}

void LayerTableWidget::addLayer()
{
    const int n = layerModel->rowCount();
    QStringList names;
    for (int row = 0; row < n; ++row) {
        const QStandardItem* item = layerModel->item(row, NameColumn);
        names << (item ? item->text() : QString());
    }
    usedNumbers = generatedLayerNumbers(names);
    const int number = newLayerNumber(n, usedNumbers);

    if (rowBuffer.size() <= NameColumn)
        rowBuffer = defaultLayerRow();
    rowBuffer[NameColumn] = QStringLiteral("Layer") + QString::number(number);
    insertRowData(n);

    const QModelIndex index = layerModel->index(n, NameColumn);
    frozenTable->editName(index);
}

void LayerTableWidget::remove()
{
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty())
        return;
    QVector<int> rows;
    rows.reserve(indexes.size());
    for (const QModelIndex& index : indexes)
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the highest row down, a run of neighbouring rows at a time.
    int i = rows.size() - 1;
    while (i >= 0) {
        const int last = rows.at(i);
        int first = last;
        while (i > 0 && rows.at(i - 1) == first - 1) {
            --i;
            --first;
        }
        layerModel->removeRows(first, last - first + 1);
        --i;
    }
}

void LayerTableWidget::setCurrentLayer()
{
    const int rows = layerModel->rowCount();
    int oldRow = -1;
    for (int row = 0; row < rows && oldRow < 0; ++row) {
        if (layerCellIsTrue(layerModel->index(row, CurrentColumn).data(Qt::DisplayRole)))
            oldRow = row;
    }
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty())
        return;
    const int target = indexes.last().row();
    if (target == (oldRow < 0 ? 0 : oldRow))
        return;

    layerModel->setData(layerModel->index(target, CurrentColumn), QLatin1String(currentLayerMark),
                        Qt::DisplayRole);
    // Clear every other mark, so exactly one row is marked afterwards.
    for (int row = qMax(oldRow, 0); row < rows; ++row) {
        if (row != target && layerCellIsTrue(layerModel->index(row, CurrentColumn).data(Qt::DisplayRole)))
            layerModel->setData(layerModel->index(row, CurrentColumn), QString(), Qt::DisplayRole);
    }
    emit updateCurretnLayer(layerModel->index(target, NameColumn).data(Qt::DisplayRole).toString());
}

void LayerTableWidget::setRowsHidden(QTableView* view, const QVector<int>& rows, bool hidden)
{
    if (rows.isEmpty())
        return;
    // A header with updates on works out the position of every section for
    // each section it hides or shows, which makes a long list quadratic.
    // With updates off it only records the change; the view then lays
    // itself out once.
    QHeaderView* header = view->verticalHeader();
    const bool updates = header->updatesEnabled();
    header->setUpdatesEnabled(false);
    for (int row : rows)
        view->setRowHidden(row, hidden);
    header->setUpdatesEnabled(updates);
    QMetaObject::invokeMethod(view, "updateGeometries");
    view->viewport()->update();
}

void LayerTableWidget::slotSearchLayer(const QString& text)
{
    const NamePattern pattern(text);
    const int rows = layerModel->rowCount();
    QTableView* views[] = {this, frozenTable};
    QVector<int> toShow[2];
    QVector<int> toHide[2];
    for (int row = 0; row < rows; ++row) {
        const QStandardItem* item = layerModel->item(row, NameColumn);
        const bool hide = !pattern.matches(item ? item->text() : QString());
        for (int v = 0; v < 2; ++v) {
            if (views[v] && views[v]->isRowHidden(row) != hide)
                (hide ? toHide[v] : toShow[v]) << row;
        }
    }
    // Only rows whose state changes are touched.
    for (int v = 0; v < 2; ++v) {
        if (!views[v])
            continue;
        setRowsHidden(views[v], toShow[v], false);
        setRowsHidden(views[v], toHide[v], true);
    }
}

} // namespace KvCc
