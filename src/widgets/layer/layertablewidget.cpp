#include "layertablewidget.h"

#include "editornotices_p.h"
#include "frozentablewidget.h"
#include "layeraction.h"
#include "layercolumnmenu_p.h"
#include "layercolumns.h"
#include "layerdelegate.h"
#include "layeritemmodel_p.h"
#include "layertablerows_p.h"
#include "layertexts_p.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace KvCc {

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

    rowBuffer = defaultLayerRow();
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

void LayerTableWidget::slotLayerChanged()
{
    emit updateLayerCombo();
}

} // namespace KvCc
