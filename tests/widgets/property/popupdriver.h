#pragma once

// Drives a picture-and-text drop-down as a user does: a click on its arrow
// opens the popup, a click on a row chooses it, a click on the button under
// the list runs the selector's settings.

#include "modaldriver.h"

#include <basecombobox.h>
#include <baseedit.h>

#include <QAbstractItemView>
#include <QColorDialog>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QtTest>

#include <functional>

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
    for (int i = 0; i < rows(combo)->count(); ++i)
        texts << rows(combo)->item(i)->text();
    return texts;
}

inline bool popupVisible(KvCc::BaseComboBox* combo)
{
    return combo->view()->isVisible();
}

// Height the popup gives its list and button (its single row's height).
inline int popupHeight(KvCc::BaseComboBox* combo)
{
    return combo->view()->model()->index(0, 0).data(Qt::SizeHintRole).toSize().height();
}

// What the closed selector shows and how high its popup opens.
inline QString state(KvCc::BaseComboBox* combo)
{
    return QStringLiteral("%1, row %2, popup %3").arg(face(combo)).arg(combo->currentRow()).arg(popupHeight(combo));
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
    return QTest::qWaitFor([combo] { return popupVisible(combo); }, 2000)
        && QTest::qWaitForWindowExposed(combo->view()->window());
}

// Opens the popup, clicks the row and waits for the popup to close.
inline bool pickRow(KvCc::BaseComboBox* combo, int row)
{
    QListWidget* list = rows(combo);
    if (!openPopup(combo) || !list->item(row))
        return false;
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    return QTest::qWaitFor([combo] { return !popupVisible(combo); }, 2000);
}

// Opens the popup and clicks its settings button, which must open a modal
// Dialog after closing the popup; answer closes that dialog.
template<class Dialog>
void runSettings(KvCc::BaseComboBox* combo, modaldriver::detail::Plain<std::function<void(Dialog*)>> answer)
{
    QVERIFY(openPopup(combo));
    modaldriver::answer<Dialog>([combo] { QTest::mouseClick(settingsButton(combo), Qt::LeftButton); },
                                [combo, answer](Dialog* dialog) {
                                    QVERIFY(!popupVisible(combo));
                                    answer(dialog);
                                });
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

// Opens the popup and clicks a settings button that must open no dialog.
inline void clickIdleSettings(KvCc::BaseComboBox* combo)
{
    QVERIFY(openPopup(combo));
    QVERIFY(settingsButton(combo)->isVisible());
    QTest::mouseClick(settingsButton(combo), Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
    combo->hidePopup();
}

// Answers the color dialog of a color selector: picks color when it is
// valid, cancels otherwise. (The driver takes it as a QDialog: QColorDialog
// hides done().)
inline std::function<void(QDialog*)> answerColorDialog(const QColor& color)
{
    return [color](QDialog* shown) {
        auto* dialog = qobject_cast<QColorDialog*>(shown);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Color"));
        QCOMPARE(dialog->currentColor(), QColor(Qt::white));
        if (!color.isValid())
            return dialog->reject();
        dialog->setCurrentColor(color);
        dialog->accept();
    };
}

// Whether the open popup shows the button label and every row text whole.
inline bool popupShowsWholeTexts(KvCc::BaseComboBox* combo)
{
    QPushButton* button = settingsButton(combo);
    if (button->isVisible() && button->width() < button->sizeHint().width())
        return false;
    QListWidget* list = rows(combo);
    const QFontMetrics metrics(list->font());
    for (int i = 0; list->viewMode() == QListView::ListMode && i < list->count(); ++i) {
        if (list->iconSize().width() + metrics.horizontalAdvance(list->item(i)->text()) + 8 > list->viewport()->width())
            return false;
    }
    return true;
}

} // namespace popupdriver
