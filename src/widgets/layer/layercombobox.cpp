#include "layercombobox.h"

#include "basecombobox_p.h"
#include "kvlayerutility.h"
#include "layeredit.h"
#include "layeritem.h"

#include <KvAppBase.h>

#include <QListWidget>
#include <QPointer>
#include <QSignalBlocker>

#include <memory>

namespace KvCc {

namespace {

const int rowHeight = 25;

// The popup list. A row widget costs little while it is hidden, and a lot
// once shown: every shown row takes part in each layout, paint and scroll
// of the popup. QAbstractItemView shows and places every row widget, so a
// drawing of thousands of layers made opening and scrolling the popup slow.
// This list shows only the rows that intersect the viewport and hides the
// ones that scroll out of it; the rows themselves stay as they are.
class LayerPopupList : public QListWidget
{
public:
    LayerPopupList() = default;

    // Places and shows the row widgets in view, hides the others it showed.
    void updateEditorGeometries() override
    {
        if (viewMode() != QListView::ListMode || flow() != QListView::TopToBottom || isWrapping()) {
            QListWidget::updateEditorGeometries();
            return;
        }
        QVector<QPointer<QWidget>> inView;
        const QRect area = viewport()->rect();
        const int rows = count();
        if (rows > 0 && !area.isEmpty()) {
            int row = indexAt(area.topLeft()).row();
            if (row < 0)
                row = 0;
            for (; row < rows; ++row) {
                const QModelIndex index = model()->index(row, 0);
                const QRect rect = visualRect(index);
                if (rect.top() > area.bottom())
                    break;
                if (!rect.intersects(area))
                    continue;
                QWidget* rowWidget = indexWidget(index);
                if (!rowWidget)
                    continue;
                if (rowWidget->geometry() != rect)
                    rowWidget->setGeometry(rect);
                if (rowWidget->isHidden())
                    rowWidget->show();
                inView << rowWidget;
            }
        }
        for (const QPointer<QWidget>& rowWidget : qAsConst(m_inView)) {
            if (rowWidget && !inView.contains(rowWidget))
                rowWidget->hide();
        }
        m_inView = inView;
    }

protected:
    void scrollContentsBy(int dx, int dy) override
    {
        QListWidget::scrollContentsBy(dx, dy);
        updateEditorGeometries();
    }

private:
    QVector<QPointer<QWidget>> m_inView;
};

} // namespace

LayerComboBox::LayerComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_listWidget(new LayerPopupList)
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
    layers.reset();

    // A current layer that cannot be read makes no row current.
    LayerItemData currentLayer;
    const int current = KvLayerUtility().getCurrentLayer(currentLayer) ? getDisplayItem() : -1;
    m_listWidget->setCurrentRow(current);
    // The popup opens on the combo box's own index: keep it on the same row.
    setCurrentIndex(current < count() ? current : -1);
    slotRowChanged(current);
    if (lineEdit() != m_lineEdit)
        setLineEdit(m_lineEdit);
    m_listWidget->setAttribute(Qt::WA_MouseTracking, false);
}

} // namespace KvCc
