#include "kvcctest.h"

#include <kvlayerutility.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <memory>

// Builds drawings in the stand-in host and checks what the bridge reads and writes.
class TestKvLayerUtility : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DkDbDatabase> db;

    DkDbObjectId add(const std::wstring& name, bool on = true, bool frozen = false, bool locked = false)
    {
        DkDbLayerSpec spec;
        spec.name = name;
        spec.on = on;
        spec.frozen = frozen;
        spec.locked = locked;
        return db->addLayer(spec);
    }

    void verifyNothingOpen()
    {
        QCOMPARE(db->openObjectCount(), 0);
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(dkutOutstandingBuffers(), 0LL);
    }

private slots:
    void init()
    {
        db = std::make_unique<DkDbDatabase>();
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        kvSetSysVar(L"LWUNITS", 1);
        kvSetSysVarReadable(L"LWUNITS", true);
    }

    void cleanup()
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(nullptr);
        db.reset();
    }

    void onlyDefaultLayer()
    {
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QCOMPARE(layers->size(), 1);
        QCOMPARE(layers->at(0).name, QStringLiteral("0"));
        QCOMPARE(pCurDb, db.get());
        verifyNothingOpen();
    }

    void setterReportsRefusal()
    {
        add(L"Walls");
        KvLayerUtility util;
        QVERIFY(util.setLayerFrozen(QStringLiteral("Walls"), true));
        QVERIFY(!util.setLayerFrozen(QStringLiteral("0"), true));
        QVERIFY(!util.setLayerLock(QStringLiteral("walls"), true));
        verifyNothingOpen();
    }
};

KVCC_TEST_MAIN(TestKvLayerUtility)
#include "tst_kvlayerutility.moc"
