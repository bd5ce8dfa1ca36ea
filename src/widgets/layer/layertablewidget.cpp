#include "layertablewidget.h"

#include "editornotices_p.h"
#include "frozentablewidget.h"
#include "kvlayerutility.h"
#include "layeraction.h"
#include "layercolumnmenu_p.h"
#include "layercolumns.h"
#include "layerdelegate.h"
#include "layeritemmodel_p.h"
#include "layernames_p.h"
#include "layertexts_p.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <algorithm>

namespace KvCc {

namespace {

QStringList defaultRow()
{
    return {QStringLiteral("true"),  QStringLiteral("0"),          QStringLiteral("true"),
            QStringLiteral("true"),  QStringLiteral("true"),       QStringLiteral("ll*white"),
            QStringLiteral("Continuous"), QStringLiteral("Default"), QStringLiteral("Color-7"),
            QStringLiteral("true"),  QStringLiteral("true"),       QStringLiteral("true"),
            QString()};
}

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

LayerTableWidget::LayerTableWidget(QWidget* parent)
    : QTableView(parent)
{
    itemModel = new LayerItemModel();
    layerModel = itemModel;
    setModel(layerModel);
    QStringList labels;
    for (int column = 0; column < LayerColumnCount; ++column)
        labels << LayerTexts::headerLabel(column);
    layerModel->setHorizontalHeaderLabels(labels);

    // Sorting is switched on while the model is still empty: switching it
    // on sorts, and the load sorts the rows once more anyway.
    setSortingEnabled(true);
    sortByColumn(NameColumn, Qt::AscendingOrder);

    rowBuffer = defaultRow();
    InitLayerModel();

    layerDelegate = new LayerDelegate();
    setItemDelegate(layerDelegate);

    setUpLook();
    setColumnWidths();

    frozenTable = new FrozenTableWidget(this);
    //: A name for code, never shown: keep it as it is.
    frozenTable->setObjectName(tr("frozenTable"));
    InitFreezeView();
    creatActions();

    setColumnHidden(ViewportFreezeColumn, true);
    connectParts();
}

LayerTableWidget::~LayerTableWidget()
{
    writeSettings();
    // An editor open while the views go takes no more notices to views half destroyed.
    layerDelegate->disconnect(frozenTable);
    layerDelegate->disconnect(this);
    delete frozenTable;
    frozenTable = nullptr;
    delete layerModel;
    layerModel = nullptr;
    itemModel = nullptr;
    delete columnMenu;
    columnMenu = nullptr;
    // Last, as the overlay and any open editor used it.
    delete layerDelegate;
    layerDelegate = nullptr;
}

void LayerTableWidget::setUpLook()
{
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->hide();
    setShowGrid(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void LayerTableWidget::setColumnWidths()
{
    // The header keeps every section at least at its minimum size, whichever
    // order the calls come in: the mark column asks for 18 pixels and is 30
    // wide, as are all columns set narrower.
    horizontalHeader()->setMinimumSectionSize(30);
    setColumnWidth(CurrentColumn, 18);
    setColumnWidth(NameColumn, 60);
    setColumnWidth(OnColumn, 30);
    setColumnWidth(FreezeColumn, 45);
    setColumnWidth(LockColumn, 40);
    setColumnWidth(ColorColumn, 50);
    setColumnWidth(PlotColumn, 45);
    // The columns without a width of their own fit their usual texts in the
    // view's font, and the description takes what room is left.
    const QFontMetrics metrics(font());
    const int linetype = metrics.horizontalAdvance(QStringLiteral("Continuous")) + 12;
    setColumnWidth(LinetypeColumn, qMax(columnWidth(LinetypeColumn), linetype));
    const int lineweight = qMax(metrics.horizontalAdvance(QStringLiteral("0.00 mm")),
                                metrics.horizontalAdvance(QStringLiteral("Default")))
        + 12;
    setColumnWidth(LineweightColumn, qMax(columnWidth(LineweightColumn), lineweight * 3 / 2));
    // A translated header label wider than the English one widens its
    // column by the difference, so it is cut no more than the English one.
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    for (int column = OnColumn; column < LayerColumnCount; ++column) {
        const int extra = headerMetrics.horizontalAdvance(LayerTexts::headerLabel(column))
            - headerMetrics.horizontalAdvance(layerTableHeaders().at(column));
        if (extra > 0)
            setColumnWidth(column, columnWidth(column) + extra);
    }
    horizontalHeader()->setStretchLastSection(true);
}

void LayerTableWidget::connectParts()
{
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    frozenTable->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this, &LayerTableWidget::show_contextMenu);
    connect(frozenTable->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            &LayerTableWidget::show_contextMenu);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &LayerTableWidget::updateSectionWidth);
    connect(frozenTable->horizontalHeader(), &QHeaderView::sectionResized, this,
            &LayerTableWidget::updateFrozenSectionWidth);

    connect(frozenTable->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, frozenTable->verticalScrollBar(),
            &QScrollBar::setValue);

    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &LayerTableWidget::slotSortIndexChanged);
    connect(frozenTable->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &LayerTableWidget::slotSortIndexChanged);

