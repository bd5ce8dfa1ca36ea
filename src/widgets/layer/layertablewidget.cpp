#include "layertablewidget.h"

#include "frozentablewidget.h"
#include "kvlayerutility.h"
#include "layeraction.h"
#include "layercolumns.h"
#include "layerdelegate.h"
#include "layeritemmodel_p.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <algorithm>
#include <memory>
#include <numeric>

namespace KvCc {

namespace {

const char* const currentMark = ":/IDB_LSTATE_CURRENT.png";

QStringList defaultRow()
{
    return {QStringLiteral("true"),  QStringLiteral("0"),          QStringLiteral("true"),
            QStringLiteral("true"),  QStringLiteral("true"),       QStringLiteral("ll*white"),
            QStringLiteral("Continuous"), QStringLiteral("Default"), QStringLiteral("Color-7"),
            QStringLiteral("true"),  QStringLiteral("true"),       QStringLiteral("true"),
            QString()};
}

QSettings* openSettings()
{
    return new QSettings(QStringLiteral("Quorvane"), QStringLiteral("VantorViewer"));
}

// The number of a generated name "Layer<n>" (any letter case, no leading
// zero), or 0 when name is not one.
int generatedNumber(const QString& name)
{
    if (name.size() < 6 || name.leftRef(5).compare(QLatin1String("layer"), Qt::CaseInsensitive) != 0)
        return 0;
    const QStringRef digits = name.midRef(5);
    if (digits.at(0) == QLatin1Char('0'))
        return 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok ? number : 0;
}

// The search rule: the pattern (lower case) with at most one "*" wildcard.
class NamePattern
{
public:
    explicit NamePattern(const QString& text)
        : pattern(text.toLower())
    {
        if (pattern.isEmpty())
            return;
        const int star = pattern.indexOf(QLatin1Char('*'));
        if (star == 0) {
            suffix = pattern.mid(1);
        } else if (pattern.endsWith(QLatin1Char('*'))) {
            prefix = pattern.left(pattern.size() - 1);
        } else if (star > 0) {
            prefix = pattern.left(star);
            suffix = pattern.mid(star + 1);
        } else {
            prefix = pattern;
        }
    }

    bool matches(const QString& name) const
    {
        if (pattern.isEmpty())
            return true;
        const QString lower = name.toLower();
        // Prefix and suffix must not overlap: "la*a" does not match "la".
        return lower.size() >= prefix.size() + suffix.size() && lower.startsWith(prefix)
            && lower.endsWith(suffix);
    }

private:
    QString pattern;
    QString prefix;
    QString suffix;
};

} // namespace

LayerTableWidget::LayerTableWidget(QWidget* parent)
    : QTableView(parent)
{
    layerModel = new LayerItemModel();
    setModel(layerModel);
    layerModel->setHorizontalHeaderLabels(layerTableHeaders());

    // Sorting is switched on while the model is still empty: switching it
    // on sorts, and the load sorts the rows once more anyway.
    setSortingEnabled(true);
    sortByColumn(NameColumn, Qt::AscendingOrder);

    rowBuffer = defaultRow();
    InitLayerModel();

    layerDelegate = new LayerDelegate();
    setItemDelegate(layerDelegate);

    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->hide();
    setShowGrid(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The minimum comes first: raising it afterwards would widen the
    // 18-pixel mark column to the minimum.
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
    horizontalHeader()->setStretchLastSection(true);

    frozenTable = new FrozenTableWidget(this);
    frozenTable->setObjectName(tr("frozenTable"));
    InitFreezeView();
    creatActions();

    setColumnHidden(ViewportFreezeColumn, true);

    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    frozenTable->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), SIGNAL(customContextMenuRequested(QPoint)), this,
            SLOT(show_contextMenu(QPoint)));
    connect(frozenTable->horizontalHeader(), SIGNAL(customContextMenuRequested(QPoint)), this,
            SLOT(show_contextMenu(QPoint)));

    connect(horizontalHeader(), SIGNAL(sectionResized(int,int,int)), this,
            SLOT(updateSectionWidth(int,int,int)));
    connect(frozenTable->horizontalHeader(), SIGNAL(sectionResized(int,int,int)), this,
            SLOT(updateFrozenSectionWidth(int,int,int)));

    connect(frozenTable->verticalScrollBar(), SIGNAL(valueChanged(int)), verticalScrollBar(),
            SLOT(setValue(int)));
    connect(verticalScrollBar(), SIGNAL(valueChanged(int)), frozenTable->verticalScrollBar(),
            SLOT(setValue(int)));

    connect(horizontalHeader(), SIGNAL(sortIndicatorChanged(int,Qt::SortOrder)), this,
            SLOT(slotSortIndexChanged(int,Qt::SortOrder)));
    connect(frozenTable->horizontalHeader(), SIGNAL(sortIndicatorChanged(int,Qt::SortOrder)), this,
            SLOT(slotSortIndexChanged(int,Qt::SortOrder)));

    connect(layerDelegate, SIGNAL(updateCurretnLayer(QString)), this, SIGNAL(updateCurretnLayer(QString)));
    connect(layerDelegate, SIGNAL(layerDataChanged()), this, SLOT(slotLayerChanged()));
}

