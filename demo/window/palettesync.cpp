#include "palettesync.h"

#include "drawingdocument.h"
#include "layerhistory.h"

#include <KvAppBase.h>

#include "frozentablewidget.h"
#include "kvlayerutility.h"
#include "layercolumns.h"
#include "layermanager.h"
#include "layertablewidget.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

namespace Demo {
namespace {

// The palette keeps on each row's name cell the name of the drawing's layer
// the row stands for; this keeps it true when it creates or renames one.
const int kDrawingNameRole = KvCc::LoadedNameRole;

} // namespace

PaletteSync::PaletteSync(DrawingDocument* document, KvCc::LayerManager* palette, LayerHistory* history,
                         QObject* parent)
    : QObject(parent), m_document(document), m_palette(palette), m_history(history),
      m_table(palette->layerTableWidget())
{
    m_model = m_table ? m_table->model() : nullptr;
    if (!m_model)
        return;
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &PaletteSync::rowsInserted);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &PaletteSync::rowsRemoved);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &PaletteSync::dataChanged);
    if (KvCc::FrozenTableWidget* names = nameView())
        names->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

PaletteSync::~PaletteSync() = default;

bool PaletteSync::setCurrentLayer(const QString& name)
{
    if (name == m_document->currentLayerName())
        return true;
    const QString error = m_document->setCurrentLayer(name);
    if (!error.isEmpty()) {
        emit refused(error);
        return false;
    }
    m_history->record();
    emit currentLayerChanged(name);
    // The palette did not see this change.
    emit paletteStale();
    return true;
}

void PaletteSync::reloadPalette()
{
    QStringList selected;
    for (int row : selectedRows())
        selected << rowName(row);
    {
        const QScopedValueRollback<bool> reloading(m_reloading, true);
        m_palette->slotUpLayerModel();
    }
    m_newRows.clear();
    // The palette selects the current layer's row as it reloads.
    if (!selected.isEmpty())
        selectLayers(selected);
}

void PaletteSync::selectLayers(const QStringList& names)
{
    QItemSelectionModel* selection = m_table->selectionModel();
    QItemSelection rows;
    QModelIndex last;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (names.contains(rowName(row))) {
            last = m_model->index(row, KvCc::NameColumn);
            rows.select(last, last);
        }
    }
    if (!last.isValid())
        return;
    selection->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selection->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
}

void PaletteSync::newLayer()
{
    m_palette->slotNewLayer();
}

void PaletteSync::deleteSelectedLayers()
{
    if (!m_model)
        return;
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        emit refused(QStringLiteral("Select the layers to delete first."));
        return;
    }
    // Layers the drawing refuses to lose stay; the others go from the
    // drawing and then from the palette.
    QStringList refusals;
    QList<int> erased;
    for (int row : rows) {
        const QString error = m_document->deleteLayer(rowName(row));
        if (error.isEmpty())
            erased.append(row);
        else
            refusals << error;
    }
    for (int i = erased.size() - 1; i >= 0; --i)
        removeRow(erased.at(i));
    if (!erased.isEmpty()) {
        m_history->record();
        kvSetLayerTableChanges();
    }
    if (!refusals.isEmpty())
        emit refused(refusals.join(QLatin1Char('\n')));
}

QString PaletteSync::selectedLayer() const
{
    // The palette marks the row of the last selected cell; use the same one.
    const QModelIndexList selected =
        m_table && m_table->selectionModel() ? m_table->selectionModel()->selectedIndexes() : QModelIndexList();
    return selected.isEmpty() ? QString() : rowName(selected.last().row());
}

void PaletteSync::renameSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        emit refused(QStringLiteral("Select the layer to rename first."));
        return;
    }
    editName(m_model->index(rows.last(), KvCc::NameColumn));
}

// The name column lies in the palette's frozen overlay, which edits it; a
// click on a selected name there opens the editor too.
KvCc::FrozenTableWidget* PaletteSync::nameView() const
{
    return m_table->findChild<KvCc::FrozenTableWidget*>();
}

void PaletteSync::editName(const QModelIndex& name)
{
    if (KvCc::FrozenTableWidget* view = nameView(); view && view->editName(name))
        selectNameInEditor(name);
}

void PaletteSync::makeSelectedCurrent()
{
    const QString name = selectedLayer();
    if (name.isEmpty()) {
        emit refused(QStringLiteral("Select the layer to make current first."));
        return;
    }
    const QString error = m_document->setCurrentLayer(name);
    if (!error.isEmpty()) {
        emit refused(error);
        return;
    }
    m_history->record();
    // The palette moves its mark and label itself; the rest follows.
    m_palette->slotCurrentLayer();
    emit currentLayerChanged(name);
}

