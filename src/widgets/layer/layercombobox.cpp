#include "layercombobox.h"

#include "basecombobox_p.h"
#include "kvlayerutility.h"
#include "layeredit.h"
#include "layeritem.h"
#include "layeritemmetrics_p.h"
#include "layerread_p.h"
#include "rowwidgetlist_p.h"

#include <KvAppBase.h>

#include <QListWidget>
#include <QStyle>
#include <QPointer>
#include <QSet>
#include <QSignalBlocker>

namespace KvCc {

namespace {

const int rowHeight = 25;
// Each row's item holds the record it shows, its LayerItem or not.
const int layerRole = Qt::UserRole;
// The popup grows past the combo box to show long names, up to this width.
const int widestPopup = 400;

// A rough width of a name in characters, wide scripts counting double.
int roughWidth(const QString& name)
{
    int width = 0;
    for (const QChar c : name)
        width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}

// Pixel width of the widest name. Measuring text is dear, so only the
// names that are roughly the longest are measured.
int widestName(const QVector<LayerItemData>& layers, const QFontMetrics& metrics)
{
    const int measured = 32;
    QVector<int> rough;
    rough.reserve(layers.size());
    int longest = 0;
    for (const LayerItemData& data : layers) {
        rough << roughWidth(data.name);
        longest = qMax(longest, rough.last());
    }
    const int threshold = longest * 3 / 4;
    int widest = 0;
    int done = 0;
    for (int i = 0; i < layers.size() && done < measured; ++i) {
        if (rough[i] < threshold)
            continue;
        widest = qMax(widest, metrics.horizontalAdvance(layers[i].name));
        ++done;
    }
    return widest;
}

} // namespace

LayerComboBox::LayerComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_listWidget(new RowWidgetList)
    , m_lineEdit(new LayerEdit)
{
    setFixedSize(150, 20);
    setModel(m_listWidget->model());
    setView(m_listWidget);
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &LayerComboBox::slotRowChanged);
    m_listWidget->setAttribute(Qt::WA_MouseTracking, false);
    // Every row is as high as the others: the list need not ask each of
    // tens of thousands of rows for its size before the popup opens.
    m_listWidget->setUniformItemSizes(true);
    static_cast<RowWidgetList*>(m_listWidget)->setRowMaker([this](int row) { return rowWidget(row); });
}

LayerComboBox::~LayerComboBox()
{
    const QSignalBlocker blocker(this);
    clearListWidget();
    QPointer<QListWidget> list = m_listWidget;
    QPointer<LayerEdit> face = m_lineEdit;
    releaseComboParts(this, m_listWidget);
    delete list;
    m_listWidget = nullptr;
    delete face;
    m_lineEdit = nullptr;
}

int LayerComboBox::getDisplayItem()
{
    LayerItemData current;
    if (!KvLayerUtility().getCurrentLayer(current))
        return 0;
    if (!m_listWidget)
        return 0;
    const int rows = m_listWidget->count();
    if (m_layers.size() == rows) {
        // The current layer mostly keeps its row from one refresh to the
        // next; names are unique, so a match there is the only one.
        if (m_currentRow >= 0 && m_currentRow < rows && m_layers.at(m_currentRow).name == current.name)
            return m_currentRow;
        for (int row = 0; row < rows; ++row) {
            if (m_layers.at(row).name == current.name) {
                m_currentRow = row;
                return row;
            }
        }
        return rows;
    }
    for (int row = 0; row < rows; ++row) {
        const QVariant layer = m_listWidget->item(row)->data(layerRole);
        if (!layer.isValid())
            return 0;
        if (layer.value<LayerItemData>().name == current.name)
            return row;
    }
    return rows;
}

void LayerComboBox::clearListWidget()
{
    if (!m_listWidget)
        return;
    const int rows = m_listWidget->count();
    for (int row = 0; row < rows; ++row)
        disposeRowWidget(m_listWidget->itemWidget(m_listWidget->item(row)));
    m_listWidget->clear();
    m_layers.clear();
    m_rowWidgets.clear();
}

void LayerComboBox::disposeRowWidget(QWidget* rowWidget)
{
    if (!rowWidget)
        return;
    if (m_toggleDepth > 0) {
        // The click that got here may still be running in this row.
        rowWidget->hide();
        rowWidget->deleteLater();
    } else {
        delete rowWidget;
    }
}

