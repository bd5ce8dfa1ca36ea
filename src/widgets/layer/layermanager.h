#pragma once

#include "kvcustomcontrol_export.h"

#include <QPixmap>
#include <QWidget>

class QLabel;
class QToolButton;

namespace KvCc {

class LayerStateStore;
class LayerStatesDialog;
class LayerTableWidget;
class SearchLayerEdit;

/// The layer manager palette: the current layer's name and a search box
/// above the layer table. Hosts add command buttons of their own, with the
/// icons of drawIcon(), and connect them to the command slots.
class KVCUSTOMCONTROL_EXPORT LayerManager : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerManager)

public:
    /// The glyphs of drawIcon(): new layer, delete layer, set current.
    enum LayerIcons { IconNew = 0, IconDelete = 1, IconCurrent = 2 };
    Q_ENUM(LayerIcons)

    /// Builds the palette and loads the table from the drawing.
    explicit LayerManager(QWidget* parent = nullptr);
    ~LayerManager() override;

    /// 300 x 500.
    QSize sizeHint() const override;
    /// One glyph of the command strip, on a transparent ground.
    QPixmap drawIcon(LayerIcons icon, QSize size);
    /// The layer table below the search box.
    LayerTableWidget* layerTableWidget() const { return layerTable; }
    /// Where the layer-states button keeps the named layer states; not owned,
    /// and it must outlive the palette or be unset first. The button is shown
    /// only while a store is set.
    void setLayerStateStore(LayerStateStore* store);
    /// The store set last, or null.
    LayerStateStore* layerStateStore() const { return stateStore; }

signals:
    /// A layer's state was changed from the palette.
    void layerManagerChanged();

public slots:
    /// Reloads the table from the drawing, keeping the search in force.
    void slotUpLayerModel();
    /// Emits layerManagerChanged().
    void slotLayerChanged();
    /// Adds a row for a new layer and opens its name editor (table only).
    void slotNewLayer();
    /// Removes the selected rows (table only).
    void slotDeleteLayer();
    /// Marks the selected row as current (table only).
    void slotCurrentLayer();
    /// Shows name as the current layer above the table.
    void slotUpdateLineEdit(QString name);
    /// Opens the layer states dialog on the store; after a restore the table
    /// reloads and layerManagerChanged() is emitted once.
    void slotLayerStates();

private:
    QPixmap toolbarPixmap;
    LayerTableWidget* layerTable = nullptr;
    QLabel* currentLabel = nullptr;
    SearchLayerEdit* searchEdit = nullptr;
    QToolButton* statesButton = nullptr;
    LayerStateStore* stateStore = nullptr;
    LayerStatesDialog* statesDialog = nullptr;
};

} // namespace KvCc
