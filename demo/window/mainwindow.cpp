#include "mainwindow.h"

#include "drawingcanvas.h"
#include "drawingdocument.h"
#include "dxfimport.h"
#include "samplefloorplan.h"

#include <KvAppBase.h>

#include "colorcombobox.h"
#include "kvlineweightdialog.h"
#include "layerlinetypedialog.h"
#include "layerlineweightdialog.h"
#include "layerwarningdialog.h"
#include "kvlayerutility.h"
#include "layercolumns.h"
#include "layercombobox.h"
#include "layercontrol.h"
#include "layermanager.h"
#include "layertablewidget.h"
#include "layeritem.h"
#include "linetypecombobox.h"
#include "linewidthcombobox.h"
#include "minmaxbutton.h"
#include "ribbongallery.h"
#include "ribbongalleryitem.h"
#include "stackwidget.h"
#include "textstylecombobox.h"
#include "viewbutton.h"
#include "viewgallery.h"
#include "viewportgallery.h"
#include "visualstylecombobox.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

// The host images live in this static library's own resource bundle,
// which a static library must register by hand.
static void registerHostImages()
{
    Q_INIT_RESOURCE(hostimages);
}

namespace Demo {
namespace {

// The palette keeps on each row's name cell the name of the drawing's layer
// the row stands for; the host keeps it true when it creates or renames one.
const int kDrawingNameRole = KvCc::LoadedNameRole;

// A ribbon panel: its widgets above, its caption below, a divider at the right.
QFrame* makePanel(QWidget* parent, const QString& caption, QLayout* content)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::NoFrame);
    auto* outer = new QHBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(6, 3, 6, 1);
    column->setSpacing(2);
    column->addLayout(content, 1);
    auto* label = new QLabel(caption, panel);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    QPalette muted = label->palette();
    muted.setColor(QPalette::WindowText, QColor(95, 100, 110));
    label->setPalette(muted);
    column->addWidget(label);
    outer->addLayout(column);
    auto* divider = new QFrame(panel);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    outer->addWidget(divider);
    return panel;
}

