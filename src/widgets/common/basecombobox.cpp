#include "basecombobox.h"

#include "basecombobox_p.h"
#include "baseedit.h"
#include "listview.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace KvCc {

BaseComboBox::BaseComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_listView(new ListView)
    , m_lineEdit(new BaseEdit)
    , m_listWidget(new QListWidget(this))
{
    setModel(m_listWidget->model());
    setView(m_listWidget);
    // The popup holds one row, and that row's widget is the whole list view.
    auto* row = new QListWidgetItem(m_listWidget);
    m_listWidget->setItemWidget(row, m_listView);
    setLineEdit(m_lineEdit);
    m_listView->setItemHeight(20);
    setListWidgetHeight(m_listView->sizeHint().height());

    connect(m_listView, SIGNAL(currentItemChanged(QPixmap,QString)), this,
            SLOT(showCurrentItem(QPixmap,QString)));
    connect(m_listView, SIGNAL(triggerDialog()), this, SLOT(openDialog()));
}

BaseComboBox::~BaseComboBox()
{
    const QSignalBlocker blocker(this);
    releaseComboParts(this, m_listWidget);
    delete m_listView;
    m_listView = nullptr;
    delete m_lineEdit;
    m_lineEdit = nullptr;
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

void BaseComboBox::showPopup()
{
    QComboBox::showPopup();
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
