#pragma once

#include "kvcustomcontrol_export.h"
#include "layeritemdata.h"

#include <QComboBox>
#include <QFont>
#include <QPointer>
#include <QVector>

class QListWidget;

namespace KvCc {

class LayerEdit;
class LayerItem;

/// The ribbon's layer drop-down. Closed, it shows the drawing's current layer;
/// open, it lists every layer as a row whose toggles switch it on or off,
/// freeze or thaw it and lock or unlock it in the drawing at once. The host
/// calls slotUpdate() whenever the drawing or its layers may have changed and
/// listens to layerComboBoxChanged().
class KVCUSTOMCONTROL_EXPORT LayerComboBox : public QComboBox
{
    Q_OBJECT

public:
    /// Builds an empty drop-down; slotUpdate() fills it from the drawing.
    explicit LayerComboBox(QWidget* parent = nullptr);
    ~LayerComboBox() override;

    /// Row of the current layer: 0 when it cannot be read, the row count when
    /// no row holds it.
    int getDisplayItem();
    /// Removes every row and its row widget.
    void clearListWidget();

    /// The popup list, one row per layer. A row's LayerItem is made when the
    /// popup first shows the row, or when rowWidget() asks for it; until then
    /// the row has no item widget.
    QListWidget* listWidget() const { return m_listWidget; }
    /// The LayerItem of a row, made now if the popup has not yet shown the
    /// row; null for a row out of range.
    LayerItem* rowWidget(int row);
    /// The record a row shows, whether or not its LayerItem exists yet.
    LayerItemData rowLayer(int row) const;
    /// The face that shows the current layer.
    LayerEdit* layerEdit() const { return m_lineEdit; }

signals:
    /// A row toggle changed a layer in the drawing and the host has been told.
    void layerComboBoxChanged();

public slots:
    /// Shows the drawing's current layer on the face; the row is not used.
    void slotRowChanged(int row);
    /// Takes a row's statusChanged(): updates the face when it shows that
    /// layer, tells the host with kvSetLayerTableChanges() and emits
    /// layerComboBoxChanged().
    void slotLabelChange(int code, LayerItemData data);
    /// Brings the rows, the current row and the face to the drawing's state.
    /// Rows are kept and updated in place; they are added or removed only
    /// where the drawing gained or lost layers.
    void slotUpdate();

private:
    Q_DISABLE_COPY(LayerComboBox)

    LayerItem* existingRowWidget(int row) const;
    void copyRowRecords();
    // Returns whether the rows kept their names, in the same order.
    bool syncRows(const QVector<int>& written);
    void insertRow(int row, const LayerItemData& data);
    void updateRow(int row, const LayerItemData& data);
    void removeRow(int row);
    void disposeRowWidget(QWidget* rowWidget);

    QListWidget* m_listWidget = nullptr;
    LayerEdit* m_lineEdit = nullptr;
    // Nonzero while a row's toggle is being handled: rows removed meanwhile
    // are deleted once the click has returned.
    int m_toggleDepth = 0;
    // What each row's item holds, in row order, and whether the row has its
    // widget yet. A refresh reads the drawing over this compact copy and
    // learns which rows changed, instead of comparing every item.
    QVector<LayerItemData> m_layers;
    QVector<bool> m_rowWidgets;
    // Where the current layer was last found in m_layers.
    int m_currentRow = -1;
    // The widest name's width as last measured, and in which font: a
    // refresh that kept every name measures nothing again.
    int m_nameWidth = -1;
    QFont m_nameFont;
};

} // namespace KvCc
