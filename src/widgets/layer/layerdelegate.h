#pragma once

#include "kvcustomcontrol_export.h"

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QVector>

#include <memory>

namespace KvCc {

class LayerLineTypeDialog;
class LayerLineWeightDialog;
class LayerWarningDialog;

/// Draws every cell of the layer manager's table and turns left clicks on
/// the On, Freeze, Lock and Plot cells into changes of the drawing's layers,
/// under the rules that protect the current layer. One delegate serves the
/// table and its frozen overlay. The Name column gets a line edit with a
/// completer of the other rows' names.
class KVCUSTOMCONTROL_EXPORT LayerDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerDelegate)

public:
    /// Builds the delegate and the dialogs its clicks may open.
    explicit LayerDelegate(QObject* parent = nullptr);
    ~LayerDelegate() override;

    /// Draws a cell: state icons, color swatch, line sample or text.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    /// A line edit for the Name column; no editor elsewhere.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    /// Puts the cell's name into the editor.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    /// Writes the edited name back into the cell.
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    /// Turns a left click on a state cell into a change of the layer and tells
    /// the host with kvSetLayerTableChanges().
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    /// Pen width of the line sample for a lineweight text; 25 for a text
    /// that is not one of the millimetre lineweights.
    int lineWeightIndexMap(QString text) const;

signals:
    /// The delegate changed a layer (or passed on an event) and told the host.
    void layerDataChanged();
    /// Declared for the table to forward; the delegate does not emit it.
    void updateCurretnLayer(QString name);

public slots:
    /// Commits the name editor that sent the signal and closes it.
    void commitAndCloseEditor();
    /// Takes the row chosen in the layer lineweight dialog.
    void slotLWeightChanged(int value);

private:
    // A left click released on a cell; returns the editorEvent result.
    bool clickCell(QAbstractItemModel* model, const QModelIndex& index);

    // A left click on a state cell: the cell, the layer its row was loaded
    // from (none for a row made in the palette) and the cell's truth.
    struct CellClick
    {
        QAbstractItemModel* model;
        QModelIndex index;
        bool inDrawing;
        QString layer;
        bool value;
    };
    // Flips the cell when the drawing takes the change.
    void flipCell(const CellClick& click);
    // The On and Freeze clicks guard the current layer; they return false
    // when they end with the table unchanged and nothing to tell the host.
    bool clickOnCell(const CellClick& click);
    bool clickFreezeCell(const CellClick& click);
    void notifyLayerTableChanged();

    void paintStateCell(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const;
    void paintColorCell(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const;
    void paintLineweightCell(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const;
    void paintTextCell(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index, const QColor& color) const;

    QStringList trueStateIcons;
    QStringList falseStateIcons;
    QStringList lineWeightTexts;
    std::unique_ptr<LayerLineTypeDialog> lineTypeDialog;
    std::unique_ptr<LayerLineWeightDialog> lineWeightDialog;
    std::unique_ptr<LayerWarningDialog> warningDialog;
    int chosenLineWeight = 0;

    // Painting a screen of cells must not load and mask an image per cell:
    // the state icons are made once, the swatches and samples on first use.
    QVector<QIcon> trueIcons;
    QVector<QIcon> falseIcons;
    QVector<QSize> trueIconSizes;
    QVector<QSize> falseIconSizes;
    mutable QHash<QRgb, QPixmap> colorSwatches;
    mutable QHash<quint64, QPixmap> lineSamples;
};

} // namespace KvCc