// The dark strip above the panels that holds the tab name and the fold
// buttons, whose white glyphs need a dark ground.
class RibbonTabStrip : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(52, 62, 76));
        QFrame::paintEvent(event);
    }
};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_document(std::make_unique<DrawingDocument>())
{
    registerHostImages();
    setObjectName(QStringLiteral("kvccDemoWindow"));
    resize(1360, 820);

    auto* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open = fileMenu->addAction(QStringLiteral("&Open DXF..."));
    open->setShortcut(QKeySequence::Open);
    connect(open, SIGNAL(triggered()), this, SLOT(slotOpen()));
    QAction* sample = fileMenu->addAction(QStringLiteral("Open the &sample drawing"));
    connect(sample, &QAction::triggered, this, [this] { openSample(); });
    fileMenu->addSeparator();
    QAction* quit = fileMenu->addAction(QStringLiteral("E&xit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, SIGNAL(triggered()), this, SLOT(close()));

    m_canvas = new DrawingCanvas(this);
    setCentralWidget(m_canvas);

    buildRibbon();
    buildPalette();

    m_layerStatus = new QLabel(this);
    m_objectStatus = new QLabel(this);
    m_skippedStatus = new QLabel(this);
    statusBar()->addPermanentWidget(m_layerStatus);
    statusBar()->addPermanentWidget(m_objectStatus);
    statusBar()->addPermanentWidget(m_skippedStatus);

    kvSetLayerTableChangesCallback([this] { slotLayerTableChanged(); });
}

MainWindow::~MainWindow()
{
    kvSetLayerTableChangesCallback({});
    // The floating property page watches its layer row's events; it goes
    // first, so that it never sees the row half torn down.
    delete m_propertyPage;
    m_propertyPage = nullptr;
    // The widgets read the drawing until they are gone; close it last.
    delete m_paletteDock;
    m_paletteDock = nullptr;
    m_document->close();
}

void MainWindow::buildRibbon()
{
    auto* bar = new QToolBar(QStringLiteral("Ribbon"), this);
    bar->setObjectName(QStringLiteral("ribbonBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, bar);

    m_ribbon = new QWidget(bar);
    m_ribbon->setObjectName(QStringLiteral("ribbon"));
    auto* ribbonLayout = new QVBoxLayout(m_ribbon);
    ribbonLayout->setContentsMargins(0, 0, 0, 0);
    ribbonLayout->setSpacing(0);

    // The tab strip: the tab's name and the strip that folds the ribbon.
    auto* tabs = new RibbonTabStrip(m_ribbon);
    tabs->setObjectName(QStringLiteral("ribbonTabs"));
    QPalette dark = tabs->palette();
    dark.setColor(QPalette::Window, QColor(52, 62, 76));
    dark.setColor(QPalette::WindowText, QColor(235, 240, 245));
    tabs->setPalette(dark);
    auto* tabLayout = new QHBoxLayout(tabs);
    tabLayout->setContentsMargins(10, 2, 4, 2);
    auto* tabName = new QLabel(QStringLiteral("Home"), tabs);
    QFont bold = tabName->font();
    bold.setBold(true);
    tabName->setFont(bold);
    tabName->setPalette(dark);
    tabLayout->addWidget(tabName);
    tabLayout->addStretch(1);
    m_minMax = new KvCc::MinMaxButton(tabs);
    tabLayout->addWidget(m_minMax);
    // The strip's buttons belong to the strip's parent; on the dark ground
    // they are drawn flat, glyph only.
    for (QPushButton* button : tabs->findChildren<QPushButton*>())
        button->setFlat(true);
    connect(m_minMax, SIGNAL(clickedMin()), this, SLOT(slotFoldRibbon()));
    connect(m_minMax, SIGNAL(clickedNormal()), this, SLOT(slotUnfoldRibbon()));
    connect(m_minMax, SIGNAL(clickedClosed()), this, SLOT(slotFoldRibbon()));
    ribbonLayout->addWidget(tabs);

    m_panels = new QWidget(m_ribbon);
    m_panels->setObjectName(QStringLiteral("ribbonPanels"));
    auto* panels = new QHBoxLayout(m_panels);
    panels->setContentsMargins(2, 2, 2, 2);
    panels->setSpacing(0);

    // Layers.
    auto* layers = new QVBoxLayout;
    m_layerControl = new KvCc::LayerControl(m_panels);
    m_layerCombo = m_layerControl->findChild<KvCc::LayerComboBox*>();
    // Layer names in a drawing run longer than the ribbon's drop-down is wide.
    m_layerCombo->view()->setMinimumWidth(260);
    layers->addWidget(m_layerControl);
    layers->addStretch(1);
    m_propertyPage = new KvCc::StackWidget(m_layerControl, this);
    panels->addWidget(makePanel(m_panels, QStringLiteral("Layers"), layers));
    connect(m_layerCombo, SIGNAL(layerComboBoxChanged()), this, SLOT(slotComboChanged()));
    connect(m_layerCombo, SIGNAL(activated(int)), this, SLOT(slotComboPicked(int)));

    // Properties of new objects.
    auto* props = new QGridLayout;
    props->setHorizontalSpacing(8);
    props->setVerticalSpacing(3);
    m_colorCombo = new KvCc::ColorComboBox(m_panels);
    props->addWidget(m_colorCombo, 0, 0);
    props->addWidget(new KvCc::LineTypeComboBox(m_panels), 1, 0);
    props->addWidget(new KvCc::LineWidthComboBox(m_panels), 2, 0);
    props->addWidget(new KvCc::TextStyleComboBox(m_panels), 0, 1);
    props->addWidget(new KvCc::VisualStyleComboBox(m_panels), 1, 1);
    props->setRowStretch(3, 1);
    panels->addWidget(makePanel(m_panels, QStringLiteral("Properties"), props));
    connect(m_colorCombo, SIGNAL(currentColorChanged(QColor)), this, SLOT(slotColorChosen(QColor)));

    // View.
    auto* view = new QHBoxLayout;
    view->setSpacing(6);
    auto* viewGallery = new KvCc::ViewGallery;
    auto* portGallery = new KvCc::ViewPortGallery;
    view->addWidget(viewGallery);
    view->addWidget(portGallery);
    auto* viewButtonColumn = new QVBoxLayout;
    m_viewButton = new KvCc::ViewButton(m_panels);
    viewButtonColumn->addWidget(m_viewButton);
    viewButtonColumn->addStretch(1);
    view->addLayout(viewButtonColumn);
    panels->addWidget(makePanel(m_panels, QStringLiteral("View"), view));
    connect(viewGallery, SIGNAL(itemPressed(RibbonGalleryItem*)), this, SLOT(slotGalleryPicked(RibbonGalleryItem*)));
    connect(portGallery, SIGNAL(itemPressed(RibbonGalleryItem*)), this, SLOT(slotGalleryPicked(RibbonGalleryItem*)));
    connect(m_viewButton, SIGNAL(geometryChanged()), this, SLOT(slotViewButtonChanged()));

    panels->addStretch(1);
    ribbonLayout->addWidget(m_panels);
    bar->addWidget(m_ribbon);
}

void MainWindow::slotFoldRibbon()
{
    m_panels->hide();
}

void MainWindow::slotUnfoldRibbon()
{
    m_panels->show();
}

void MainWindow::slotComboPicked(int row)
{
    // The drop-down only shows the current layer; making the picked layer
    // current is the host's work.
    QListWidgetItem* item = m_layerCombo->listWidget() ? m_layerCombo->listWidget()->item(row) : nullptr;
    auto* layerItem = item ? qobject_cast<KvCc::LayerItem*>(m_layerCombo->listWidget()->itemWidget(item)) : nullptr;
    if (!layerItem)
        return;
    makeCurrent(layerItem->currentLayerData().name);
}

void MainWindow::makeCurrent(const QString& name)
{
    if (name == m_document->currentLayerName())
        return;
    const QString error = m_document->setCurrentLayer(name);
    if (!error.isEmpty()) {
        showMessage(error);
        scheduleRefresh(RefreshCombo);
        return;
    }
    statusBar()->showMessage(QStringLiteral("Current layer: %1").arg(name), 5000);
    scheduleRefresh(RefreshAll);
}

void MainWindow::slotColorChosen(const QColor& color)
{
    statusBar()->showMessage(QStringLiteral("Color for new objects: %1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue()),
                             5000);
}

void MainWindow::slotGalleryPicked(RibbonGalleryItem* item)
{
    if (!item)
        return;
    statusBar()->showMessage(QStringLiteral("%1 chosen; this viewer shows the drawing in plan.").arg(item->caption()), 5000);
}

void MainWindow::slotViewButtonChanged()
{
    statusBar()->showMessage(QStringLiteral("View: %1").arg(m_viewButton->text()), 5000);
}

void MainWindow::buildPalette()
{
    m_paletteDock = new QDockWidget(QStringLiteral("Layer Manager"), this);
    m_paletteDock->setObjectName(QStringLiteral("layerPaletteDock"));
    auto* body = new QWidget(m_paletteDock);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_palette = new KvCc::LayerManager(body);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    auto addButton = [&](KvCc::LayerManager::LayerIcons icon, const QString& tip, const char* slot) {
        auto* button = new QToolButton(body);
        button->setIcon(QIcon(m_palette->drawIcon(icon, QSize(16, 16))));
        button->setToolTip(tip);
        button->setAutoRaise(true);
        connect(button, SIGNAL(clicked()), this, slot);
        buttons->addWidget(button);
        return button;
    };
    m_newButton = addButton(KvCc::LayerManager::IconNew, QStringLiteral("New layer"), SLOT(slotNewLayer()));
    m_deleteButton = addButton(KvCc::LayerManager::IconDelete, QStringLiteral("Delete layer"), SLOT(slotDeleteLayer()));
    m_currentButton =
        addButton(KvCc::LayerManager::IconCurrent, QStringLiteral("Set current layer"), SLOT(slotSetCurrentLayer()));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(m_palette, 1);
    m_paletteDock->setWidget(body);
    addDockWidget(Qt::LeftDockWidgetArea, m_paletteDock);
    // Wide enough for the name, state and color columns of a real drawing.
    resizeDocks({m_paletteDock}, {520}, Qt::Horizontal);

    connect(m_palette, SIGNAL(layerManagerChanged()), this, SLOT(slotPaletteChanged()));
    m_paletteTable = m_palette->findChild<KvCc::LayerTableWidget*>();
    if (m_paletteTable) {
        // Room for names and color names as drawings spell them.
        m_paletteTable->setColumnWidth(1, 150);
        m_paletteTable->setColumnWidth(5, 90);
    }
    m_paletteModel = m_paletteTable ? m_paletteTable->model() : nullptr;
    if (m_paletteModel) {
        connect(m_paletteModel, SIGNAL(rowsInserted(QModelIndex, int, int)), this,
                SLOT(slotPaletteRowsInserted(QModelIndex, int, int)));
        connect(m_paletteModel, SIGNAL(rowsRemoved(QModelIndex, int, int)), this,
                SLOT(slotPaletteRowsRemoved(QModelIndex, int, int)));
        connect(m_paletteModel, SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)), this,
                SLOT(slotPaletteDataChanged(QModelIndex, QModelIndex)));
    }
}

void MainWindow::openSample()
{
    openDrawing(sampleFloorPlan(), QString());
}

bool MainWindow::openFile(const QString& path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DxfImportResult result = DxfImport::readFile(path);
    QApplication::restoreOverrideCursor();
    if (!result.ok) {
        showMessage(QStringLiteral("Cannot open the drawing. %1").arg(result.error));
        return false;
    }
    openDrawing(result.drawing, path);
    return true;
}

void MainWindow::openDrawing(const Drawing& drawing, const QString& source)
{
    m_source = source;
    m_document->load(drawing);
    m_canvas->setDocument(m_document.get());
    const QString name = source.isEmpty() ? drawing.title : QFileInfo(source).fileName();
    setWindowTitle(QStringLiteral("%1 - KvCc demo viewer").arg(name));
    scheduleRefresh(RefreshAll);
    updateStatus();
    if (!drawing.notes.isEmpty())
        statusBar()->showMessage(drawing.notes.join(QLatin1Char(' ')), 15000);
}

void MainWindow::slotOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open drawing"), QString(),
                                                      QStringLiteral("DXF drawings (*.dxf *.DXF);;All files (*)"));
    if (!path.isEmpty())
        openFile(path);
}

QString MainWindow::skippedSummary() const
{
    QStringList parts;
    const QMap<QString, int>& skipped = m_document->drawing().skipped;
    for (auto it = skipped.constBegin(); it != skipped.constEnd(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.value()).arg(it.key());
    return parts.isEmpty() ? QString() : QStringLiteral("Not drawn: %1").arg(parts.join(QStringLiteral(", ")));
}

void MainWindow::updateStatus()
{
    const Drawing& d = m_document->drawing();
    m_layerStatus->setText(QStringLiteral("Layers: %1").arg(d.layers.size()));
    m_objectStatus->setText(QStringLiteral("Objects: %1").arg(d.entities.size()));
    // The whole list goes into the tool tip; the bar names the most common kinds.
    const QString skipped = skippedSummary();
    const QMap<QString, int>& counts = d.skipped;
    QList<QPair<int, QString>> kinds;
    int total = 0;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
        kinds.append(qMakePair(it.value(), it.key()));
        total += it.value();
    }
    std::sort(kinds.begin(), kinds.end(), [](const QPair<int, QString>& a, const QPair<int, QString>& b) {
        return a.first > b.first;
    });
    QStringList shown;
    for (int i = 0; i < kinds.size() && i < 4; ++i)
        shown << QStringLiteral("%1 %2").arg(kinds.at(i).first).arg(kinds.at(i).second);
    QString text = shown.join(QStringLiteral(", "));
    if (kinds.size() > 4)
        text += QStringLiteral(" and %1 more of %2 other kinds").arg(total - std::accumulate(kinds.begin(), kinds.begin() + 4, 0,
            [](int sum, const QPair<int, QString>& k) { return sum + k.first; })).arg(kinds.size() - 4);
    m_skippedStatus->setText(skipped.isEmpty() ? QString() : QStringLiteral("Not drawn: %1").arg(text));
    m_skippedStatus->setToolTip(skipped);
    m_skippedStatus->setVisible(!skipped.isEmpty());
}

void MainWindow::showMessage(const QString& text)
{
    m_lastMessage = text;
    statusBar()->showMessage(text, 10000);
    if (m_quiet)
        return;
    // Never inside the click or edit that caused it: the widget that is
    // handling the event must not lose it to a nested loop.
    QTimer::singleShot(0, this, [this, text] { QMessageBox::warning(this, QStringLiteral("Layers"), text); });
}

// ---- refreshing ------------------------------------------------------------

void MainWindow::slotLayerTableChanged()
{
    scheduleRefresh(RefreshCombo | RefreshCanvas);
}

void MainWindow::slotComboChanged()
{
    // The palette does not see the drop-down's changes by itself.
    scheduleRefresh(RefreshPalette | RefreshCanvas);
}

void MainWindow::slotPaletteChanged()
{
    scheduleRefresh(RefreshCombo | RefreshCanvas);
}

void MainWindow::scheduleRefresh(int what)
{
    m_pendingRefresh |= what;
    if (m_refreshScheduled)
        return;
    m_refreshScheduled = true;
    QTimer::singleShot(0, this, SLOT(slotRunRefresh()));
}

void MainWindow::slotRunRefresh()
{
    const int what = m_pendingRefresh;
    m_pendingRefresh = 0;
    m_refreshScheduled = false;
    if (what & RefreshCombo)
        m_layerCombo->slotUpdate();
    if (what & RefreshCanvas)
        m_canvas->refresh();
    if (what & RefreshPalette)
        reloadPalette();
    updateStatus();
}

void MainWindow::reloadPalette()
{
    m_reloadingPalette = true;
    m_palette->slotUpLayerModel();
    m_reloadingPalette = false;
    m_newRows.clear();
}

// ---- layer commands --------------------------------------------------------

QList<int> MainWindow::selectedPaletteRows() const
{
    QList<int> rows;
    if (!m_paletteTable || !m_paletteTable->selectionModel())
        return rows;
    for (const QModelIndex& index : m_paletteTable->selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()) && !m_paletteTable->isRowHidden(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString MainWindow::paletteRowName(int row) const
{
    const QModelIndex index = m_paletteModel->index(row, paletteNameColumn());
    const QVariant tag = index.data(kDrawingNameRole);
    return tag.isValid() ? tag.toString() : index.data(Qt::DisplayRole).toString();
}

void MainWindow::slotNewLayer()
{
    // The palette appends the row and opens its name editor; the row is
    // created in the drawing once the palette has filled it in.
    m_palette->slotNewLayer();
}

void MainWindow::slotDeleteLayer()
{
    if (!m_paletteModel)
        return;
    const QList<int> rows = selectedPaletteRows();
    if (rows.isEmpty()) {
        showMessage(QStringLiteral("Select the layers to delete first."));
        return;
    }
    // Layers the drawing refuses to lose stay; the others go from the
    // drawing and then from the palette.
    QStringList refusals;
    QList<int> erased;
    for (int row : rows) {
        const QString error = m_document->deleteLayer(paletteRowName(row));
        if (error.isEmpty())
            erased.append(row);
        else
            refusals << error;
    }
    m_editingPalette = true;
    for (int i = erased.size() - 1; i >= 0; --i)
        m_paletteModel->removeRow(erased.at(i));
    m_editingPalette = false;
    if (!erased.isEmpty())
        kvSetLayerTableChanges();
    if (!refusals.isEmpty())
        showMessage(refusals.join(QLatin1Char('\n')));
}

void MainWindow::slotSetCurrentLayer()
{
    // The palette marks the row of the last selected cell; use the same one.
    const QModelIndexList selected =
        m_paletteTable && m_paletteTable->selectionModel() ? m_paletteTable->selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.isEmpty()) {
        showMessage(QStringLiteral("Select the layer to make current first."));
        return;
    }
    const QString name = paletteRowName(selected.last().row());
    const QString error = m_document->setCurrentLayer(name);
    if (!error.isEmpty()) {
        showMessage(error);
        return;
    }
    // The palette moves its mark and label itself; the rest follows.
    m_palette->slotCurrentLayer();
    statusBar()->showMessage(QStringLiteral("Current layer: %1").arg(name), 5000);
    scheduleRefresh(RefreshCombo | RefreshCanvas);
}

void MainWindow::slotPaletteRowsInserted(const QModelIndex&, int first, int last)
{
    if (m_reloadingPalette || m_editingPalette || !m_paletteModel)
        return;
    // The palette fills a new row's cells after inserting it: look at it
    // once the event that added it is over.
    for (int r = first; r <= last; ++r)
        m_newRows.append(QPersistentModelIndex(m_paletteModel->index(r, paletteNameColumn())));
    QTimer::singleShot(0, this, SLOT(slotProcessNewRows()));
}

void MainWindow::slotProcessNewRows()
{
    const QList<QPersistentModelIndex> rows = m_newRows;
    m_newRows.clear();
    for (const QPersistentModelIndex& index : rows) {
        if (!index.isValid() || !m_paletteModel)
            continue;
        const QString name = index.data(Qt::DisplayRole).toString();
        const QString error = m_document->addLayer(name);
        if (!error.isEmpty()) {
            showMessage(error);
            m_editingPalette = true;
            m_paletteModel->removeRow(index.row());
            m_editingPalette = false;
            continue;
        }
        fillPaletteRow(index.row(), name);
        kvSetLayerTableChanges();
    }
}

void MainWindow::fillPaletteRow(int row, const QString& name)
{
    // The palette gives a new row the texts of the last row it loaded; show
    // the new layer as the drawing holds it instead.
    QList<QStringList> snapshot;
    KvLayerUtility().getAllLayerDate(snapshot);
    m_editingPalette = true;
    for (const QStringList& fields : snapshot) {
        if (fields.value(paletteNameColumn()) != name)
            continue;
        for (int c = 0; c < fields.size() && c < m_paletteModel->columnCount(); ++c) {
            if (c == 0 || c == paletteNameColumn())
                continue;
            m_paletteModel->setData(m_paletteModel->index(row, c), fields.at(c), Qt::DisplayRole);
        }
        break;
    }
    m_paletteModel->setData(m_paletteModel->index(row, 0), QStringLiteral("false"), Qt::DisplayRole);
    const QModelIndex nameIndex = m_paletteModel->index(row, paletteNameColumn());
    m_paletteModel->setData(nameIndex, name, kDrawingNameRole);
    m_editingPalette = false;
    // The change reloads the open name editor, which drops its selection;
    // select the name again so that typing replaces it.
    QList<QAbstractItemView*> views = m_paletteTable->findChildren<QAbstractItemView*>();
    views.append(m_paletteTable);
    for (QAbstractItemView* view : views) {
        if (auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(nameIndex)))
            editor->selectAll();
    }
}

void MainWindow::slotPaletteRowsRemoved(const QModelIndex&, int, int)
{
    if (m_reloadingPalette || m_editingPalette)
        return;
    // Rows the host did not remove: the palette no longer matches the
    // drawing, so read it again.
    scheduleRefresh(RefreshPalette);
}

void MainWindow::slotPaletteDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (m_reloadingPalette || m_editingPalette || !m_paletteModel)
        return;
    if (topLeft.column() > paletteNameColumn() || bottomRight.column() < paletteNameColumn())
        return;
    for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
        const QModelIndex index = m_paletteModel->index(r, paletteNameColumn());
        const QVariant tag = index.data(kDrawingNameRole);
        if (!tag.isValid())
            continue; // a new row not yet in the drawing
        const QString oldName = tag.toString();
        const QString newName = index.data(Qt::DisplayRole).toString();
        if (oldName == newName)
            continue;
        const QString error = m_document->renameLayer(oldName, newName);
        m_editingPalette = true;
        if (error.isEmpty())
            m_paletteModel->setData(index, newName, kDrawingNameRole);
        else
            m_paletteModel->setData(index, oldName, Qt::DisplayRole);
        m_editingPalette = false;
        if (!error.isEmpty()) {
            showMessage(error);
            continue;
        }
        kvSetLayerTableChanges();
    }
}

