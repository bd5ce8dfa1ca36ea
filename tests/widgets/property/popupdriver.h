#pragma once

// Drives a picture-and-text drop-down as a user does: a click on its arrow
// opens the popup, a click on a row chooses it, a click on the button under
// the list runs the selector's settings.

#include <basecombobox.h>
#include <baseedit.h>
#include <listview.h>
#include <listwidget.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QtTest>

namespace popupdriver {

inline QListWidget* rows(KvCc::BaseComboBox* combo)
{
    return combo->findChild<QListWidget*>(QStringLiteral("customListView"));
}

inline QPushButton* settingsButton(KvCc::BaseComboBox* combo)
{
    return combo->findChild<QPushButton*>(QStringLiteral("customSettingBtn"));
}

inline QString face(KvCc::BaseComboBox* combo)
{
    return combo->baseEdit()->currentText();
}

inline QStringList rowTexts(KvCc::BaseComboBox* combo)
{
    QStringList texts;
    QListWidget* list = rows(combo);
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

inline bool popupVisible(KvCc::BaseComboBox* combo)
{
    return combo->view()->isVisible();
}

// Clicks the arrow of the combo box and waits for the popup.
inline bool openPopup(KvCc::BaseComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.subControls = QStyle::SC_All;
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
    if (!QTest::qWaitFor([combo] { return popupVisible(combo); }, 2000))
        return false;
    return QTest::qWaitForWindowExposed(combo->view()->window());
}

// Clicks the row in the open popup.
inline bool clickRow(KvCc::BaseComboBox* combo, int row)
{
    QListWidget* list = rows(combo);
    if (!list || !list->item(row))
        return false;
    list->scrollToItem(list->item(row));
    const QRect rect = list->visualItemRect(list->item(row));
    if (!list->viewport()->rect().contains(rect.center()))
        return false;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    return true;
}

// Clicks the button under the list of the open popup.
inline bool clickSettings(KvCc::BaseComboBox* combo)
{
    QPushButton* button = settingsButton(combo);
    if (!button || !button->isVisible())
        return false;
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    return true;
}

// Height the popup gives its list and button (its single row's height).
inline int popupHeight(KvCc::BaseComboBox* combo)
{
    auto* outer = qobject_cast<QListWidget*>(combo->view());
    if (!outer || outer->count() != 1)
        return -1;
    return outer->item(0)->sizeHint().height();
}

// Whether the open popup shows the button label and every row text whole.
inline bool popupShowsWholeTexts(KvCc::BaseComboBox* combo)
{
    QPushButton* button = settingsButton(combo);
    if (button && button->isVisible() && button->width() < button->sizeHint().width())
        return false;
    QListWidget* list = rows(combo);
    if (!list || list->viewMode() != QListView::ListMode)
        return true;
    const QFontMetrics metrics(list->font());
    for (int i = 0; i < list->count(); ++i) {
        const int needed = list->iconSize().width() + metrics.horizontalAdvance(list->item(i)->text()) + 8;
        if (needed > list->viewport()->width())
            return false;
    }
    return true;
}

} // namespace popupdriver
