#include "kvcctest.h"

#include <customcontrol.h>
#include <layercombobox.h>

#include <QHBoxLayout>

#include <memory>

class TestCustomControl : public QObject
{
    Q_OBJECT

private slots:
    void controlHoldsOneLayerDropDown()
    {
        QWidget host;
        auto* control = new KvCc::CustomControl(&host);
        QCOMPARE(control->sizeHint(), QSize(210, 20));
        QCOMPARE(control->objectName(), QStringLiteral("customControl"));
        QVERIFY(control->testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(control->windowFlags() & Qt::FramelessWindowHint);
        auto* layout = qobject_cast<QHBoxLayout*>(control->layout());
        QVERIFY(layout);
        QCOMPARE(layout->count(), 1);
        QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
        auto* combo = qobject_cast<KvCc::LayerComboBox*>(layout->itemAt(0)->widget());
        QVERIFY(combo);
        QCOMPARE(combo->parentWidget(), control);
        QVERIFY(!control->companion());
    }

    void hoverIsReported()
    {
        KvCc::CustomControl control;
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QSignalSpy spy(&control, SIGNAL(enter(bool)));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&control, &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&control, &leave);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    void adjustGeometryWithoutCompanionDoesNothing()
    {
        KvCc::CustomControl control;
        control.resize(230, 20);
        control.adjustGeometry();
        QCOMPARE(control.width(), 230);
        QCOMPARE(control.minimumWidth(), 0);
    }

    void widthFollowsTheCompanion()
    {
        KvCc::CustomControl control;
        auto* companion = new QWidget;
        companion->resize(100, 20);
        control.setCompanionWidget(companion);
        QCOMPARE(control.companion(), companion);
        QCOMPARE(control.minimumWidth(), 265);
        QCOMPARE(control.maximumWidth(), 265);
        companion->resize(40, 20);
        control.adjustGeometry();
        QCOMPARE(control.maximumWidth(), 205);
    }

    void companionIsOwned()
    {
        QPointer<QWidget> first = new QWidget;
        QPointer<QWidget> second = new QWidget;
        {
            KvCc::CustomControl control;
            control.setCompanionWidget(first);
            control.setCompanionWidget(first);
            QVERIFY(!first.isNull());
            control.setCompanionWidget(second);
            QVERIFY(first.isNull());
            QVERIFY(!second.isNull());
        }
        QVERIFY(second.isNull());
    }

    void companionDeletedElsewhereIsNotDeletedAgain()
    {
        KvCc::CustomControl control;
        auto* companion = new QWidget;
        companion->resize(50, 10);
        control.setCompanionWidget(companion);
        delete companion;
        QVERIFY(!control.companion());
        control.adjustGeometry();
        QCOMPARE(control.maximumWidth(), 215);
    }
};

KVCC_TEST_MAIN(TestCustomControl)
#include "tst_customcontrol.moc"