QStringList MainWindow::saveScreenshots(const QString& dir)
{
    QStringList written;
    QDir().mkpath(dir);
    // Let deferred refreshes and layouts run before anything is grabbed.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    auto save = [&](QWidget* widget, const QString& name) {
        const QString path = QDir(dir).filePath(name);
        if (widget && widget->grab().save(path))
            written << path;
    };
    save(this, QStringLiteral("main-window.png"));

    m_layerCombo->showPopup();
    QCoreApplication::processEvents();
    if (m_layerCombo->view() && m_layerCombo->view()->isVisible())
        save(m_layerCombo->view()->window(), QStringLiteral("layer-dropdown.png"));
    m_layerCombo->hidePopup();

    m_layerControl->folderClicked();
    QCoreApplication::processEvents();
    save(m_propertyPage, QStringLiteral("property-page.png"));
    m_layerControl->folderClicked();

    if (m_paletteDock)
        save(m_paletteDock, QStringLiteral("layer-palette.png"));

    KvCc::KvLineWeightDialog lineWeightDialog;
    KvCc::LayerLineTypeDialog lineTypeDialog;
    KvCc::LayerLineWeightDialog layerLineWeightDialog;
    KvCc::LayerWarningDialog warningDialog;
    const QList<QPair<QDialog*, QString>> dialogs = {
        {&lineWeightDialog, QStringLiteral("dialog-lineweight-settings.png")},
        {&lineTypeDialog, QStringLiteral("dialog-layer-linetype.png")},
        {&layerLineWeightDialog, QStringLiteral("dialog-layer-lineweight.png")},
        {&warningDialog, QStringLiteral("dialog-current-layer-warning.png")},
    };
    for (const auto& dialog : dialogs) {
        dialog.first->show();
        QCoreApplication::processEvents();
        save(dialog.first, dialog.second);
        dialog.first->hide();
    }
    return written;
}

} // namespace Demo
