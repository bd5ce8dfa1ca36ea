#pragma once

#include "drawingdata.h"

#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>

#include <memory>

class QAbstractItemModel;
class QDockWidget;
class QLabel;
class QModelIndex;
class QToolButton;

namespace JtRc {
class RibbonGalleryItem;
}

namespace KvCc {
class ColorComboBox;
class LayerComboBox;
class LayerControl;
class LayerManager;
class LayerTableWidget;
class StackWidget;
class MinMaxButton;
class ViewButton;
} // namespace KvCc

namespace Demo {

class DrawingCanvas;
class DrawingDocument;

// The demo host: a small CAD viewer window with a ribbon strip of the
// library's layer, property and view widgets, a layer manager palette and
// the drawing in the middle. It owns the drawing, keeps every layer display
// true to it and carries out in the drawing the layer commands the widgets
// leave to their host.
class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWindow)

public:
    // Spelled as the ribbon gallery's signal spells it, so the connection matches.
    using RibbonGalleryItem = JtRc::RibbonGalleryItem;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void openSample();
    // Opens a DXF drawing; on failure shows why and keeps the open drawing.
    bool openFile(const QString& path);
    void openDrawing(const Drawing& drawing, const QString& source);

    // Quiet: messages go to the status bar and lastMessage() only, with no
    // message box (tests, screenshots).
    void setQuiet(bool quiet) { m_quiet = quiet; }
    QString lastMessage() const { return m_lastMessage; }

    DrawingDocument* document() const { return m_document.get(); }
    DrawingCanvas* canvas() const { return m_canvas; }
    KvCc::LayerComboBox* layerCombo() const { return m_layerCombo; }
    QWidget* ribbonPanels() const { return m_panels; }
    KvCc::MinMaxButton* minMaxButton() const { return m_minMax; }
    QDockWidget* paletteDock() const { return m_paletteDock; }
    KvCc::LayerManager* palette() const { return m_palette; }
    KvCc::LayerTableWidget* paletteTable() const { return m_paletteTable; }
    KvCc::LayerControl* layerControl() const { return m_layerControl; }
    KvCc::StackWidget* propertyPage() const { return m_propertyPage; }
    QToolButton* newLayerButton() const { return m_newButton; }
    QToolButton* deleteLayerButton() const { return m_deleteButton; }
    QToolButton* currentLayerButton() const { return m_currentButton; }
    QString skippedSummary() const;

    // Writes PNGs of the window and its widgets to dir; returns the files.
    QStringList saveScreenshots(const QString& dir);

public slots:
    // Host side of the layer table notice: refreshes what shows layers,
    // later, from the event loop.
    void slotLayerTableChanged();
    void slotOpen();

private slots:
    void slotRunRefresh();
    void slotComboChanged();
    void slotPaletteChanged();
    void slotNewLayer();
    void slotDeleteLayer();
    void slotSetCurrentLayer();
    void slotPaletteRowsInserted(const QModelIndex& parent, int first, int last);
    void slotPaletteRowsRemoved(const QModelIndex& parent, int first, int last);
    void slotPaletteDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void slotProcessNewRows();
    void slotFoldRibbon();
    void slotUnfoldRibbon();
    void slotComboPicked(int row);
    void slotColorChosen(const QColor& color);
    void slotGalleryPicked(RibbonGalleryItem* item);
    void slotViewButtonChanged();

private:
    enum Refresh { RefreshCombo = 1, RefreshCanvas = 2, RefreshPalette = 4, RefreshAll = 7 };

    void buildRibbon();
    void makeCurrent(const QString& name);
    void buildPalette();
    void scheduleRefresh(int what);
    void reloadPalette();
    void updateStatus();
    void showMessage(const QString& text);
    QList<int> selectedPaletteRows() const;
    QString paletteRowName(int row) const;
    void fillPaletteRow(int row, const QString& name);
    int paletteNameColumn() const { return 1; }

    std::unique_ptr<DrawingDocument> m_document;
    DrawingCanvas* m_canvas = nullptr;
    QWidget* m_ribbon = nullptr;
    QWidget* m_panels = nullptr;
    KvCc::MinMaxButton* m_minMax = nullptr;
    KvCc::LayerControl* m_layerControl = nullptr;
    KvCc::StackWidget* m_propertyPage = nullptr;
    KvCc::LayerComboBox* m_layerCombo = nullptr;
    KvCc::LayerManager* m_palette = nullptr;
    KvCc::LayerTableWidget* m_paletteTable = nullptr;
    QToolButton* m_newButton = nullptr;
    QToolButton* m_deleteButton = nullptr;
    QToolButton* m_currentButton = nullptr;
    KvCc::ColorComboBox* m_colorCombo = nullptr;
    KvCc::ViewButton* m_viewButton = nullptr;
    QDockWidget* m_paletteDock = nullptr;
    QLabel* m_layerStatus = nullptr;
    QLabel* m_objectStatus = nullptr;
    QLabel* m_skippedStatus = nullptr;
    QPointer<QAbstractItemModel> m_paletteModel;
    QList<QPersistentModelIndex> m_newRows;
    int m_pendingRefresh = 0;
    bool m_refreshScheduled = false;
    bool m_reloadingPalette = false;
    bool m_editingPalette = false;
    bool m_quiet = false;
    QString m_lastMessage;
    QString m_source;
};

} // namespace Demo
