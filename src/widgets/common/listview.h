#pragma once

#include "kvcustomcontrol_export.h"

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

class QListWidgetItem;
class QPushButton;

namespace KvCc {

class ListWidget;

/// What a picture-and-text drop-down shows when it opens: the list of rows
/// and, under it, a settings button whose meaning each drop-down chooses.
class KVCUSTOMCONTROL_EXPORT ListView : public QWidget
{
    Q_OBJECT

public:
    /// Builds an empty list with a settings button under it.
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    /// 0 list, 1 icons (the list's QListView::ViewMode).
    ///@{
    int viewMode() const;
    void setViewMode(int mode);
    ///@}
    /// Size of the row pictures.
    void setItemIconSize(QSize size);
    /// Height of the rows added in list mode from now on.
    void setItemHeight(int height);
    /// Height of rows added in list mode.
    int itemHeight() const;
    /// Makes the row current and reports it as if it had been clicked.
    void setCurrentRow(int row);
    /// Appends a row showing pixmap and text.
    void addItem(QPixmap pixmap, QString text);
    /// The text of the settings button.
    void setButtonText(QString text);
    /// Hides the settings button.
    void hideSettingBtn();
    /// The current row's item, or null.
    QListWidgetItem* currentItem() const;
    /// The current row; -1 when none.
    int currentRow() const;
    /// The item of row, or null.
    QListWidgetItem* item(int row) const;

    /// The list of rows.
    ListWidget* listWidget() const { return m_listWidget; }
    /// The settings button under the list.
    QPushButton* settingButton() const { return m_settingBtn; }

signals:
    /// A row was chosen: its picture and text.
    void currentItemChanged(QPixmap pixmap, QString string);
    /// The settings button was pressed.
    void triggerDialog();

public slots:
    /// Emits currentItemChanged() with the picture and text of row.
    void slotRowChanged(int row);
    /// Emits triggerDialog().
    void slotButtonPress();

private:
    Q_DISABLE_COPY(ListView)

    ListWidget* m_listWidget = nullptr;
    QPushButton* m_settingBtn = nullptr;
    int m_itemHeight = 20;
};

} // namespace KvCc
