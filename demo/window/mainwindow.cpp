#include "mainwindow.h"

#include "drawingcanvas.h"
#include "layeractions.h"
#include "layerpropertyeditor.h"
#include "layervisibilityactions.h"
#include "palettesync.h"
#include "screenshotwriter.h"
#include "statuscounts.h"
#include "undoactions.h"
#include "viewportarea.h"

#include <KvAppBase.h>

#include "colorcombobox.h"
#include "layercombobox.h"
#include "layermanager.h"
#include "layertablewidget.h"
#include "ribbongalleryitem.h"
#include "stackwidget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>


// The host images live in this static library's own resource bundle,
// which a static library must register by hand.
static void registerHostImages()
{
    Q_INIT_RESOURCE(hostimages);
}

namespace Demo {
namespace {

// How long a note stays in the status bar, in milliseconds.
const int kNoteTimeout = 5000;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_session(std::make_unique<DrawingSession>())
{
    registerHostImages();
    setObjectName(QStringLiteral("kvccDemoWindow"));
    resize(1360, 820);
    connect(history(), &LayerHistory::cleanChanged, this, &MainWindow::showTitle);
    connect(history(), &LayerHistory::restored, this, [this] { scheduleRefresh(RefreshAll); });
    buildMenus();
    m_viewports = new ViewportArea(this);
    setCentralWidget(m_viewports);
    m_ribbon = RibbonBuilder(this).build();
    connectRibbon();
    buildPaletteDock();
    connectPalette();
    buildStatusBar();
    kvSetLayerTableChangesCallback([this] { slotLayerTableChanged(); });
}

DrawingCanvas* MainWindow::canvas() const
{
    return m_viewports->activeCanvas();
}

MainWindow::~MainWindow()
{
    kvSetLayerTableChangesCallback({});
    // The floating property page watches its layer row's events; it goes
    // first, so that it never sees the row half torn down.
    delete m_ribbon.propertyPage;
    m_ribbon.propertyPage = nullptr;
    // The widgets read the drawing until they are gone; close it last.
    delete m_paletteDock;
    m_paletteDock = nullptr;
    m_session->close();
}

KvCc::LayerTableWidget* MainWindow::paletteTable() const
{
    return palette()->layerTableWidget();
}

void MainWindow::buildMenus()
{
    auto* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open = fileMenu->addAction(QStringLiteral("&Open DXF..."));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &MainWindow::slotOpen);
    QAction* sample = fileMenu->addAction(QStringLiteral("Open the &sample drawing"));
    connect(sample, &QAction::triggered, this, &MainWindow::openSample);
    QAction* save = fileMenu->addAction(QStringLiteral("&Save"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &MainWindow::save);
    QAction* saveAs = fileMenu->addAction(QStringLiteral("Save &As..."));
    saveAs->setShortcut(QKeySequence::SaveAs);
    connect(saveAs, &QAction::triggered, this, &MainWindow::saveAs);
    fileMenu->addSeparator();
    QAction* quit = fileMenu->addAction(QStringLiteral("E&xit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    new UndoActions(history(), menuBar()->addMenu(QStringLiteral("&Edit")), this);
}

void MainWindow::buildStatusBar()
{
    m_counts = new StatusCounts(this);
    m_openProgress = new OpenProgress(this);
    statusBar()->addPermanentWidget(m_openProgress);
    connect(m_openProgress, &OpenProgress::failed, this, [this](const QString& error) {
        showMessage(QStringLiteral("Cannot open the drawing. %1").arg(error));
    });
    connect(m_openProgress, &OpenProgress::cancelled, this, [this](const QString& path) {
        statusBar()->showMessage(QStringLiteral("Opening %1 was cancelled.").arg(QFileInfo(path).fileName()), kNoteTimeout);
    });
    // Changes made while the file was read are asked about too.
    connect(m_openProgress, &OpenProgress::read, this, [this](const DrawingFile& file, const Drawing& drawing) {
        if (layerChangeCount() != m_changesAtOpen && !maybeSave())
            return;
        m_session->openRead(file, drawing);
        showOpened(drawing);
    });
    statusBar()->addPermanentWidget(m_counts);
}

void MainWindow::connectRibbon()
{
    m_ribbon.layerCombo->installEventFilter(this);
    // The palette does not see the drop-down's changes by itself.
    connect(m_ribbon.layerCombo, &KvCc::LayerComboBox::layerComboBoxChanged, this,
            [this] { scheduleRefresh(RefreshPalette | RefreshCanvas); });
    connect(m_ribbon.layerCombo, qOverload<int>(&QComboBox::activated), this, &MainWindow::comboPicked);
    connect(m_ribbon.colorCombo, &KvCc::ColorComboBox::currentColorChanged, this, [this](const QColor& color) {
        statusBar()->showMessage(
            QStringLiteral("Color for new objects: %1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue()),
            kNoteTimeout);
    });
    RibbonBuilder::connectViewControls(m_ribbon, m_viewports, [this](const QString& note) {
        statusBar()->showMessage(note, kNoteTimeout);
    });
}

void MainWindow::buildPaletteDock()
{
    m_paletteDock = new PaletteDock(this);
    addDockWidget(Qt::LeftDockWidgetArea, m_paletteDock);
    // Wide enough for the name, state and color columns of a real drawing.
    resizeDocks({m_paletteDock}, {520}, Qt::Horizontal);
}

void MainWindow::connectPalette()
{
    m_sync = new PaletteSync(document(), palette(), history(), this);
    auto* editor = new LayerPropertyEditor(document(), history(), this);
    connect(editor, &LayerPropertyEditor::refused, this, &MainWindow::showMessage);
    connect(editor, &LayerPropertyEditor::changed, this, [this] { scheduleRefresh(RefreshAll); });
    m_actions = new LayerActions(m_sync, editor, paletteTable(), this);
    m_paletteDock->connectButtons(m_actions->newLayer(), m_actions->deleteLayers(), m_actions->makeCurrent());
    connectLayerVisibility();
    QMenu* layerMenu = menuBar()->addMenu(QStringLiteral("&Layer"));
    m_actions->fillMenu(layerMenu);
    layerMenu->addSeparator();
    layerMenu->addAction(m_actions->layerStates());
    connect(m_sync, &PaletteSync::refused, this, &MainWindow::showMessage);
    connect(m_sync, &PaletteSync::currentLayerChanged, this, &MainWindow::showCurrentLayer);
    connect(m_sync, &PaletteSync::paletteStale, this, [this] { scheduleRefresh(RefreshPalette); });
    connect(palette(), &KvCc::LayerManager::layerManagerChanged, this, &MainWindow::refreshChangedLayers);
    // The palette's layer-states button and the Layer menu open one dialog on the drawing's states.
    palette()->setLayerStateStore(m_session->layerStates());
    connect(m_actions->layerStates(), &QAction::triggered, palette(), &KvCc::LayerManager::slotLayerStates);
    connect(m_session->layerStates(), &DrawingLayerStateStore::statesChanged, this, &MainWindow::showTitle);
}

// Isolate, unisolate, all layers on and thaw all join the Layer and row menus.
void MainWindow::connectLayerVisibility()
{
    auto* visibility = new LayerVisibilityActions(document(), history(), m_sync, paletteTable(), this);
    connect(visibility, &LayerVisibilityActions::refused, this, &MainWindow::showMessage);
    connect(visibility, &LayerVisibilityActions::noted, this, [this](const QString& note) { statusBar()->showMessage(note, kNoteTimeout); });
    connect(visibility, &LayerVisibilityActions::changed, this, [this] { scheduleRefresh(RefreshAll); });
    m_actions->addMenuSection(visibility->actions());
}

void MainWindow::openSample()
{
    if (!maybeSave())
        return;
    m_session->openSample();
    showOpened(document()->drawing());
}

bool MainWindow::openFile(const QString& path)
{
    if (!maybeSave())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = m_session->openFile(path);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        showMessage(QStringLiteral("Cannot open the drawing. %1").arg(error));
        return false;
    }
    showOpened(document()->drawing());
    return true;
}

void MainWindow::openInBackground(const QString& path)
{
    if (m_openProgress->isOpening() || !maybeSave())
        return;
    m_changesAtOpen = layerChangeCount();
    m_openProgress->start(path);
}

unsigned long long MainWindow::layerChangeCount() const
{
    const DkDbDatabase* db = document()->database();
    return db ? db->changeCount() : 0;
}

void MainWindow::openDrawing(const Drawing& drawing, const QString& source)
{
    m_session->openDrawing(drawing, source);
    showOpened(drawing);
}

void MainWindow::showOpened(const Drawing& drawing)
{
    // What was selected belongs to the drawing before.
    paletteTable()->clearSelection();
    m_viewports->setDocument(document());
    showTitle();
    scheduleRefresh(RefreshAll);
    updateStatus();
    if (!drawing.notes.isEmpty())
        statusBar()->showMessage(drawing.notes.join(QLatin1Char(' ')), 15000);
}

void MainWindow::showTitle()
{
    // Unsaved changes show as a star after the name.
    const QString mark = m_session->hasUnsavedChanges() ? QStringLiteral("*") : QString();
    setWindowTitle(QStringLiteral("%1%2 - KvCc demo viewer").arg(m_session->displayName(), mark));
}

bool MainWindow::save()
{
    const QString path = m_session->savePath();
    return path.isEmpty() ? saveAs() : saveTo(path);
}

bool MainWindow::saveAs()
{
    // A name typed without an extension gets ".dxf", which the Open
    // dialog's filter shows; the dialog asks before replacing that file.
    QFileDialog dialog(this, QStringLiteral("Save drawing as"), m_session->suggestedPath(),
                       QStringLiteral("DXF drawings (*.dxf *.DXF)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dxf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveTo(dialog.selectedFiles().first());
}

bool MainWindow::saveTo(const QString& path)
{
    QString message;
    DrawingFile::Outcome outcome = m_session->saveTo(path, false, message);
    if (outcome == DrawingFile::ChangedOnDisk && askOverwriteChanged(message))
        outcome = m_session->saveTo(path, true, message);
    if (outcome == DrawingFile::ReadOnly) {
        const auto answer = QMessageBox::warning(this, QStringLiteral("Save"),
                                                 QStringLiteral("%1\nSave the drawing under another name?").arg(message),
                                                 QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save);
        return answer == QMessageBox::Save && saveAs();
    }
    if (outcome != DrawingFile::Saved) {
        if (outcome == DrawingFile::Failed)
            showMessage(message);
        return false;
    }
    showTitle();
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(path)), kNoteTimeout);
    return true;
}

bool MainWindow::askOverwriteChanged(const QString& message)
{
    const auto answer = QMessageBox::question(this, QStringLiteral("Save"),
                                              QStringLiteral("%1\nOverwrite it with this drawing?").arg(message),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool MainWindow::maybeSave()
{
    if (!m_session->hasUnsavedChanges())
        return true;
    const auto answer = QMessageBox::warning(this, QStringLiteral("Unsaved changes"),
                                             QStringLiteral("The layers of %1 were changed.\nSave the changes?")
                                                 .arg(m_session->displayName()),
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                             QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_openProgress->cancel();
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::slotOpen()
{
    // Drawings of a project lie side by side: start where the open one is.
    const QString folder = m_session->savePath().isEmpty() ? QString() : QFileInfo(m_session->savePath()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open drawing"), folder,
                                                      QStringLiteral("DXF drawings (*.dxf *.DXF);;All files (*)"));
    if (!path.isEmpty())
        openInBackground(path);
}

QStringList MainWindow::saveScreenshots(const QString& dir)
{
    return ScreenshotWriter(dir).write(*this);
}

void MainWindow::updateStatus()
{
    m_counts->showCounts(*document());
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

void MainWindow::showCurrentLayer(const QString& name)
{
    statusBar()->showMessage(QStringLiteral("Current layer: %1").arg(name), kNoteTimeout);
    scheduleRefresh(RefreshCombo | RefreshCanvas);
}

void MainWindow::comboPicked(int row)
{
    // The drop-down only shows the current layer; making the picked layer
    // current is the host's work.
    const QString name = m_ribbon.layerCombo->rowLayer(row).name;
    if (name.isEmpty())
        return;
    // A refused pick leaves the drop-down showing the wrong layer.
    if (!m_sync->setCurrentLayer(name))
        scheduleRefresh(RefreshCombo);
}

void MainWindow::slotLayerTableChanged()
{
    // A restored layer state is one step named after the state.
    const QString restored = m_session->layerStates()->loadedRestoreText();
    history()->record(restored);
    // The palette then reloads and selects the current layer: the user's
    // selection comes back once it has.
    if (!restored.isEmpty())
        QTimer::singleShot(0, m_sync, [sync = m_sync, selected = m_sync->selectedLayers()] { sync->selectLayers(selected); });
    refreshChangedLayers();
}

// The palette sends its notices for every press and key in its table, most
// of which change nothing: redraw only when the layers changed.
void MainWindow::refreshChangedLayers()
{
    if (document()->layerState() != m_shownLayers)
        scheduleRefresh(RefreshCombo | RefreshCanvas);
}

// Refreshes run once the current event is over, each part at most once
// however many notices came in.
void MainWindow::scheduleRefresh(int what)
{
    m_pendingRefresh |= what;
    if (m_refreshScheduled)
        return;
    m_refreshScheduled = true;
    QTimer::singleShot(0, this, &MainWindow::runRefresh);
}

void MainWindow::runRefresh()
{
    const int what = m_pendingRefresh;
    m_pendingRefresh = 0;
    m_refreshScheduled = false;
    // A drop-down out of sight (the ribbon folded) catches up when it shows.
    if ((what & RefreshCombo) && m_ribbon.layerCombo->isVisibleTo(this))
        m_ribbon.layerCombo->slotUpdate();
    else if (what & RefreshCombo)
        m_comboStale = true;
    if (what & RefreshCanvas) {
        m_viewports->refresh();
        m_shownLayers = document()->layerState();
    }
    if (what & RefreshPalette)
        m_sync->reloadPalette();
    updateStatus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ribbon.layerCombo && event->type() == QEvent::Show && m_comboStale) {
        m_comboStale = false;
        m_ribbon.layerCombo->slotUpdate();
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace Demo
