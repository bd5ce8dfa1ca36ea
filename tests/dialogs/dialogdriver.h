#pragma once

#include "modaldriver.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <functional>

// Drives the library's dialogs as a user does: the dialog runs modally with
// exec() and is answered from inside its own modal loop.
namespace dialogdriver {

inline int execAndAnswer(QDialog& dialog, const std::function<void(QDialog*)>& answer)
{
    return modaldriver::exec<QDialog>(dialog, answer);
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
    QVERIFY2(button, objectName);
    QVERIFY2(button->isVisible(), objectName);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

// Presses the button, expects an information box parented to the dialog,
// returns its title and text through the arguments and closes it.
inline void readHelpBox(QDialog* dialog, const char* buttonName, QString* title, QString* text)
{
    modaldriver::answer<QMessageBox>([dialog, buttonName] { clickButton(dialog, buttonName); },
                                     [dialog, title, text](QMessageBox* box) {
                                         *title = box->windowTitle();
                                         *text = box->text();
                                         if (box->parentWidget() != dialog || box->icon() != QMessageBox::Information)
                                             *title += QStringLiteral(" (not an information box of the dialog)");
                                         box->accept();
                                     });
}

} // namespace dialogdriver