LayerItem* LayerComboBox::existingRowWidget(int row) const
{
    return qobject_cast<LayerItem*>(m_listWidget->itemWidget(m_listWidget->item(row)));
}

LayerItemData LayerComboBox::rowLayer(int row) const
{
    // A row's widget is ahead of its item after a toggle the host has not
    // yet refreshed from.
    const QListWidgetItem* item = m_listWidget ? m_listWidget->item(row) : nullptr;
    if (const LayerItem* rowWidget = item ? existingRowWidget(row) : nullptr)
        return rowWidget->currentLayerData();
    return item ? item->data(layerRole).value<LayerItemData>() : LayerItemData();
}

LayerItem* LayerComboBox::rowWidget(int row)
{
    QListWidgetItem* item = m_listWidget ? m_listWidget->item(row) : nullptr;
    if (!item)
        return nullptr;
    if (auto* made = qobject_cast<LayerItem*>(m_listWidget->itemWidget(item)))
        return made;
    const QVariant layer = item->data(layerRole);
    if (!layer.isValid())
        return nullptr;
    // Made in the viewport, where the list keeps it anyway, and hidden until
    // the popup shows the row.
    auto* rowWidget = new LayerItem(m_listWidget->viewport());
    rowWidget->setCurrentLayer(layer.value<LayerItemData>());
    connect(rowWidget, &LayerItem::statusChanged, this, &LayerComboBox::slotLabelChange);
    m_listWidget->setItemWidget(item, rowWidget);
    if (row < m_rowWidgets.size())
        m_rowWidgets[row] = true;
    rowWidget->hide();
    return rowWidget;
}

void LayerComboBox::insertRow(int row, const LayerItemData& data)
{
    auto* item = new QListWidgetItem;
    item->setSizeHint(withHeight(item->sizeHint(), rowHeight));
    item->setData(layerRole, QVariant::fromValue(data));
    m_listWidget->insertItem(row, item);
    if (row <= m_rowWidgets.size())
        m_rowWidgets.insert(row, false);
}

void LayerComboBox::updateRow(int row, const LayerItemData& data)
{
    QListWidgetItem* item = m_listWidget->item(row);
    if (item->data(layerRole).value<LayerItemData>() != data)
        item->setData(layerRole, QVariant::fromValue(data));
    LayerItem* rowWidget = existingRowWidget(row);
    if (rowWidget && (rowWidget->currentLayerData() != data || rowWidget->layerName() != data.name))
        rowWidget->setCurrentLayer(data);
}

void LayerComboBox::removeRow(int row)
{
    disposeRowWidget(m_listWidget->itemWidget(m_listWidget->item(row)));
    delete m_listWidget->takeItem(row);
    if (row < m_rowWidgets.size())
        m_rowWidgets.remove(row);
}

void LayerComboBox::copyRowRecords()
{
    const int rows = m_listWidget->count();
    m_layers.clear();
    m_layers.reserve(rows);
    m_rowWidgets.fill(false, rows);
    for (int row = 0; row < rows; ++row) {
        m_layers.append(m_listWidget->item(row)->data(layerRole).value<LayerItemData>());
        m_rowWidgets[row] = existingRowWidget(row) != nullptr;
    }
}

