#include "kvcctest.h"

#include "drawingcanvas.h"
#include "kvcctranslations.h"
#include "mainwindow.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QSet>

using namespace Demo;

// Random input over the whole demo window: clicks, double clicks, drags,
// wheel turns and keys (the menus' shortcuts among them) on whatever is on
// top, popups and modal dialogs included, so that a run goes through them.
// A crash, a sanitizer report or a Qt warning fails it. Each act comes from
// a timer of its own, which also fires inside the event loop of a dialog or
// menu that an earlier act opened.
//   KVCC_MONKEY_SEED     the seed (1)
//   KVCC_MONKEY_SECONDS  how long to run (20)
//   KVCC_MONKEY_LANG     the widgets' language (en)
class Monkey : public QObject
{
public:
    Monkey(MainWindow* window, quint32 seed, int seconds, const QString& scratch)
        : m_window(window), m_random(seed), m_deadline(seconds * 1000), m_scratch(scratch)
    {
        for (QAction* action : window->findChildren<QAction*>()) {
            if (!action->shortcut().isEmpty())
                m_shortcuts << action->shortcut();
        }
    }

    int run()
    {
        QEventLoop loop;
        m_loop = &loop;
        schedule();
        loop.exec();
        return m_acts;
    }
    // What the acts went into besides the window, by class and window title.
    QStringList visited() const { return QStringList(m_visited.begin(), m_visited.end()); }

private:
    void schedule() { QTimer::singleShot(1, this, [this] { act(); }); }

    int below(int n) { return int(m_random.bounded(quint32(n))); }

    void act()
    {
        // The next act is due even while this one opens a dialog or a menu.
        QWidget* top = QApplication::activePopupWidget();
        if (!top)
            top = QApplication::activeModalWidget();
        if (m_deadline.hasExpired()) {
            if (!top)
                return m_loop->quit();
            schedule();
            return close(top);
        }
        schedule();
        ++m_acts;
        if (!top) {
            m_stuck = 0;
            if (!m_window->isVisible())
                m_window->show();
            top = m_window;
        } else {
            m_visited.insert(QStringLiteral("%1 \"%2\"").arg(QLatin1String(top->metaObject()->className()),
                                                              top->windowTitle()));
        }
        if (top != m_window && ++m_stuck > 40) {
            // Random input may never find the way out: leave as a user would.
            m_stuck = 0;
            return close(top);
        }
        if (auto* files = qobject_cast<QFileDialog*>(top))
            return answer(files);
        input(target(top));
    }

