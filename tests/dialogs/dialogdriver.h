#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

// Drives the library's dialogs as a user does: the dialog runs modally with
// exec() and is answered from inside its own modal loop.
namespace dialogdriver {

// Runs dialog.exec(); once the dialog is the active modal window, answer gets
// it. A dialog still open after answer returned is closed with -1, so a
// failed check inside answer (or a dialog that never became active) ends in
// a wrong result instead of a hang.
inline int execAndAnswer(QDialog& dialog, const std::function<void(QDialog*)>& answer)
{
    QTimer::singleShot(0, &dialog, [&dialog, answer] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal == &dialog && QTest::qWaitForWindowExposed(modal)) {
            modal->activateWindow();
            // The offscreen platform may keep the focus on a window shown
            // again without telling the widgets; make the activation explicit.
            if (QTest::qWaitForWindowActive(modal) && !modal->isActiveWindow())
                QApplication::setActiveWindow(modal);
            if (modal->isActiveWindow())
                answer(modal);
        }
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return dialog.exec();
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
    QTimer::singleShot(0, dialog, [dialog, title, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *title = box->windowTitle();
        *text = box->text();
        if (box->parentWidget() != dialog || box->icon() != QMessageBox::Information)
            *title += QStringLiteral(" (not an information box of the dialog)");
        box->accept();
    });
    clickButton(dialog, buttonName);
}

} // namespace dialogdriver
