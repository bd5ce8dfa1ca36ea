#include "kvcctest.h"

#include <customcontrol.h>
#include <layercombobox.h>

class TestCustomControl : public QObject
{
    Q_OBJECT

private slots:
    void hoverIsReported()
    {
        KvCc::CustomControl control;
        QVERIFY(control.findChild<KvCc::LayerComboBox*>());
        QSignalSpy spy(&control, SIGNAL(enter(bool)));
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(&control, &enter);
        QApplication::sendEvent(&control, &leave);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{true}, {false}}));
    }

    void widthFollowsTheCompanion()
    {
        KvCc::CustomControl control;
        control.resize(230, 20);
        control.adjustGeometry();
        QCOMPARE(control.width(), 230);
        QCOMPARE(control.minimumWidth(), 0);
        auto* companion = new QWidget;
        companion->resize(100, 20);
        control.setCompanionWidget(companion);
        QCOMPARE(control.minimumWidth(), 265);
        QCOMPARE(control.maximumWidth(), 265);
        companion->resize(40, 20);
        control.adjustGeometry();
        QCOMPARE(control.maximumWidth(), 205);
        // A companion deleted elsewhere is forgotten, not deleted again.
        delete companion;
        QVERIFY(!control.companion());
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
};

KVCC_TEST_MAIN(TestCustomControl)
#include "tst_customcontrol.moc"
