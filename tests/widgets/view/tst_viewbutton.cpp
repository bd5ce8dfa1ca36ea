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

    // The leftmost and rightmost dark columns of the button painted on white.
    static QPair<int, int> inkSpan(const QImage& image)
    {
        int first = image.width();
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 128)
                    first = qMin(first, x), last = qMax(last, x);
            }
        }
        return {first, last};
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
        pick(button, QStringLiteral("Back"));
        for (int i = 0; i < 2; ++i)
            pick(button, name);
        QCOMPARE(button.text(), name);
        QCOMPARE(button.size(), QSize(textWidth(button, name), 20));
        QCOMPARE(button.minimumWidth(), textWidth(button, name));
        QCOMPARE(checkedEntries(button.menu()), QStringList{name});
        QCOMPARE(geometry.count(), 3);

        const QImage image = button.grab().toImage();
        const QPair<int, int> ink = inkSpan(image);
        const int advance = button.fontMetrics().horizontalAdvance(name);
        QVERIFY2(ink.second - ink.first + 1 <= advance + 1, "the ink is wider than the text");
        QVERIFY2(ink.second - ink.first + 1 >= advance - 5, "the name is cut");
        QVERIFY(ink.first >= 1 && ink.second <= image.width() - 2);
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
