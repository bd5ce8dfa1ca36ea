#include "mainwindow.h"

#include "drawingcanvas.h"
#include "drawingdocument.h"
#include "dxfimport.h"
#include "samplefloorplan.h"

#include <KvAppBase.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace Demo {
namespace {

// The role under which a palette row remembers the drawing's name of its
// layer, so that an edited name can be told from the old one.
const int kDrawingNameRole = Qt::UserRole + 77;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_document(std::make_unique<DrawingDocument>())
{
    setObjectName(QStringLiteral("kvccDemoWindow"));
    resize(1180, 760);

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
    // The widgets read the drawing until they are gone; close it last.
    delete m_paletteDock;
    m_paletteDock = nullptr;
    m_document->close();
}

void MainWindow::buildRibbon()
{
}

void MainWindow::buildPalette()
{
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
    const QString skipped = skippedSummary();
    m_skippedStatus->setText(skipped);
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
    if (what & RefreshCanvas)
        m_canvas->refresh();
    if (what & RefreshPalette)
        reloadPalette();
    updateStatus();
}

void MainWindow::reloadPalette()
{
}

void MainWindow::tagPaletteRows()
{
    if (!m_paletteModel)
        return;
    m_editingPalette = true;
    const int rows = m_paletteModel->rowCount();
    for (int r = 0; r < rows; ++r) {
        const QModelIndex index = m_paletteModel->index(r, paletteNameColumn());
        m_paletteModel->setData(index, index.data(Qt::DisplayRole), kDrawingNameRole);
    }
    m_editingPalette = false;
}

// ---- layer commands --------------------------------------------------------

QStringList MainWindow::selectedPaletteNames() const
{
    return {};
}

void MainWindow::slotNewLayer()
{
}

void MainWindow::slotDeleteLayer()
{
}

void MainWindow::slotSetCurrentLayer()
{
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
        m_editingPalette = true;
        m_paletteModel->setData(index, name, kDrawingNameRole);
        m_editingPalette = false;
        kvSetLayerTableChanges();
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
    const QString path = QDir(dir).filePath(QStringLiteral("main-window.png"));
    if (grab().save(path))
        written << path;
    return written;
}

} // namespace Demo
