#include "layercombobox.h"

#include "basecombobox_p.h"
#include "kvlayerutility.h"
#include "layeredit.h"
#include "layeritem.h"
#include "layeritemmetrics_p.h"
#include "rowwidgetlist_p.h"

#include <KvAppBase.h>

#include <QListWidget>
#include <QStyle>
#include <QPointer>
#include <QScopedValueRollback>
#include <QSet>
#include <QSignalBlocker>

#include <memory>

namespace KvCc {

namespace {

const int rowHeight = 25;
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
int widestName(const QList<LayerItemData>& layers, const QFontMetrics& metrics)
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
    const auto rowsChanged = [this] { m_rowsKnown = m_rowsKnown && m_changingRows; };
    QAbstractItemModel* rows = m_listWidget->model();
    connect(rows, &QAbstractItemModel::rowsInserted, this, rowsChanged);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
    connect(rows, &QAbstractItemModel::modelReset, this, rowsChanged);
    connect(rows, &QAbstractItemModel::layoutChanged, this, rowsChanged);
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
    for (int row = 0; row < rows; ++row) {
        auto* layerRow = qobject_cast<LayerItem*>(m_listWidget->itemWidget(m_listWidget->item(row)));
        if (!layerRow)
            return 0;
        if (layerRow->currentLayerData().name == current.name)
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
    const QScopedValueRollback<bool> changing(m_changingRows, true);
    m_listWidget->clear();
    m_rows.clear();
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

LayerItem* LayerComboBox::rowAt(int row) const
{
    if (m_rowsKnown && row < m_rows.size() && m_rows.at(row))
        return m_rows.at(row);
    return qobject_cast<LayerItem*>(m_listWidget->itemWidget(m_listWidget->item(row)));
}

void LayerComboBox::insertRow(int row, const LayerItemData& data)
{
    // Rows are made in the viewport, where the list keeps them anyway, and
    // hidden until the popup shows them.
    auto* rowWidget = new LayerItem(m_listWidget->viewport());
    rowWidget->setCurrentLayer(data);
    connect(rowWidget, &LayerItem::statusChanged, this, &LayerComboBox::slotLabelChange);
    auto* item = new QListWidgetItem;
    item->setSizeHint(withHeight(item->sizeHint(), rowHeight));
    const QScopedValueRollback<bool> changing(m_changingRows, true);
    m_listWidget->insertItem(row, item);
    m_listWidget->setItemWidget(item, rowWidget);
    rowWidget->hide();
    if (row <= m_rows.size())
        m_rows.insert(row, rowWidget);
}

void LayerComboBox::updateRow(LayerItem* rowWidget, const LayerItemData& data)
{
    if (rowWidget->currentLayerData() != data || rowWidget->layerName() != data.name)
        rowWidget->setCurrentLayer(data);
}

void LayerComboBox::removeRow(int row)
{
    disposeRowWidget(m_listWidget->itemWidget(m_listWidget->item(row)));
    const QScopedValueRollback<bool> changing(m_changingRows, true);
    delete m_listWidget->takeItem(row);
    if (row < m_rows.size())
        m_rows.remove(row);
}

// Walks the drawing's layers and the rows side by side. A row whose layer is
// at its place is updated only when its record changed; a row whose layer is
// gone is removed, or takes a new layer's record (a rename); a new layer
// before a row that stays gets a row of its own; any other row (a moved
// layer) takes the record of the layer at its place.
// The rows end up in the drawing's order whatever the changes were.
void LayerComboBox::syncRows(const QList<LayerItemData>& layers)
{
    if (!m_rowsKnown || m_rows.size() != m_listWidget->count()) {
        m_rows.clear();
        for (int row = 0; row < m_listWidget->count(); ++row)
            m_rows << qobject_cast<LayerItem*>(m_listWidget->itemWidget(m_listWidget->item(row)));
        m_rowsKnown = true;
    }
    // The common case after a toggle: the same layers in the same order, of
    // which a few changed their flags. A row out of place ends this pass;
    // the walk below then takes the rows as this pass left them.
    if (m_listWidget->count() == layers.size()) {
        int row = 0;
        for (; row < layers.size(); ++row) {
            LayerItem* rowWidget = rowAt(row);
            if (!rowWidget || rowWidget->currentLayerData().name != layers[row].name)
                break;
            updateRow(rowWidget, layers[row]);
        }
        if (row == layers.size())
            return;
    }

    QSet<QString> oldNames;
    for (int row = 0; row < m_listWidget->count(); ++row) {
        if (LayerItem* rowWidget = rowAt(row))
            oldNames.insert(rowWidget->currentLayerData().name);
    }
    QSet<QString> newNames;
    newNames.reserve(layers.size());
    for (const LayerItemData& data : layers)
        newNames.insert(data.name);

    int row = 0;
    for (const LayerItemData& data : layers) {
        const bool layerIsNew = !oldNames.contains(data.name);
        while (row < m_listWidget->count()) {
            LayerItem* rowWidget = rowAt(row);
            if (rowWidget && (layerIsNew || newNames.contains(rowWidget->currentLayerData().name)))
                break;
            removeRow(row);
        }
        LayerItem* rowWidget = row < m_listWidget->count() ? rowAt(row) : nullptr;
        if (!rowWidget || (layerIsNew && newNames.contains(rowWidget->currentLayerData().name)))
            insertRow(row, data);
        else
            updateRow(rowWidget, data);
        ++row;
    }
    while (m_listWidget->count() > row)
        removeRow(row);
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
    std::unique_ptr<QList<LayerItemData>> layers(KvLayerUtility().getAllLayer());
    if (layers->isEmpty()) {
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
    syncRows(*layers);
    if (open)
        viewport->show();
    const int chrome = 2 * m_listWidget->frameWidth()
        + m_listWidget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_listWidget);
    const int nameWidth = widestName(*layers, m_listWidget->fontMetrics());
    m_listWidget->setMinimumWidth(qMin(widestPopup, LayerItemMetrics::rowWidth(nameWidth) + chrome));
    layers.reset();

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
