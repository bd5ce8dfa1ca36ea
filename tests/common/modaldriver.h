#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <type_traits>

// The one driver of modal dialogs in the tests. A modal dialog runs its own
// event loop, so it is answered from a timer that waits for it to become the
// active modal widget. A dialog that never appears fails the test instead of
// being waited for forever or given up on in silence.
namespace modaldriver {

namespace detail {

// Keeps the answer's parameter out of template deduction, so a plain
// lambda can be passed and the dialog type comes from the template argument.
template<class T>
using Plain = typename std::common_type<T>::type;

struct Watch
{
    bool answered = false;
    bool stopped = false;
};

inline void activate(QWidget* dialog)
{
    if (!QTest::qWaitForWindowExposed(dialog))
        return;
    dialog->activateWindow();
    // The offscreen platform may keep the focus on a window shown again
    // without telling the widgets; make the activation explicit.
    if (QTest::qWaitForWindowActive(dialog) && !dialog->isActiveWindow())
        QApplication::setActiveWindow(dialog);
}

template<class Dialog>
void poll(std::shared_ptr<Watch> watch, std::function<void(Dialog*)> answer, QDeadlineTimer deadline, int delayMs)
{
    QTimer::singleShot(delayMs, [watch, answer, deadline] {
        if (watch->stopped)
            return;
        QPointer<Dialog> dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog && !deadline.hasExpired())
            return poll(watch, answer, deadline, 10);
        if (!dialog) {
            // Some other modal window blocks the trigger: close it so the
            // test can fail instead of hanging.
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                other->done(-1);
            return;
        }
        watch->answered = true;
        activate(dialog);
        answer(dialog);
        // A failed check inside answer must end the dialog, not hang the run.
        if (dialog && dialog->isVisible())
            static_cast<QDialog*>(dialog.data())->done(-1);
    });
}

} // namespace detail

// Runs trigger, which opens a modal dialog of type Dialog, and gives that
// dialog to answer once it is shown and active. Fails the running test and
// returns false when no such dialog appeared within boundMs.
template<class Dialog = QDialog>
bool answer(const std::function<void()>& trigger, detail::Plain<std::function<void(Dialog*)>> answer, int boundMs = 5000,
            const char* file = __builtin_FILE(), int line = __builtin_LINE())
{
    auto watch = std::make_shared<detail::Watch>();
    detail::poll<Dialog>(watch, std::move(answer), QDeadlineTimer(boundMs), 0);
    trigger();
    const bool seen = watch->answered || QTest::qWaitFor([&watch] { return watch->answered; }, boundMs);
    watch->stopped = true;
    if (!seen)
        QTest::qFail("no modal dialog appeared", file, line);
    return seen;
}

// Runs dialog.exec() and answers it; returns what exec() returned, or -2
// when the dialog never became the active modal window.
template<class Dialog>
int exec(Dialog& dialog, detail::Plain<std::function<void(Dialog*)>> answerWith, const char* file = __builtin_FILE(),
         int line = __builtin_LINE())
{
    int result = -2;
    answer<Dialog>([&dialog, &result] { result = dialog.exec(); }, std::move(answerWith), 5000, file, line);
    return result;
}

} // namespace modaldriver