// Brings the rows to m_layers, just read over the records they held, of
// which `written` are the ones that changed.
// The common case after a toggle: the same layers in the same order, of
// which a few changed their flags. Only those rows are written, and the rows
// with a widget are checked: a widget is ahead of its record after a toggle
// the drawing refused.
// Otherwise the drawing's layers and the rows are walked side by side. A row
// whose layer is at its place is updated; a row whose layer is gone is
// removed, or takes a new layer's record (a rename); a new layer before a
// row that stays gets a row of its own; any other row (a moved layer) takes
// the record of the layer at its place. The rows end up in the drawing's
// order whatever the changes were.
bool LayerComboBox::syncRows(const QVector<int>& written)
{
    const QVector<LayerItemData>& layers = m_layers;
    bool sameNames = m_listWidget->count() == layers.size();
    for (int i = 0; sameNames && i < written.size(); ++i) {
        const int row = written[i];
        sameNames = row < m_listWidget->count() && rowLayer(row).name == layers[row].name;
    }
    if (sameNames) {
        for (const int row : written)
            updateRow(row, layers[row]);
        for (int row = 0; row < m_rowWidgets.size(); ++row) {
            if (m_rowWidgets.at(row))
                updateRow(row, layers[row]);
        }
        return true;
    }

    QSet<QString> oldNames;
    for (int row = 0; row < m_listWidget->count(); ++row)
        oldNames.insert(rowLayer(row).name);
    QSet<QString> newNames;
    newNames.reserve(layers.size());
    for (const LayerItemData& data : layers)
        newNames.insert(data.name);

    int row = 0;
    for (const LayerItemData& data : layers) {
        const bool layerIsNew = !oldNames.contains(data.name);
        while (row < m_listWidget->count()) {
            const QVariant held = m_listWidget->item(row)->data(layerRole);
            if (held.isValid() && (layerIsNew || newNames.contains(held.value<LayerItemData>().name)))
                break;
            removeRow(row);
        }
        if (row >= m_listWidget->count() || (layerIsNew && newNames.contains(rowLayer(row).name)))
            insertRow(row, data);
        else
            updateRow(row, data);
        ++row;
    }
    while (m_listWidget->count() > row)
        removeRow(row);
    return false;
}

void LayerComboBox::slotRowChanged(int)
{
    LayerItemData current;
    if (KvLayerUtility().getCurrentLayer(current))
        m_lineEdit->setCurrentLayer(current);
}

void LayerComboBox::slotLabelChange(int code, LayerItemData data)
{
    ++m_toggleDepth;
    const QPointer<LayerComboBox> self = this;
    // The face follows a toggle only when it shows the toggled layer; when
    // the current layer cannot be read there is nothing to compare with.
    LayerItemData current;
    if (KvLayerUtility().getCurrentLayer(current) && current.name == data.name)
        m_lineEdit->setLabelChange(code, data);
    // The drawing has changed whether or not the face did.
    kvSetLayerTableChanges();
    if (self)
        emit layerComboBoxChanged();
    if (self)
        --m_toggleDepth;
}

void LayerComboBox::slotUpdate()
{
    // Items added or taken behind the drop-down's back: copy the records again.
    if (m_layers.size() != m_listWidget->count())
        copyRowRecords();
    const QVector<int> written = readLayersOver(m_layers);
    if (m_layers.isEmpty()) {
        clearListWidget();
        m_listWidget->setMinimumWidth(0);
        m_lineEdit->clearLayer();
        return;
    }
    // A popup that is open (a refresh from inside a click) has its viewport
    // hidden meanwhile so that no row is shown on the way.
    QWidget* viewport = m_listWidget->viewport();
    const bool open = viewport->isVisible();
    if (open)
        viewport->hide();
    const bool sameNames = syncRows(written);
    if (open)
        viewport->show();
    const int chrome = 2 * m_listWidget->frameWidth()
        + m_listWidget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_listWidget);
    if (!sameNames || m_nameWidth < 0 || m_nameFont != m_listWidget->font()) {
        m_nameWidth = widestName(m_layers, m_listWidget->fontMetrics());
        m_nameFont = m_listWidget->font();
    }
    m_listWidget->setMinimumWidth(qMin(widestPopup, LayerItemMetrics::rowWidth(m_nameWidth) + chrome));

    // A current layer that cannot be read makes no row current.
    LayerItemData currentLayer;
    const int current = KvLayerUtility().getCurrentLayer(currentLayer) ? getDisplayItem() : -1;
    m_listWidget->setCurrentRow(current);
    // The popup opens on the combo box's own index: keep it on the same row.
    setCurrentIndex(current < count() ? current : -1);
    slotRowChanged(current);
    if (lineEdit() != m_lineEdit) {
        setLineEdit(m_lineEdit);
        // The popup was set up while the combo box had no face, in the menu
        // fashion that some styles give it then, without a scroll bar; with
        // the face it is a list that must scroll.
        m_listWidget->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    m_listWidget->setAttribute(Qt::WA_MouseTracking, false);
}

} // namespace KvCc
