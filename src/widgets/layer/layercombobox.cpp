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
    connect(this, SIGNAL(currentIndexChanged(int)), this, SLOT(slotRowChanged(int)));
    m_listWidget->setAttribute(Qt::WA_MouseTracking, false);
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
    for (int row = 0; row < rows; ++row) {
        QListWidgetItem* item = m_listWidget->item(row);
        QWidget* rowWidget = m_listWidget->itemWidget(item);
        if (!rowWidget)
            continue;
        if (m_toggleDepth > 0) {
            // The click that got here is still running in one of these rows.
            rowWidget->hide();
            rowWidget->deleteLater();
        } else {
            delete rowWidget;
        }
    }
    m_listWidget->clear();
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
    clearListWidget();
    std::unique_ptr<QList<LayerItemData>> layers(KvLayerUtility().getAllLayer());
    if (layers->isEmpty()) {
        m_lineEdit->clearLayer();
        return;
    }
    // Rows are made in the viewport, where the list keeps them anyway, and
    // hidden until the popup shows them; a popup that is open (a refresh from
    // inside a click) has its viewport hidden meanwhile so that no row is
    // shown on the way.
    QWidget* viewport = m_listWidget->viewport();
    const bool open = viewport->isVisible();
    if (open)
        viewport->hide();
    for (const LayerItemData& data : qAsConst(*layers)) {
        auto* row = new LayerItem(viewport);
        row->setCurrentLayer(data);
        connect(row, SIGNAL(statusChanged(int,LayerItemData)), this,
                SLOT(slotLabelChange(int,LayerItemData)));
        auto* item = new QListWidgetItem(m_listWidget);
        item->setSizeHint(withHeight(item->sizeHint(), rowHeight));
        m_listWidget->setItemWidget(item, row);
        row->hide();
    }
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