    // A visible widget of top's window at random, top itself included.
    QWidget* target(QWidget* top)
    {
        QList<QWidget*> candidates{top};
        QList<QWidget*> roots{top};
        if (top == m_window) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w != m_window && w->isVisible() && !qobject_cast<QDialog*>(w))
                    roots << w;
            }
        }
        for (QWidget* root : roots) {
            for (QWidget* w : root->findChildren<QWidget*>()) {
                if (w->isVisible() && w->width() > 0 && w->height() > 0)
                    candidates << w;
            }
        }
        return candidates.at(below(candidates.size()));
    }

    QPoint pointIn(QWidget* w) { return QPoint(below(w->width()), below(w->height())); }

    void input(QWidget* w)
    {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        static const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier,
                                                          Qt::ControlModifier};
        const Qt::MouseButton button = buttons[below(4)];
        const Qt::KeyboardModifiers mods = modifiers[below(4)];
        const int kind = below(100);
        if (kind < 40)
            click(w, button, mods, pointIn(w), false);
        else if (kind < 48)
            click(w, button, mods, pointIn(w), true);
        else if (kind < 58)
            drag(w, button);
        else if (kind < 68)
            wheel(w, mods);
        else if (kind < 90)
            key(w);
        else if (!m_shortcuts.isEmpty())
            QTest::keySequence(focusIn(w), m_shortcuts.at(below(m_shortcuts.size())));
    }

    QWidget* focusIn(QWidget* w)
    {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == w->window() ? focus : w;
    }

    // Mouse events go straight to the widget, as QTest sends them, but
    // without its complaint about events a widget leaves alone, which many
    // of the widgets a random click lands on rightly do.
    static void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers mods,
                      const QPoint& at)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held, mods);
        QApplication::sendEvent(w, &event);
    }

    void click(QWidget* w, Qt::MouseButton button, Qt::KeyboardModifiers mods, const QPoint& at, bool twice)
    {
        const QPointer<QWidget> guard(w);
        const QEvent::Type steps[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
        for (int i = 0; i < (twice ? 4 : 2) && guard; ++i)
            mouse(w, steps[i], button, mods, at);
    }

    void drag(QWidget* w, Qt::MouseButton button)
    {
        const QPointer<QWidget> guard(w);
        QPoint at = pointIn(w);
        mouse(w, QEvent::MouseButtonPress, button, {}, at);
        for (int step = 0; step < 4 && guard; ++step) {
            at += QPoint(below(41) - 20, below(41) - 20);
            mouse(w, QEvent::MouseMove, button, {}, at);
        }
        if (guard)
            mouse(w, QEvent::MouseButtonRelease, button, {}, at);
    }

    void wheel(QWidget* w, Qt::KeyboardModifiers mods)
    {
        const QPointF at = pointIn(w);
        QWheelEvent event(at, w->mapToGlobal(at.toPoint()), {}, {0, below(2) ? 120 : -120}, Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &event);
    }

    void key(QWidget* w)
    {
        static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space,
            Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_F2, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
            Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_A, Qt::Key_Z, Qt::Key_0,
            Qt::Key_Minus, Qt::Key_Asterisk, Qt::Key_Comma};
        const Qt::KeyboardModifiers mods = below(4) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        QTest::keyClick(focusIn(w), keys[below(int(sizeof keys / sizeof *keys))], mods);
    }

    // File dialogs get names in the scratch folder only, so a run never
    // reads or writes the user's files: a new name, a name taken, a folder.
    void answer(QFileDialog* dialog)
    {
        static const char* const names[] = {"monkey.dxf", "monkey", "copy.dxf", "sub dir/x.dxf", "", "."};
        if (below(3) == 0)
            return dialog->reject();
        dialog->setDirectory(m_scratch);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(QString::fromLatin1(names[below(6)]));
        static_cast<QDialog*>(dialog)->accept();
    }

    void close(QWidget* top)
    {
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
    }

    MainWindow* m_window;
    QRandomGenerator m_random;
    QDeadlineTimer m_deadline;
    QString m_scratch;
    QEventLoop* m_loop = nullptr;
    QList<QKeySequence> m_shortcuts;
    int m_acts = 0;
    int m_stuck = 0;
    QSet<QString> m_visited;
};

int monkeySeconds()
{
    return qEnvironmentVariableIsSet("KVCC_MONKEY_SECONDS") ? qEnvironmentVariableIntValue("KVCC_MONKEY_SECONDS") : 20;
}

class TestMonkey : public QObject
{
    Q_OBJECT

public:
    // A long run must outlast QTest's watchdog, which is read when the test
    // starts.
    TestMonkey() { qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number((monkeySeconds() + 120) * 1000)); }

private slots:
    void randomInputOverTheWholeWindow()
    {
        const quint32 seed = qEnvironmentVariableIntValue("KVCC_MONKEY_SEED");
        const int seconds = monkeySeconds();
        const QString language = qEnvironmentVariable("KVCC_MONKEY_LANG", QStringLiteral("en"));
        KvCc::loadTranslations(QLocale(language));
        QApplication::setQuitOnLastWindowClosed(false);

        // A copy of a shared drawing in the scratch folder, which is all a
        // Save may write; the sample drawing when there is none.
        const QDir scratch(kvcctest::scratchDir());
        const QString shared = QDir(qEnvironmentVariable("KVCC_SHARED_DXF_DIR", QStringLiteral(KVCC_SHARED_DXF_DIR)))
                                   .filePath(QStringLiteral("bjnortier_floorplan.dxf"));
        const QString copy = scratch.filePath(QStringLiteral("drawing.dxf"));
        MainWindow window;
        window.openSample();
        if (QFile::copy(shared, copy))
            QVERIFY(window.openFile(copy));
        else
            qInfo("%s is missing: the run uses the sample drawing", qPrintable(shared));
        window.resize(1100, 750);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        Monkey monkey(&window, seed ? seed : 1, seconds, scratch.path());
        const int acts = monkey.run();
        qInfo("seed %u, language %s: %d random acts in %d s, also in: %s", seed ? seed : 1, qPrintable(language), acts,
              seconds, qPrintable(monkey.visited().join(QStringLiteral(", "))));
        QVERIFY(acts > 0);
        // The window still works: the drawing is there and can be shown whole.
        window.show();
        QVERIFY(window.document());
        QVERIFY(!window.canvas()->grab().isNull());
        KvCc::loadTranslations(QLocale(QLocale::English));
    }
};

KVCC_TEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
