#include "kvcctest.h"

#include <viewbutton.h>

#include <QActionGroup>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace {

const QStringList viewNames = {"Top", "Bottom", "Left", "Right", "Front", "Back", "Southwest", "Southeast",
    "Northeast", "Northwest"};

} // namespace

// Picks standard views from the view button's menu and checks the button's
// text, width, checked entry and announcement.
class TestViewButton : public QObject
{
    Q_OBJECT

private:
    // The text and two pixels of frame on either side.
    static int textWidth(const KvCc::ViewButton& button, const QString& text)
    {
        return button.fontMetrics().horizontalAdvance(text) + 4;
    }

    static QStringList checkedEntries(const QMenu* menu)
    {
        QStringList checked;
        for (const QAction* action : menu->actions()) {
            if (action->isChecked())
                checked << action->objectName();
        }
        return checked;
    }

    // Opens the menu with a click on the button, as a user does, and clicks
    // the named entry; without such an entry it presses Escape. The menu runs
    // its own loop, so this happens from a timer.
    static bool pick(KvCc::ViewButton& button, const QString& name)
    {
        bool clicked = false;
        QTimer::singleShot(0, &button, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
                if (action->objectName() == name && !clicked) {
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                    clicked = true;
                }
            }
            if (menu && !clicked)
                QTest::keyClick(menu, Qt::Key_Escape);
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        return clicked && !button.menu()->isVisible();
    }

private slots:
    void newButtonShowsTop()
    {
        KvCc::ViewButton button;
        QCOMPARE(button.text(), QStringLiteral("Top"));
        QCOMPARE(button.minimumSize(), QSize(textWidth(button, QStringLiteral("Top")), 20));
        QCOMPARE(button.maximumSize(), button.minimumSize());
        QStringList texts;
        for (const QAction* action : button.menu()->actions()) {
            QVERIFY(action->isCheckable() && action->actionGroup() && action->actionGroup()->isExclusive());
            QCOMPARE(action->objectName(), action->text());
            texts << action->text();
        }
        QCOMPARE(texts, viewNames);
        QCOMPARE(checkedEntries(button.menu()), QStringList{QStringLiteral("Top")});
    }

    // Each pick, even of the view already shown, sets the text, fits the
    // width to it and announces the new geometry. The whole name shows: the
    // style used to draw the menu arrow over the end of the name and keep
    // room for it, cutting the name at both edges.
    void pickingViewFromMenu_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : viewNames)
            QTest::addRow("picking %s twice makes it the text and the one checked entry", qPrintable(name)) << name;
    }

    void pickingViewFromMenu()
    {
        QFETCH(QString, name);
        KvCc::ViewButton button;
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy geometry(&button, SIGNAL(geometryChanged()));
        // Closing the menu without a pick changes nothing.
        QVERIFY(!pick(button, QString()));
        QCOMPARE(button.text(), QStringLiteral("Top"));
        QCOMPARE(checkedEntries(button.menu()), QStringList{QStringLiteral("Top")});
        QCOMPARE(geometry.count(), 0);
        QVERIFY(!button.menu()->isVisible());
        QVERIFY(pick(button, QStringLiteral("Back")));
        QVERIFY(pick(button, name));
        QVERIFY(pick(button, name));
        QCOMPARE(button.text(), name);
        QCOMPARE(button.size(), QSize(textWidth(button, name), 20));
        QCOMPARE(button.minimumWidth(), textWidth(button, name));
        QCOMPARE(checkedEntries(button.menu()), QStringList{name});
        QCOMPARE(geometry.count(), 3);

        // Painted on white, the dark columns span the name's advance within the button.
        const QImage image = button.grab().toImage();
        int first = image.width();
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 128)
                    first = qMin(first, x), last = qMax(last, x);
            }
        }
        const int advance = button.fontMetrics().horizontalAdvance(name);
        QVERIFY2(last - first + 1 <= advance + 1, "the ink is wider than the text");
        QVERIFY2(last - first + 1 >= advance - 5, "the name is cut");
        QVERIFY(first >= 1 && last <= image.width() - 2);
    }

    // The menu has no parent; it used to outlive the button.
    void destroyingButtonDeletesItsMenu()
    {
        auto button = std::make_unique<KvCc::ViewButton>();
        QPointer<QMenu> menu = button->menu();
        QPointer<QAction> entry = menu->actions().first();
        button.reset();
        QVERIFY(!menu);
        QVERIFY(!entry);
    }
};

KVCC_TEST_MAIN(TestViewButton)
#include "tst_viewbutton.moc"
