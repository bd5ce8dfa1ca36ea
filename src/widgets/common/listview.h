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

// What a picture-and-text drop-down shows when it opens: the list of rows
// and, under it, a settings button whose meaning each drop-down chooses.
class KVCUSTOMCONTROL_EXPORT ListView : public QWidget
{
    Q_OBJECT

public:
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    // 0 list, 1 icons (the list's QListView::ViewMode).
    int viewMode() const;
    void setViewMode(int mode);
    void setItemIconSize(QSize size);
    // Height of the rows added in list mode from now on.
    void setItemHeight(int height);
    int itemHeight() const;
    // Makes the row current and reports it as if it had been clicked.
    void setCurrentRow(int row);
    void addItem(QPixmap pixmap, QString text);
    void setButtonText(QString text);
    void hideSettingBtn();
    QListWidgetItem* currentItem() const;
    int currentRow() const;
    QListWidgetItem* item(int row) const;

    ListWidget* listWidget() const { return m_listWidget; }
    QPushButton* settingButton() const { return m_settingBtn; }

signals:
    void currentItemChanged(QPixmap pixmap, QString string);
    void triggerDialog();

public slots:
    void slotRowChanged(int row);
    void slotButtonPress();

private:
    Q_DISABLE_COPY(ListView)

    ListWidget* m_listWidget = nullptr;
    QPushButton* m_settingBtn = nullptr;
    int m_itemHeight = 20;
};

} // namespace KvCc
