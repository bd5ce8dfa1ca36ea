#include "kvcctest.h"

#include <minmaxbutton.h>

#include <QPushButton>

#include <memory>

class TestMinMaxButton : public QObject
{
    Q_OBJECT

private:
    // The three buttons from left to right.
    static QList<QPushButton*> buttons(QWidget& strip)
    {
        QList<QPushButton*> list = strip.findChildren<QPushButton*>();
        std::sort(list.begin(), list.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
        return list;
    }

private slots:
    void stripHasThreeFixedButtons()
    {
        KvCc::MinMaxButton strip;
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QCOMPARE(strip.size(), QSize(60, 20));
        QCOMPARE(strip.minimumSize(), QSize(60, 20));
        QCOMPARE(strip.maximumSize(), QSize(60, 20));
        QCOMPARE(strip.objectName(), QStringLiteral("MinnMaxButton"));
        QVERIFY(strip.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(strip.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(strip.windowFlags() & Qt::WindowStaysOnTopHint);
        const QList<QPushButton*> list = buttons(strip);
        QCOMPARE(list.size(), 3);
        for (QPushButton* button : list) {
            QCOMPARE(button->size(), QSize(20, 20));
            QVERIFY(!button->icon().isNull());
        }
    }

    void closeButtonIsNotCutOffByTheStripEdge()
    {
        // Three 20 pixel buttons fill the 60 pixel strip exactly; any gap
        // between them pushed the close button past the edge.
        KvCc::MinMaxButton strip;
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        const QList<QPushButton*> list = buttons(strip);
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[0]->geometry(), QRect(0, 0, 20, 20));
        QCOMPARE(list[1]->geometry(), QRect(20, 0, 20, 20));
        QCOMPARE(list[2]->geometry(), QRect(40, 0, 20, 20));
    }

    void glyphsArePaintedInWhite()
    {
        KvCc::MinMaxButton strip;
        const QList<QPushButton*> list = buttons(strip);
        QCOMPARE(list.size(), 3);
        auto pixel = [](QPushButton* button, int x, int y) {
            return button->icon().pixmap(20, 20).toImage().pixelColor(x, y);
        };
        // Minimize: a bar across the middle, nothing at the corners.
        QCOMPARE(pixel(list[0], 10, 10), QColor(Qt::white));
        QCOMPARE(pixel(list[0], 10, 3).alpha(), 0);
        // Restore: a square with its back edge.
        QCOMPARE(pixel(list[1], 5, 10), QColor(Qt::white));
        QCOMPARE(pixel(list[1], 12, 2), QColor(Qt::white));
        QCOMPARE(pixel(list[1], 10, 10).alpha(), 0);
        // Close: a cross through the centre.
        QCOMPARE(pixel(list[2], 10, 10), QColor(Qt::white));
        QCOMPARE(pixel(list[2], 10, 3).alpha(), 0);
    }

    void clicksAreForwarded_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("the leftmost button minimizes") << 0 << QByteArray(SIGNAL(clickedMin()));
        QTest::newRow("the middle button restores") << 1 << QByteArray(SIGNAL(clickedNormal()));
        QTest::newRow("the rightmost button closes") << 2 << QByteArray(SIGNAL(clickedClosed()));
    }

    void clicksAreForwarded()
    {
        QFETCH(int, button);
        QFETCH(QByteArray, expected);
        KvCc::MinMaxButton strip;
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QSignalSpy minSpy(&strip, SIGNAL(clickedMin()));
        QSignalSpy normalSpy(&strip, SIGNAL(clickedNormal()));
        QSignalSpy closeSpy(&strip, SIGNAL(clickedClosed()));
        // Click where a user sees the button: a third of the strip each.
        const QPoint where(10 + 20 * button, 10);
        auto* target = qobject_cast<QPushButton*>(strip.childAt(where));
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&strip, where));
        QCOMPARE(minSpy.count(), expected == SIGNAL(clickedMin()) ? 1 : 0);
        QCOMPARE(normalSpy.count(), expected == SIGNAL(clickedNormal()) ? 1 : 0);
        QCOMPARE(closeSpy.count(), expected == SIGNAL(clickedClosed()) ? 1 : 0);
    }

    void hoverIsReported()
    {
        KvCc::MinMaxButton strip;
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QSignalSpy spy(&strip, SIGNAL(enter(bool)));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&strip, &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&strip, &leave);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    void buttonsOfAParentedStripDieWithIt()
    {
        QWidget host;
        auto* strip = new KvCc::MinMaxButton(&host);
        QCOMPARE(buttons(*strip).size(), 3);
        QPointer<QPushButton> first = buttons(*strip).first();
        delete strip;
        QVERIFY(first.isNull());
        QVERIFY(host.findChildren<QPushButton*>().isEmpty());
    }
};

KVCC_TEST_MAIN(TestMinMaxButton)
#include "tst_minmaxbutton.moc"
