#pragma once

// Drives a picture-and-text drop-down as a user does: a click on its arrow
// opens the popup, a click on a row chooses it, a click on the button under
// the list runs the selector's settings.

#include "modaldriver.h"

#include <basecombobox.h>
#include <baseedit.h>
#include <listview.h>
#include <listwidget.h>

#include <QColorDialog>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace popupdriver {

inline QString face(KvCc::BaseComboBox* combo)
{
    return combo->baseEdit()->currentText();
}

inline QStringList rowTexts(KvCc::BaseComboBox* combo)
{
    QStringList texts;
    QListWidget* list = combo->listView()->listWidget();
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// What the closed selector shows and how high its popup opens (the height
// of the popup's single row, which holds the list and the button).
inline QString state(KvCc::BaseComboBox* combo)
{
    const int popupHeight = combo->view()->model()->index(0, 0).data(Qt::SizeHintRole).toSize().height();
    return QStringLiteral("%1, row %2, popup %3").arg(face(combo)).arg(combo->currentRow()).arg(popupHeight);
}

// Clicks the arrow at the right end of the combo box and waits for the popup.
inline bool openPopup(KvCc::BaseComboBox* combo)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 8, combo->height() / 2));
    return QTest::qWaitForWindowExposed(combo->view()->window());
}

// Opens the popup, clicks the row and waits for the popup to close.
inline bool pickRow(KvCc::BaseComboBox* combo, int row)
{
    QListWidget* list = combo->listView()->listWidget();
    if (!openPopup(combo) || !list->item(row))
        return false;
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    return QTest::qWaitFor([combo] { return !combo->view()->isVisible(); }, 2000);
}

// Opens the popup and clicks its settings button, which must open a modal
// Dialog after closing the popup; answer closes that dialog.
template<class Dialog>
void runSettings(KvCc::BaseComboBox* combo, modaldriver::detail::Plain<std::function<void(Dialog*)>> answer)
{
    QVERIFY(openPopup(combo));
    modaldriver::answer<Dialog>([combo] { QTest::mouseClick(combo->listView()->settingButton(), Qt::LeftButton); },
                                [combo, answer](Dialog* dialog) {
                                    QVERIFY(!combo->view()->isVisible());
                                    answer(dialog);
                                });
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

// Opens the popup and clicks a settings button that must open no dialog.
inline void clickIdleSettings(KvCc::BaseComboBox* combo)
{
    QVERIFY(openPopup(combo));
    QTest::mouseClick(combo->listView()->settingButton(), Qt::LeftButton);
    QVERIFY(!QTest::qWaitFor([] { return QApplication::activeModalWidget(); }, 50));
    combo->hidePopup();
}

// Answers the color dialog of a color selector: picks color when it is
// valid, cancels otherwise. (The driver takes it as a QDialog: QColorDialog
// hides done(), which still ends it through the virtual call.)
inline std::function<void(QDialog*)> answerColorDialog(const QColor& color)
{
    return [color](QDialog* shown) {
        auto* dialog = qobject_cast<QColorDialog*>(shown);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Color"));
        QCOMPARE(dialog->currentColor(), QColor(Qt::white));
        if (color.isValid())
            dialog->setCurrentColor(color);
        shown->done(color.isValid() ? QDialog::Accepted : QDialog::Rejected);
    };
}

// Whether the open popup shows the button label and every row text whole.
inline bool popupShowsWholeTexts(KvCc::BaseComboBox* combo)
{
    const QPushButton* button = combo->listView()->settingButton();
    if (button->isVisible() && button->width() < button->sizeHint().width())
        return false;
    QListWidget* list = combo->listView()->listWidget();
    const int room = list->viewport()->width() - list->iconSize().width() - 8;
    for (int i = 0; list->viewMode() == QListView::ListMode && i < list->count(); ++i)
        if (list->fontMetrics().horizontalAdvance(list->item(i)->text()) > room)
            return false;
    return true;
}

} // namespace popupdriver
