#include "kvcctest.h"

#include <minmaxbutton.h>

#include <QPushButton>

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
    void closeButtonIsNotCutOffByTheStripEdge()
    {
        // Three 20 pixel buttons fill the 60 pixel strip exactly; any gap
        // between them pushed the close button past the edge.
        KvCc::MinMaxButton strip;
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QCOMPARE(strip.size(), QSize(60, 20));
        const QList<QPushButton*> list = buttons(strip);
        QCOMPARE(list.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(list[i]->geometry(), QRect(20 * i, 0, 20, 20));
    }

    void glyphsArePaintedInWhite_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("inked");
        QTest::addColumn<QPoint>("clear");
        QTest::newRow("minimize is a bar across the middle") << 0 << QPoint(10, 10) << QPoint(10, 3);
        QTest::newRow("restore is a square with its back edge") << 1 << QPoint(12, 2) << QPoint(10, 10);
        QTest::newRow("close is a cross through the centre") << 2 << QPoint(10, 10) << QPoint(10, 3);
    }

    void glyphsArePaintedInWhite()
    {
        QFETCH(int, button);
        QFETCH(QPoint, inked);
        QFETCH(QPoint, clear);
        KvCc::MinMaxButton strip;
        const QImage glyph = buttons(strip).at(button)->icon().pixmap(20, 20).toImage();
        QCOMPARE(glyph.pixelColor(inked), QColor(Qt::white));
        QCOMPARE(glyph.pixelColor(clear).alpha(), 0);
    }

    void clicksAreForwarded()
    {
        KvCc::MinMaxButton strip;
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QList<int> clicks;
        const char* names[] = {SIGNAL(clickedMin()), SIGNAL(clickedNormal()), SIGNAL(clickedClosed())};
        QSignalSpy minSpy(&strip, names[0]), normalSpy(&strip, names[1]), closeSpy(&strip, names[2]);
        for (int button = 0; button < 3; ++button) {
            // Click where a user sees the button: a third of the strip each.
            const QPoint where(10 + 20 * button, 10);
            auto* target = qobject_cast<QPushButton*>(strip.childAt(where));
            QVERIFY(target);
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&strip, where));
            clicks << minSpy.count() << normalSpy.count() << closeSpy.count();
        }
        QCOMPARE(clicks, (QList<int>{1, 0, 0, 1, 1, 0, 1, 1, 1}));
    }

    void hoverIsReported()
    {
        KvCc::MinMaxButton strip;
        QSignalSpy spy(&strip, SIGNAL(enter(bool)));
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(&strip, &enter);
        QApplication::sendEvent(&strip, &leave);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{true}, {false}}));
    }
};

KVCC_TEST_MAIN(TestMinMaxButton)
#include "tst_minmaxbutton.moc"
