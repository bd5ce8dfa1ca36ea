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

/// A drop-down whose face shows the chosen entry as a small picture and a text
/// and whose popup lists picture-and-text rows above a settings button.
/// Selectors derive from it, fill it with addItem() and say in openDialog()
/// what the settings button does.
class KVCUSTOMCONTROL_EXPORT BaseComboBox : public QComboBox
{
    Q_OBJECT

public:
    /// Builds an empty drop-down with its popup list and settings button.
    explicit BaseComboBox(QWidget* parent = nullptr);
    ~BaseComboBox() override;

    /// Appends a row showing pixmap and text.
    void addItem(QPixmap pixmap, QString text);
    /// The item of a row of the popup list, or null.
    QListWidgetItem* item(int row) const;
    /// The row shown on the face; -1 when none.
    int currentRow() const;
    /// Makes the row current in the list and shows it on the face; the combo
    /// box's own index stays on its single row.
    void setCurrentIndex(int row);
    /// The text of the settings button under the list.
    void setButtonText(QString text);
    /// Hides the settings button, for drop-downs that have no dialog.
    void hideSettingBtn();
    /// Hides the picture on the face; the face shows the text only.
    void hideShowIcon();
    /// Size of the row pictures in the popup list.
    void setItemIconSize(QSize size);
    /// 0 shows the rows as a list, 1 as an icon grid (QListView::ViewMode).
    void setViewMode(int mode);
    /// Height of the open popup.
    void setListWidgetHeight(int height);
    /// Opens the popup as QComboBox does, then emits addMoreItem().
    void showPopup() override;

    /// The popup: the list and the settings button.
    ListView* listView() const { return m_listView; }
    /// The face that shows the chosen row.
    BaseEdit* baseEdit() const { return m_lineEdit; }

signals:
    /// Emitted on every opening of the popup, so rows can be completed lazily.
    void addMoreItem();

public slots:
    /// Run by the settings button; does nothing here, subclasses open their dialog.
    virtual void openDialog();
    /// Shows pixmap and text on the face and closes the popup.
    void showCurrentItem(QPixmap pixmap, QString text);

private:
    Q_DISABLE_COPY(BaseComboBox)

    ListView* m_listView = nullptr;
    BaseEdit* m_lineEdit = nullptr;
    QListWidget* m_listWidget = nullptr;
};

} // namespace KvCc
