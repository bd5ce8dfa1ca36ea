#pragma once

#include "modaldriver.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

// Answers the library's dialogs as a user does, from inside their modal loop.
namespace dialogdriver {

// The ways a user closes a dialog: the first two accept it, the others reject it.
enum Answer { OkButton, ReturnKey, CancelButton, EscapeKey, CloseButton };

inline void addAnswerRows(bool accepting)
{
    static const char* const rows[] = {"OK accepts", "Return takes OK", "Cancel rejects, after Help showed its box",
                                       "Escape rejects", "the window's close button rejects"};
    QTest::addColumn<int>("answer");
    for (int answer = accepting ? OkButton : CancelButton; answer <= CloseButton; ++answer)
        QTest::newRow(rows[answer]) << answer;
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
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void clickRow(QDialog* dialog, int row)
{
    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("listWidget"));
    QVERIFY(list && list->item(row));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QCOMPARE(list->currentRow(), row);
}

// Closes the dialog by the answer; the button names are those of its form.
// Before Cancel, Help must show the dialog's information box; once it is
// closed, Cancel is clicked on the dialog still open.
inline void answer(QDialog* dialog, int answer, const char* ok, const char* cancel, const char* help)
{
    if (answer == CancelButton && help) {
        modaldriver::answer<QMessageBox>([&] { clickButton(dialog, help); }, [dialog](QMessageBox* box) {
            QVERIFY(box->parentWidget() == dialog && box->icon() == QMessageBox::Information);
            QCOMPARE(box->windowTitle() + QLatin1Char('/') + box->text(), QStringLiteral("help/Vantor help  doc!"));
            box->accept();
        });
    }
    if (answer == OkButton || answer == CancelButton)
        return clickButton(dialog, answer == OkButton ? ok : cancel);
    if (answer == CloseButton)
        return void(dialog->close());
    typeKey(dialog, answer == ReturnKey ? Qt::Key_Return : Qt::Key_Escape);
}

} // namespace dialogdriver
