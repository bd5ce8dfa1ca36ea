#pragma once

#include "modaldriver.h"

#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// Answers the library's dialogs as a user does, from inside their modal loop.
namespace dialogdriver {

// The ways a user closes a dialog: the first two accept it, the others reject it.
enum Answer { OkButton, ReturnKey, CancelButton, EscapeKey, CloseButton };

inline void addAnswerRows(bool accepting)
{
    QTest::addColumn<int>("answer");
    if (accepting) {
        QTest::newRow("OK accepts") << int(OkButton);
        QTest::newRow("Return takes OK") << int(ReturnKey);
    }
    QTest::newRow("Cancel rejects, after Help showed its box") << int(CancelButton);
    QTest::newRow("Escape rejects") << int(EscapeKey);
    QTest::newRow("the window's close button rejects") << int(CloseButton);
}

// Sends a key to the widget that has the keyboard focus, as typing does.
inline void typeKey(QDialog* dialog, Qt::Key key)
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && target->window() == dialog ? target : dialog, key);
}

inline void clickButton(QDialog* dialog, const char* objectName)
{
    auto* button = dialog->findChild<QPushButton*>(QLatin1String(objectName));
    QVERIFY2(button && button->isVisible(), objectName);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

inline void clickRow(QDialog* dialog, int row)
{
    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("listWidget"));
    QVERIFY(list && list->item(row));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QCOMPARE(list->currentRow(), row);
}

// Presses Help, which must show the information box of the dialog, and closes it.
inline void checkHelpBox(QDialog* dialog, const char* helpButton)
{
    QString shown;
    modaldriver::answer<QMessageBox>([&] { clickButton(dialog, helpButton); }, [&](QMessageBox* box) {
        if (box->parentWidget() == dialog && box->icon() == QMessageBox::Information)
            shown = box->windowTitle() + QLatin1Char('/') + box->text();
        box->accept();
    });
    QCOMPARE(shown, QStringLiteral("help/Vantor help  doc!"));
    QVERIFY(dialog->isVisible());
}

// Closes the dialog by the answer; the button names are those of its form.
inline void answer(QDialog* dialog, int answer, const char* ok, const char* cancel, const char* help)
{
    switch (answer) {
    case OkButton:
        return clickButton(dialog, ok);
    case ReturnKey:
        return typeKey(dialog, Qt::Key_Return);
    case CancelButton:
        if (help)
            checkHelpBox(dialog, help);
        return clickButton(dialog, cancel);
    case EscapeKey:
        return typeKey(dialog, Qt::Key_Escape);
    default:
        dialog->close();
    }
}

} // namespace dialogdriver