LayerTableWidget::~LayerTableWidget()
{
    writeSettings();
    delete frozenTable;
    frozenTable = nullptr;
    delete layerModel;
    layerModel = nullptr;
    delete columnMenu;
    columnMenu = nullptr;
    // Last, as the overlay and any open editor used it.
    delete layerDelegate;
    layerDelegate = nullptr;
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
    columnMenu = new QMenu(tr("layerManager"), horizontalHeader());
    const std::unique_ptr<QSettings> settings(openSettings());
    const QStringList& labels = layerTableHeaders();
    for (int i = 0; i < labels.size(); ++i) {
        if (i == CurrentColumn || i == ViewportFreezeColumn)
            continue;
        settings->beginGroup(labels.at(i));
        auto* action = new LayerAction(labels.at(i), columnMenu);
        action->setObjectName(labels.at(i));
        // No stored value may leave a column that the menu can never bring
        // back: every entry stays checkable, and the name is always shown.
        action->setCheckable(true);
        const bool checked = i == NameColumn || settings->value(QStringLiteral("isChecked"), true).toBool();
        action->setChecked(checked);
        columnMenu->addAction(action);
        if (i == NameColumn)
            action->setEnabled(false);
        settings->endGroup();
        if (!checked)
            setColumnHidden(i, true);
        connect(action, SIGNAL(layerTriggered(int,bool)), this, SLOT(layerColumnVisiable(int,bool)));
    }
}

void LayerTableWidget::writeSettings()
{
    if (!columnMenu)
        return;
    const std::unique_ptr<QSettings> settings(openSettings());
    const QList<QAction*> actions = columnMenu->actions();
    for (QAction* action : actions) {
        settings->beginGroup(action->objectName());
        settings->setValue(QStringLiteral("isChecked"), action->isChecked());
        settings->setValue(QStringLiteral("isCheckable"), action->isCheckable());
        settings->setValue(QStringLiteral("isEnabled"), action->isEnabled());
        settings->endGroup();
    }
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

void LayerTableWidget::insertRowTexts(int row, const QStringList& fields, const QString& loadedName)
{
    const int columns = layerModel->columnCount();
    QList<QStandardItem*> items;
    items.reserve(columns);
    for (int column = 0; column < columns; ++column)
        items << new QStandardItem(fields.value(column));
    if (!loadedName.isNull() && NameColumn < columns)
        items.at(NameColumn)->setData(loadedName, LoadedNameRole);
    layerModel->insertRow(row, items);
}

void LayerTableWidget::insertRowData(int row)
{
    insertRowTexts(row, rowBuffer, QString());
}

void LayerTableWidget::InitLayerModel()
{
    layerModel->removeRows(0, layerModel->rowCount());
    QList<QStringList> rows;
    KvLayerUtility utility;
    if (utility.getAllLayerDate(rows) == 0)
        return;
    if (utility.isModelSpace())
        setColumnHidden(ViewportFreezeColumn, true);

    // The rows go in already in name order, as sorting the table by name
    // would leave them (a stable, case-sensitive comparison of the names),
    // so the table need not sort itself afterwards.
    QVector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&rows](int a, int b) {
        return rows.at(a).value(NameColumn).compare(rows.at(b).value(NameColumn)) < 0;
    });

    const QString yes = QStringLiteral("true");
    QString currentName;
    int currentRow = -1;
    for (int i = 0; i < order.size(); ++i) {
        const QStringList& row = rows.at(order.at(i));
        insertRowTexts(i, row, row.value(NameColumn));
        if (row.value(CurrentColumn) == yes) {
            currentName = row.value(NameColumn);
            currentRow = i;
        }
    }
    // With no current layer the row loaded first is selected.
    if (currentRow < 0)
        currentRow = int(std::find(order.cbegin(), order.cend(), 0) - order.cbegin());
    // The buffer keeps the last layer's fields for new rows, but never its mark.
    rowBuffer = rows.last();
    while (rowBuffer.size() < LayerColumnCount)
        rowBuffer << QString();
    rowBuffer[CurrentColumn] = QStringLiteral("false");

    selectRow(currentRow);
    slotSortIndexChanged(NameColumn, Qt::AscendingOrder);
    emit updateCurretnLayer(currentName);
}

void LayerTableWidget::addLayer()
{
    const int n = layerModel->rowCount();
    usedNumbers.clear();
    int number = n;
    if (n >= 2) {
        for (int row = 0; row < n; ++row) {
            const QStandardItem* item = layerModel->item(row, NameColumn);
            const int used = item ? generatedNumber(item->text()) : 0;
            if (used > 0)
                usedNumbers << used;
        }
        std::sort(usedNumbers.begin(), usedNumbers.end());
        const int k = usedNumbers.size();
        if (k == 0 || usedNumbers.last() == k) {
            number = k + 1;
        } else {
            number = 1;
            while (number <= k && usedNumbers.at(number - 1) == number)
                ++number;
        }
    } else if (n == 1) {
        const QStandardItem* item = layerModel->item(0, NameColumn);
        if (item && generatedNumber(item->text()) > 0)
            usedNumbers << generatedNumber(item->text());
    }
    // Never hand out a name that a row already bears.
    while (number > 0 && usedNumbers.contains(number))
        ++number;

    if (rowBuffer.size() <= NameColumn)
        rowBuffer = defaultRow();
    rowBuffer[NameColumn] = QStringLiteral("Layer") + QString::number(number);
    insertRowData(n);

    const QModelIndex index = layerModel->index(n, NameColumn);
    frozenTable->setFocus(Qt::OtherFocusReason);
    frozenTable->setCurrentIndex(index);
    frozenTable->edit(index);
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

    layerModel->setData(layerModel->index(target, CurrentColumn), QLatin1String(currentMark),
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
