#include "listview.h"

#include "basecombobox_p.h"
#include "listwidget.h"

#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace KvCc {

namespace {
const int iconModeCell = 80;
const int iconModeIcon = 50;
// Pictures at least this high get a whole grid cell in icon mode.
const int iconModeTallPicture = 21;
}

ListView::ListView(QWidget* parent)
    : QWidget(parent)
    , m_listWidget(new ListWidget(this))
    , m_settingBtn(new QPushButton(this))
{
    //: A name for code, never shown: keep it as it is.
    m_listWidget->setObjectName(tr("customListView"));
    m_listWidget->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    //: A name for code, never shown: keep it as it is.
    m_settingBtn->setObjectName(tr("customSettingBtn"));
    m_settingBtn->setFixedHeight(25);
    m_settingBtn->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_listWidget);
    layout->addWidget(m_settingBtn);

    connect(m_listWidget, &ListWidget::showItem, this, &ListView::slotRowChanged);
    connect(m_settingBtn, &QPushButton::clicked, this, &ListView::slotButtonPress);
}

ListView::~ListView() = default;

int ListView::viewMode() const
{
    return static_cast<int>(m_listWidget->viewMode());
}

void ListView::setViewMode(int mode)
{
    m_listWidget->setViewMode(mode == QListView::IconMode ? QListView::IconMode : QListView::ListMode);
}

void ListView::setItemIconSize(QSize size)
{
    m_listWidget->setIconSize(size);
}

void ListView::setItemHeight(int height)
{
    m_itemHeight = height;
}

int ListView::itemHeight() const
{
    return m_itemHeight;
}

void ListView::setCurrentRow(int row)
{
    m_listWidget->setCurrentRow(row);
    slotRowChanged(row);
}

void ListView::addItem(QPixmap pixmap, QString text)
{
    auto* item = new QListWidgetItem(QIcon(pixmap), text, m_listWidget);
    if (m_listWidget->viewMode() == QListView::ListMode) {
        item->setSizeHint(withHeight(item->sizeHint(), m_itemHeight));
    } else {
        if (pixmap.height() >= iconModeTallPicture)
            item->setSizeHint(QSize(iconModeCell, iconModeCell));
        m_listWidget->setResizeMode(QListView::Adjust);
        m_listWidget->setTextElideMode(Qt::ElideRight);
        m_listWidget->setGridSize(QSize(iconModeCell, iconModeCell));
        m_listWidget->setIconSize(QSize(iconModeIcon, iconModeIcon));
    }
}

void ListView::setButtonText(QString text)
{
    m_settingBtn->setText(text);
}

void ListView::hideSettingBtn()
{
    m_settingBtn->hide();
}

QListWidgetItem* ListView::currentItem() const
{
    return m_listWidget->currentItem();
}

int ListView::currentRow() const
{
    return m_listWidget->currentRow();
}

QListWidgetItem* ListView::item(int row) const
{
    return m_listWidget->item(row);
}

void ListView::slotRowChanged(int row)
{
    QListWidgetItem* rowItem = m_listWidget->item(row);
    if (!rowItem)
        return;
    const QIcon icon = qvariant_cast<QIcon>(rowItem->data(Qt::DecorationRole));
    QPixmap pixmap;
    if (m_listWidget->viewMode() == QListView::IconMode) {
        pixmap = icon.pixmap(QSize(16, 16));
    } else {
        // A list that was never given an icon size paints at the style's
        // small icon size; the face shows the picture at that size too.
        QSize size = m_listWidget->iconSize();
        if (!size.isValid()) {
            const int side = m_listWidget->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, m_listWidget);
            size = QSize(side, side);
        }
        pixmap = icon.pixmap(size, QIcon::Normal);
    }
    emit currentItemChanged(pixmap, rowItem->data(Qt::DisplayRole).toString());
}

void ListView::slotButtonPress()
{
    // The popup closes under the pointer as the dialog opens; without this
    // the button would still look hovered the next time the popup shows.
    m_settingBtn->setMouseTracking(true);
    m_settingBtn->setAttribute(Qt::WA_UnderMouse, false);
    emit triggerDialog();
}

} // namespace KvCc
