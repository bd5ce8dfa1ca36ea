#pragma once

#include "drawingdata.h"
#include "drawingsession.h"
#include "layertablestate.h"
#include "openprogress.h"
#include "palettedock.h"
#include "ribbonbuilder.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QMenu;
class QToolButton;

namespace KvCc {
class LayerManager;
class LayerTableWidget;
} // namespace KvCc

namespace Demo {

class DrawingCanvas;
class StatusCounts;
class ViewportArea;
class LayerActions;
class PaletteSync;

// The demo host: a small CAD viewer window with a ribbon strip of the
// library's layer, property and view widgets, a layer manager palette and
// the drawing in the middle. It owns the drawing and keeps every layer
// display true to it; the palette sync carries out in the drawing the layer
// commands the widgets leave to their host.
class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWindow)

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void openSample();
    // Opens a DXF drawing; on failure shows why and keeps the open drawing.
    // Both ask first what to do with unsaved changes.
    bool openFile(const QString& path);
    // The same, reading the file on a thread of its own while the window
    // shows how far it has got and offers to cancel.
    void openInBackground(const QString& path);
    OpenProgress* openProgress() const { return m_openProgress; }
    void openDrawing(const Drawing& drawing, const QString& source);

    // Saves to the file the drawing came from (Save As for the sample);
    // false when nothing was saved.
    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    // Asks Save / Discard / Cancel when there are unsaved changes; false on Cancel.
    bool maybeSave();
    LayerHistory* history() const { return m_session->history(); }
    LayerActions* layerActions() const { return m_actions; }
    const DrawingFile& file() const { return m_session->file(); }

    // Quiet: messages go to the status bar and lastMessage() only, with no
    // message box (tests, screenshots).
    void setQuiet(bool quiet) { m_quiet = quiet; }
    QString lastMessage() const { return m_lastMessage; }

    DrawingDocument* document() const { return m_session->document(); }
    // The active viewport's canvas.
    DrawingCanvas* canvas() const;
    ViewportArea* viewports() const { return m_viewports; }
    const RibbonParts& ribbon() const { return m_ribbon; }
    KvCc::LayerComboBox* layerCombo() const { return m_ribbon.layerCombo; }
    QWidget* ribbonPanels() const { return m_ribbon.panels; }
    KvCc::MinMaxButton* minMaxButton() const { return m_ribbon.minMax; }
    PaletteDock* paletteDock() const { return m_paletteDock; }
    KvCc::LayerManager* palette() const { return m_paletteDock->palette(); }
    KvCc::LayerTableWidget* paletteTable() const;
    KvCc::LayerControl* layerControl() const { return m_ribbon.layerControl; }
    KvCc::StackWidget* propertyPage() const { return m_ribbon.propertyPage; }
    QToolButton* newLayerButton() const { return m_paletteDock->newButton(); }
    QToolButton* deleteLayerButton() const { return m_paletteDock->deleteButton(); }
    QToolButton* currentLayerButton() const { return m_paletteDock->currentButton(); }

    // Writes PNGs of the window and its widgets to dir; returns the files.
    QStringList saveScreenshots(const QString& dir);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    // Host side of the layer table notice: refreshes what shows layers,
    // later, from the event loop.
    void slotLayerTableChanged();
    void slotOpen();

private:
    enum Refresh { RefreshCombo = 1, RefreshCanvas = 2, RefreshPalette = 4, RefreshAll = 7 };

    void buildMenus();
    void buildStatusBar();
    void connectRibbon();
    void buildPaletteDock();
    void connectPalette();
    void scheduleRefresh(int what);
    unsigned long long layerChangeCount() const;
    void refreshChangedLayers();
    void runRefresh();
    void updateStatus();
    void showMessage(const QString& text);
    void showCurrentLayer(const QString& name);
    void comboPicked(int row);
    void connectLayerVisibility();
    void showOpened(const Drawing& drawing);
    void showTitle();
    bool askOverwriteChanged(const QString& message);

    std::unique_ptr<DrawingSession> m_session;
    RibbonParts m_ribbon;
    ViewportArea* m_viewports = nullptr;
    PaletteSync* m_sync = nullptr;
    LayerActions* m_actions = nullptr;
    PaletteDock* m_paletteDock = nullptr;
    OpenProgress* m_openProgress = nullptr;
    unsigned long long m_changesAtOpen = 0; // the drawing's change count when a background open began
    StatusCounts* m_counts = nullptr;
    int m_pendingRefresh = 0;
    // The layers as the canvas last showed them.
    LayerTableState m_shownLayers;
    bool m_refreshScheduled = false;
    bool m_comboStale = false;  // a refresh came while the drop-down was out of sight
    bool m_quiet = false;
    QString m_lastMessage;
};

} // namespace Demo
