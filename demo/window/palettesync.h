#pragma once

#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <QPointer>

class QAbstractItemModel;
class QAbstractItemView;

namespace KvCc {
class FrozenTableWidget;
class LayerManager;
class LayerTableWidget;
} // namespace KvCc

namespace Demo {

class DrawingDocument;
class LayerHistory;

// Keeps the layer manager palette and the drawing in step. The palette
// changes only its own table for new layer, rename, delete and set current;
// this carries each of those into the drawing, undoes the palette's change
// when the drawing refuses it, and tells the palette's own edits from its
// reloads. Layer commands from the other controls come here too. Each
// command that changes the drawing becomes one undo step.
class PaletteSync : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PaletteSync)

public:
    PaletteSync(DrawingDocument* document, KvCc::LayerManager* palette, LayerHistory* history,
                QObject* parent = nullptr);
    ~PaletteSync() override;

    // Makes the named layer current (a pick in the drop-down); false when
    // the drawing refuses.
    bool setCurrentLayer(const QString& name);
    // Reads the palette again from the drawing; the layers selected before
    // stay selected, by name, so that the next command goes to them.
    void reloadPalette();

public slots:
    // The palette appends the row and opens its name editor; the layer is
    // created in the drawing once the palette has filled the row in.
    void newLayer();
    void deleteSelectedLayers();
    // The layer of the palette's last selected cell becomes current.
    void makeSelectedCurrent();
    // Opens the name editor of the selected layer's row.
    void renameSelected();

public:
    // The drawing's name of the layer of the last selected cell; "" when none.
    QString selectedLayer() const;
    QString rowName(int row) const;
    // The drawing's names of the selected layers, the last selected cell's first.
    QStringList selectedLayers() const;
    // Selects the rows of those layers and nothing else; none listed: leaves the selection.
    void selectLayers(const QStringList& names);

signals:
    // A command was refused; message says why.
    void refused(const QString& message);
    void currentLayerChanged(const QString& name);
    // The palette no longer shows the drawing and must be reloaded.
    void paletteStale();

private:
    void rowsInserted(const QModelIndex& parent, int first, int last);
    void rowsRemoved();
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void addNewRows();
    void fillRow(int row, const QString& name);
    void selectNameInEditor(const QModelIndex& nameIndex);
    void renameRow(int row);
    void removeRow(int row);
    QList<int> selectedRows() const;
    KvCc::FrozenTableWidget* nameView() const;
    void editName(const QModelIndex& name);

    DrawingDocument* m_document;
    KvCc::LayerManager* m_palette;
    LayerHistory* m_history;
    KvCc::LayerTableWidget* m_table;
    QPointer<QAbstractItemModel> m_model;
    // Rows the palette added, waiting for their names.
    QList<QPersistentModelIndex> m_newRows;
    // Set while the palette's rows change because of this object, not the user.
    bool m_reloading = false;
    bool m_editing = false;
};

} // namespace Demo
