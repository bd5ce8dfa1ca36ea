#include "basecombobox.h"

#include "basecombobox_p.h"
#include "baseedit.h"
#include "listview.h"
#include "listwidget.h"
#include "rowwidgetlist_p.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>

namespace KvCc {

BaseComboBox::BaseComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_listView(new ListView)
    , m_lineEdit(new BaseEdit)
    , m_listWidget(new RowWidgetList(this))
{
    setModel(m_listWidget->model());
    setView(m_listWidget);
    // The popup holds one row, and that row's widget is the whole list view.
    auto* row = new QListWidgetItem(m_listWidget);
    m_listWidget->setItemWidget(row, m_listView);
    m_listView->hide();
    setLineEdit(m_lineEdit);
    // The popup was set up before the face, in the menu fashion some styles
    // use for combo boxes without an edit, without a scroll bar.
    m_listWidget->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_listView->setItemHeight(20);
    setListWidgetHeight(m_listView->sizeHint().height());

    connect(m_listView, &ListView::currentItemChanged, this, &BaseComboBox::showCurrentItem);
    connect(m_listView, &ListView::triggerDialog, this, &BaseComboBox::openDialog);
}

BaseComboBox::~BaseComboBox()
{
    const QSignalBlocker blocker(this);
    releaseComboParts(this, m_listWidget);
    delete m_lineEdit;
    m_lineEdit = nullptr;
    // The list view is the widget of the list's only row and goes with the list.
    m_listView = nullptr;
    delete m_listWidget;
    m_listWidget = nullptr;
}

void BaseComboBox::addItem(QPixmap pixmap, QString text)
{
    m_listView->addItem(pixmap, text);
}

QListWidgetItem* BaseComboBox::item(int row) const
{
    return m_listView->item(row);
}

int BaseComboBox::currentRow() const
{
    return m_listView->currentRow();
}

void BaseComboBox::setCurrentIndex(int row)
{
    m_listView->setCurrentRow(row);
}

void BaseComboBox::setButtonText(QString text)
{
    m_listView->setButtonText(text);
}

void BaseComboBox::hideSettingBtn()
{
    m_listView->hideSettingBtn();
}

void BaseComboBox::hideShowIcon()
{
    m_lineEdit->hideIcon();
}

void BaseComboBox::setItemIconSize(QSize size)
{
    m_listView->setItemIconSize(size);
}

void BaseComboBox::setViewMode(int mode)
{
    m_listView->setViewMode(mode);
}

void BaseComboBox::setListWidgetHeight(int height)
{
    QListWidgetItem* row = m_listWidget->item(0);
    row->setSizeHint(withHeight(row->sizeHint(), height));
}

namespace {

// Wide enough for the settings button's text and, in list mode, for the
// widest row with its picture, even when the combo box itself is narrower.
int popupWidthHint(ListView* view)
{
    int width = view->minimumSizeHint().width();
    QListWidget* list = view->listWidget();
    if (list->viewMode() == QListView::ListMode) {
        const QFontMetrics metrics(list->font());
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = qMax(widest, metrics.horizontalAdvance(list->item(i)->text()));
        const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        width = qMax(width, list->iconSize().width() + widest + scrollBar + 32);
    }
    return width;
}

} // namespace

void BaseComboBox::showPopup()
{
    m_listWidget->setMinimumWidth(popupWidthHint(m_listView) + 2 * m_listWidget->frameWidth());
    QComboBox::showPopup();
    // The rows are in the inner list: the keyboard goes there, once the list
    // view is placed and shown on the popup's row.
    static_cast<RowWidgetList*>(m_listWidget)->updateEditorGeometries();
    m_listView->listWidget()->setFocus();
    emit addMoreItem();
}

void BaseComboBox::openDialog()
{
}

void BaseComboBox::showCurrentItem(QPixmap pixmap, QString text)
{
    m_lineEdit->setCurrentIcon(pixmap);
    m_lineEdit->setCurrentText(text);
    hidePopup();
}

} // namespace KvCc