void PaletteSync::rowsInserted(const QModelIndex&, int first, int last)
{
    if (m_reloading || m_editing || !m_model)
        return;
    // The palette fills a new row's cells after inserting it: look at it
    // once the event that added it is over.
    for (int r = first; r <= last; ++r)
        m_newRows.append(QPersistentModelIndex(m_model->index(r, KvCc::NameColumn)));
    QTimer::singleShot(0, this, &PaletteSync::addNewRows);
}

void PaletteSync::rowsRemoved()
{
    if (m_reloading || m_editing)
        return;
    // Rows this did not remove: the palette no longer matches the drawing.
    emit paletteStale();
}

void PaletteSync::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (m_reloading || m_editing || !m_model)
        return;
    if (topLeft.column() > KvCc::NameColumn || bottomRight.column() < KvCc::NameColumn)
        return;
    for (int r = topLeft.row(); r <= bottomRight.row(); ++r)
        renameRow(r);
}

void PaletteSync::addNewRows()
{
    const QList<QPersistentModelIndex> rows = m_newRows;
    m_newRows.clear();
    for (const QPersistentModelIndex& index : rows) {
        if (!index.isValid() || !m_model)
            continue;
        const QString name = index.data(Qt::DisplayRole).toString();
        const QString error = m_document->addLayer(name);
        if (!error.isEmpty()) {
            emit refused(error);
            removeRow(index.row());
            continue;
        }
        fillRow(index.row(), name);
        m_history->record();
        kvSetLayerTableChanges();
    }
}

// The palette gives a new row the texts of the last row it loaded; show the
// new layer as the drawing holds it instead.
void PaletteSync::fillRow(int row, const QString& name)
{
    QList<QStringList> snapshot;
    KvLayerUtility().getAllLayerDate(snapshot);
    const QModelIndex nameIndex = m_model->index(row, KvCc::NameColumn);
    {
        const QScopedValueRollback<bool> editing(m_editing, true);
        const auto fields = std::find_if(snapshot.cbegin(), snapshot.cend(), [&](const QStringList& f) {
            return f.value(KvCc::NameColumn) == name;
        });
        for (int c = 0; fields != snapshot.cend() && c < fields->size() && c < m_model->columnCount(); ++c) {
            if (c != KvCc::CurrentColumn && c != KvCc::NameColumn)
                m_model->setData(m_model->index(row, c), fields->at(c), Qt::DisplayRole);
        }
        m_model->setData(m_model->index(row, KvCc::CurrentColumn), QStringLiteral("false"), Qt::DisplayRole);
        m_model->setData(nameIndex, name, kDrawingNameRole);
    }
    selectNameInEditor(nameIndex);
}

// The change reloads the open name editor, which drops its selection; select
// the name again so that typing replaces it. The editor may sit in the table
// or in its frozen overlay.
void PaletteSync::selectNameInEditor(const QModelIndex& nameIndex)
{
    QList<QAbstractItemView*> views = m_table->findChildren<QAbstractItemView*>();
    views.append(m_table);
    for (QAbstractItemView* view : views) {
        if (auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(nameIndex)))
            editor->selectAll();
    }
}

// Carries a rename typed in the palette into the drawing, or puts the old
// name back when the drawing refuses it.
void PaletteSync::renameRow(int row)
{
    const QModelIndex index = m_model->index(row, KvCc::NameColumn);
    const QVariant tag = index.data(kDrawingNameRole);
    if (!tag.isValid())
        return; // a new row not yet in the drawing
    const QString oldName = tag.toString();
    const QString newName = index.data(Qt::DisplayRole).toString();
    if (oldName == newName)
        return;
    const QString error = m_document->renameLayer(oldName, newName);
    {
        const QScopedValueRollback<bool> editing(m_editing, true);
        if (error.isEmpty())
            m_model->setData(index, newName, kDrawingNameRole);
        else
            m_model->setData(index, oldName, Qt::DisplayRole);
    }
    if (!error.isEmpty()) {
        // Back to the editor, the old name selected: type another or leave it.
        const QPersistentModelIndex again(index);
        QTimer::singleShot(0, this, [this, again] {
            if (again.isValid())
                editName(again);
        });
        emit refused(error);
        return;
    }
    m_history->record();
    kvSetLayerTableChanges();
}

void PaletteSync::removeRow(int row)
{
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_model->removeRow(row);
}

QList<int> PaletteSync::selectedRows() const
{
    QList<int> rows;
    if (!m_table || !m_table->selectionModel())
        return rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()) && !m_table->isRowHidden(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList PaletteSync::selectedLayers() const
{
    QStringList names;
    for (int row : selectedRows())
        names << rowName(row);
    const int marked = names.indexOf(selectedLayer());
    if (marked > 0)
        names.move(marked, 0);
    return names;
}

QString PaletteSync::rowName(int row) const
{
    const QModelIndex index = m_model->index(row, KvCc::NameColumn);
    const QVariant tag = index.data(kDrawingNameRole);
    return tag.isValid() ? tag.toString() : index.data(Qt::DisplayRole).toString();
}

} // namespace Demo