    connect(layerDelegate, &LayerDelegate::updateCurretnLayer, this, &LayerTableWidget::updateCurretnLayer);
    connect(layerDelegate, &LayerDelegate::layerDataChanged, this, &LayerTableWidget::slotLayerChanged);
}

void LayerTableWidget::InitFreezeView()
{
    frozenTable->setSortingEnabled(true);
    frozenTable->sortByColumn(NameColumn, Qt::AscendingOrder);
    QHeaderView* header = frozenTable->horizontalHeader();
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(30);
    frozenTable->verticalHeader()->setDefaultSectionSize(22);
    frozenTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    frozenTable->setShowGrid(false);
    frozenTable->setEditTriggers(QAbstractItemView::NoEditTriggers);

    frozenTable->setModel(model());
    frozenTable->setItemDelegate(itemDelegate());
    routeEditorNotices(this);
    routeEditorNotices(frozenTable);
    frozenTable->verticalHeader()->hide();
    header->setSectionResizeMode(QHeaderView::Fixed);
    // The name column is widened from the overlay's header, the only one
    // a user can reach for it; the view follows (updateFrozenSectionWidth).
    header->setSectionResizeMode(NameColumn, QHeaderView::Interactive);

    viewport()->stackUnder(frozenTable);
    frozenTable->setSelectionModel(selectionModel());

    for (int column = OnColumn; column < model()->columnCount(); ++column)
        frozenTable->setColumnHidden(column, true);
    frozenTable->setColumnWidth(CurrentColumn, columnWidth(CurrentColumn));
    frozenTable->setColumnWidth(NameColumn, columnWidth(NameColumn));

    frozenTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozenTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozenTable->show();
    updateLayerTreeGeometry();

    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    frozenTable->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    frozenTable->setFocus(Qt::MouseFocusReason);
    // Only the current index moves: the current layer's row stays selected.
    frozenTable->selectionModel()->setCurrentIndex(model()->index(0, NameColumn),
                                                   QItemSelectionModel::NoUpdate);
}

void LayerTableWidget::updateLayerTreeGeometry()
{
    if (!frozenTable)
        return;
    frozenTable->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(),
                             columnWidth(CurrentColumn) + columnWidth(NameColumn),
                             viewport()->height() + horizontalHeader()->height());
}

void LayerTableWidget::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateLayerTreeGeometry();
}

void LayerTableWidget::updateSectionWidth(int logicalIndex, int, int newSize)
{
    if (logicalIndex != CurrentColumn && logicalIndex != NameColumn)
        return;
    if (frozenTable)
        frozenTable->setColumnWidth(logicalIndex, newSize);
    updateLayerTreeGeometry();
}

void LayerTableWidget::updateFrozenSectionWidth(int logicalIndex, int, int newSize)
{
    if (logicalIndex == CurrentColumn || logicalIndex == NameColumn)
        setColumnWidth(logicalIndex, newSize);
}

void LayerTableWidget::updateSectionHeight(int logicalIndex, int, int newSize)
{
    if (frozenTable)
        frozenTable->setRowHeight(logicalIndex, newSize);
}

void LayerTableWidget::slotSortIndexChanged(int column, Qt::SortOrder order)
{
    // Both views show one model, which the header that changed has sorted
    // already: the other header only follows, quietly, so the model is not
    // sorted a second time.
    QHeaderView* headers[] = {horizontalHeader(), frozenTable ? frozenTable->horizontalHeader() : nullptr};
    for (QHeaderView* header : headers) {
        if (!header || (header->sortIndicatorSection() == column && header->sortIndicatorOrder() == order))
            continue;
        const QSignalBlocker blocker(header);
        header->setSortIndicator(column, order);
    }
}

QModelIndex LayerTableWidget::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (frozenTable && cursorAction == MoveLeft && current.column() > NameColumn) {
        const int covered = frozenTable->columnWidth(CurrentColumn) + frozenTable->columnWidth(NameColumn);
        const int left = visualRect(current).topLeft().x();
        if (left < covered)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + left - covered);
    }
    return current;
}

void LayerTableWidget::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (index.column() > NameColumn)
        QTableView::scrollTo(index, hint);
}

void LayerTableWidget::creatActions()
{
    //: A name for code, never shown: keep it as it is.
    columnMenu = LayerColumnMenu::create(tr("layerManager"), horizontalHeader());
    const QList<QAction*> actions = columnMenu->actions();
    for (QAction* action : actions) {
        if (!action->isChecked())
            setColumnHidden(layerTableHeaders().indexOf(action->objectName()), true);
        if (auto* columnAction = qobject_cast<LayerAction*>(action))
            connect(columnAction, &LayerAction::layerTriggered, this, &LayerTableWidget::layerColumnVisiable);
    }
}

void LayerTableWidget::writeSettings()
{
    if (columnMenu)
        LayerColumnMenu::writeSettings(columnMenu);
}

void LayerTableWidget::layerColumnVisiable(int column, bool visible)
{
    if (column == NameColumn && !visible)
        return;
    setColumnHidden(column, !visible);
}

void LayerTableWidget::show_contextMenu(const QPoint&)
{
    columnMenu->exec(QCursor::pos());
}

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
        rowBuffer = defaultRow();
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

void LayerTableWidget::slotLayerChanged()
{
    emit updateLayerCombo();
}

} // namespace KvCc
