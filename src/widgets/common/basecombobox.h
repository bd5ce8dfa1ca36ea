#pragma once

#include "kvcustomcontrol_export.h"

#include <QComboBox>
#include <QPixmap>
#include <QSize>
#include <QString>

class QListWidget;
class QListWidgetItem;

namespace KvCc {

class BaseEdit;
class ListView;

// A drop-down whose face shows the chosen entry as a small picture and a text
// and whose popup lists picture-and-text rows above a settings button.
// Selectors derive from it, fill it with addItem() and say in openDialog()
// what the settings button does.
class KVCUSTOMCONTROL_EXPORT BaseComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit BaseComboBox(QWidget* parent = nullptr);
    ~BaseComboBox() override;

    void addItem(QPixmap pixmap, QString text);
    QListWidgetItem* item(int row) const;
    int currentRow() const;
    // Makes the row current in the list and shows it on the face; the combo
    // box's own index stays on its single row.
    void setCurrentIndex(int row);
    void setButtonText(QString text);
    void hideSettingBtn();
    void hideShowIcon();
    void setItemIconSize(QSize size);
    void setViewMode(int mode);
    // Height of the open popup.
    void setListWidgetHeight(int height);
    // Opens the popup as QComboBox does, then emits addMoreItem().
    void showPopup() override;

    ListView* listView() const { return m_listView; }
    BaseEdit* baseEdit() const { return m_lineEdit; }

signals:
    // Emitted on every opening of the popup, so rows can be completed lazily.
    void addMoreItem();

public slots:
    virtual void openDialog();
    void showCurrentItem(QPixmap pixmap, QString text);

private:
    Q_DISABLE_COPY(BaseComboBox)

    ListView* m_listView = nullptr;
    BaseEdit* m_lineEdit = nullptr;
    QListWidget* m_listWidget = nullptr;
};

} // namespace KvCc
