#include "kvcctest.h"

#include <viewbutton.h>

#include <QActionGroup>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
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

    // Opens the menu with a click on the button, as a user does; the menu
    // runs its own loop, so the entry is clicked from a timer.
    static void pick(KvCc::ViewButton& button, const QString& name)
    {
        bool clicked = false;
        QTimer::singleShot(0, &button, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (action->objectName() == name) {
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                    clicked = true;
                }
            }
            if (!clicked)
                menu->close();
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY2(clicked, qPrintable(QStringLiteral("the menu offered no entry %1").arg(name)));
        QVERIFY(!button.menu()->isVisible());
    }

private slots:
    void newButtonShowsTop()
    {
        KvCc::ViewButton button;
        QCOMPARE(button.text(), QStringLiteral("Top"));
        QCOMPARE(button.minimumHeight(), 20);
        QCOMPARE(button.maximumHeight(), 20);
        QCOMPARE(button.minimumWidth(), textWidth(button, QStringLiteral("Top")));
        QCOMPARE(button.maximumWidth(), textWidth(button, QStringLiteral("Top")));
        QVERIFY(button.isFlat());
        QCOMPARE(button.objectName(), QStringLiteral("viewBtn"));

        QMenu* menu = button.menu();
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QStringLiteral("topMenu"));
        QCOMPARE(menu->parent(), nullptr);
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            QCOMPARE(action->objectName(), action->text());
            QCOMPARE(action->parent(), menu);
            QVERIFY(action->isCheckable());
            QVERIFY(action->actionGroup());
            QVERIFY(action->actionGroup()->isExclusive());
            QCOMPARE(action->actionGroup()->parent(), &button);
            texts << action->text();
        }
        QCOMPARE(texts, viewNames);
        QCOMPARE(checkedEntries(menu), QStringList{QStringLiteral("Top")});
    }

    void pickingViewFromMenu_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("picking Southwest makes it the text and the one checked entry") << QStringLiteral("Southwest");
        QTest::newRow("picking Southeast, the corner named like the gallery's") << QStringLiteral("Southeast");
        QTest::newRow("picking the last entry, Northwest") << QStringLiteral("Northwest");
        QTest::newRow("picking Left narrows the button") << QStringLiteral("Left");
        QTest::newRow("picking the current view Top again still announces the width") << QStringLiteral("Top");
    }

    void pickingViewFromMenu()
    {
        QFETCH(QString, name);
        KvCc::ViewButton button;
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy geometry(&button, SIGNAL(geometryChanged()));
        pick(button, name);
        QCOMPARE(button.text(), name);
        QCOMPARE(button.width(), textWidth(button, name));
        QCOMPARE(button.minimumWidth(), textWidth(button, name));
        QCOMPARE(button.height(), 20);
        QCOMPARE(checkedEntries(button.menu()), QStringList{name});
        QCOMPARE(geometry.count(), 1);
    }

    // The button is as wide as its text: the style drew the menu arrow over
    // the end of the name and kept room for it, cutting the name at both edges.
    void wholeNameShowsBesideMenuArrow_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : viewNames)
            QTest::newRow(qPrintable(QStringLiteral("%1 fits").arg(name))) << name;
    }

    void wholeNameShowsBesideMenuArrow()
    {
        QFETCH(QString, name);
        KvCc::ViewButton button;
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        pick(button, name);
        // Paint the button on white: the name's ink spans its advance, so the
        // leftmost and rightmost dark pixels lie within the button and no
        // arrow shape sits right of the text.
        const QImage image = button.grab().toImage();
        int first = image.width();
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    first = qMin(first, x);
                    last = qMax(last, x);
                }
            }
        }
        QVERIFY(last >= 0);
        const int ink = last - first + 1;
        QVERIFY2(ink <= button.fontMetrics().horizontalAdvance(name) + 1,
                 qPrintable(QStringLiteral("ink %1 wider than the text").arg(ink)));
        QVERIFY2(ink >= button.fontMetrics().horizontalAdvance(name) - 5,
                 qPrintable(QStringLiteral("ink %1: the name is cut").arg(ink)));
        QVERIFY(first >= 1);
        QVERIFY(last <= image.width() - 2);
    }

    void everyPickInTurnLeavesOneCheckedEntry()
    {
        KvCc::ViewButton button;
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy geometry(&button, SIGNAL(geometryChanged()));
        const QStringList order = {"Back", "Back", "Top", "Northeast", "Bottom", "Southeast", "Right", "Front"};
        for (const QString& name : order) {
            pick(button, name);
            QCOMPARE(button.text(), name);
            QCOMPARE(button.width(), textWidth(button, name));
            QCOMPARE(checkedEntries(button.menu()), QStringList{name});
        }
        QCOMPARE(geometry.count(), order.size());
    }

    void closingMenuWithoutPickChangesNothing()
    {
        KvCc::ViewButton button;
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy geometry(&button, SIGNAL(geometryChanged()));
        QTimer::singleShot(0, &button, [] {
            if (QWidget* menu = QApplication::activePopupWidget())
                QTest::keyClick(menu, Qt::Key_Escape);
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(button.text(), QStringLiteral("Top"));
        QCOMPARE(checkedEntries(button.menu()), QStringList{QStringLiteral("Top")});
        QCOMPARE(geometry.count(), 0);
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
