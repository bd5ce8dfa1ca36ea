#pragma once

#include "kvcustomcontrol_export.h"

#include <QList>
#include <QStringList>
#include <QTableView>

class QMenu;
class QStandardItemModel;

namespace KvCc {

class FrozenTableWidget;
class LayerDelegate;
class LayerItemModel;

/// The table of the layer manager palette: one row per layer of the current
/// drawing in the 13 layer columns, the current mark and the name fixed at
/// the left, a header menu to show and hide columns (remembered in the
/// user's settings), and the palette's row operations. New, removed,
/// renamed and made-current rows change only the table; clicks on state
/// cells change the drawing through the delegate.
class KVCUSTOMCONTROL_EXPORT LayerTableWidget : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerTableWidget)

public:
    /// Builds the table, reads the column menu's settings and loads the drawing's layers.
    explicit LayerTableWidget(QWidget* parent = nullptr);
    ~LayerTableWidget() override;

    /// Empties the table and loads it from the drawing.
    void InitLayerModel();
    /// Inserts rowBuffer as a new row at row.
    void insertRowData(int row);

    /// Sets up the overlay that keeps the first two columns fixed.
    void InitFreezeView();
    /// Builds the header's column menu and hides the columns it has unchecked.
    void creatActions();
    /// Stores the column menu's choices in the settings.
    void writeSettings();
    /// Places the overlay over the first two columns.
    void updateLayerTreeGeometry();

    /// Scrolls to cells right of the fixed columns only; those are always in view.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    /// Forwarded from the delegate.
    void updateCurretnLayer(QString name);
    /// A click in the table changed a layer of the drawing.
    void updateLayerCombo();

public slots:
    /// Keeps the overlay's fixed columns as wide as the table's.
    void updateSectionWidth(int logicalIndex, int oldSize, int newSize);
    /// Keeps the overlay's rows as high as the table's.
    void updateSectionHeight(int logicalIndex, int oldSize, int newSize);
    /// Shows the same sort indicator on both headers.
    void slotSortIndexChanged(int column, Qt::SortOrder order);
    /// Shows or hides column; the Name column is never hidden.
    void layerColumnVisiable(int column, bool visible);
    /// Opens the column menu at the mouse pointer.
    void show_contextMenu(const QPoint& pos);

    /// Appends a row for a new layer "Layer<n>" and opens its name editor.
    void addLayer();
    /// Removes the selected rows from the table.
    void remove();
    /// Moves the current-layer mark to the selected row.
    void setCurrentLayer();
    /// Shows only the rows whose names match text ("*" is a wildcard once).
    void slotSearchLayer(const QString& text);
    /// Emits updateLayerCombo().
    void slotLayerChanged();

protected:
    /// Keeps the overlay in place.
    void resizeEvent(QResizeEvent* event) override;
    /// Scrolls a cell reached with the Left key out from under the fixed columns.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private slots:
    void updateFrozenSectionWidth(int logicalIndex, int oldSize, int newSize);

private:
    // Steps of the constructor.
    void setUpLook();
    void setColumnWidths();
    void connectParts();

    // Shows every row again and drops editors and selection before a load.
    void forgetRowStates();
    void setRowsHidden(QTableView* view, const QVector<int>& rows, bool hidden);

    QMenu* columnMenu = nullptr;
    FrozenTableWidget* frozenTable = nullptr;
    QStandardItemModel* layerModel = nullptr;
    LayerItemModel* itemModel = nullptr; // layerModel itself, which reloads in place
    QStringList rowBuffer;
    QList<int> usedNumbers;
    LayerDelegate* layerDelegate = nullptr;
};

} // namespace KvCc
