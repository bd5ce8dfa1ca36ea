#include "kvcctest.h"

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <memory>

// The host stand-in behaves as a host does and accounts for what it hands out,
// so that the other tests can rely on its counters.
class TestHostStandIn : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DkDbDatabase> db;

    DkDbLayerTableRecord* open(const DkDbObjectId& id, DkDb::OpenMode mode)
    {
        DkDbObject* object = nullptr;
        if (dkdbOpenDkDbObject(object, id, mode, false, DkDbLayerTableRecord::desc()) != Dk::eOk)
            return nullptr;
        return static_cast<DkDbLayerTableRecord*>(object);
    }

private slots:
    void init() { db = std::make_unique<DkDbDatabase>(); }

    void cleanup()
    {
        db.reset();
        kvSetLayerTableChangesCallback({});
        kvResetLayerTableChangesCount();
    }

    void aNewDrawingHoldsLayerZeroAsCurrent()
    {
        const DkDbObjectId zero = db->layerId(L"0");
        QVERIFY(!zero.isNull());
        QVERIFY(db->clayer() == zero);
        QVERIFY(!db->linetypeId(L"Continuous").isNull());
        QVERIFY(db->addLayer(DkDbLayerSpec{}).isNull()); // an empty name is refused
        DkDbLayerSpec again;
        again.name = L"0";
        QVERIFY(db->addLayer(again).isNull()); // a taken name is refused
    }

    void opensAreCountedByMode()
    {
        DkDbLayerTableRecord* record = open(db->clayer(), DkDb::kForRead);
        QVERIFY(record);
        QCOMPARE(db->openForReadCount(), 1);
        QCOMPARE(record->upgradeOpen(), Dk::eOk);
        QCOMPARE(db->openForWriteCount(), 1);
        QCOMPARE(db->openForReadCount(), 0);
        QCOMPARE(record->downgradeOpen(), Dk::eOk);
        QCOMPARE(record->close(), Dk::eOk);
        QCOMPARE(db->openObjectCount(), 0);
        QCOMPARE(record->close(), Dk::eWasNotOpen);
    }

    void aChangeIsStoredWhenTheRecordIsClosed()
    {
        DkDbLayerSpec spec;
        spec.name = L"Walls";
        const DkDbObjectId id = db->addLayer(spec);
        DkDbLayerTableRecord* record = open(id, DkDb::kForWrite);
        QVERIFY(record);
        QCOMPARE(record->setIsLocked(true), Dk::eOk);
        QVERIFY(record->isLocked());             // the writer sees its change
        QCOMPARE(record->close(), Dk::eOk);
        QVERIFY(db->peekLayer(id)->isLocked());
    }

    void aRecordOpenForReadCannotBeWritten()
    {
        DkDbLayerTableRecord* record = open(db->clayer(), DkDb::kForRead);
        QVERIFY(record);
        QCOMPARE(record->setIsOff(true), Dk::eNotOpenForWrite);
        record->close();
        QVERIFY(!db->peekLayer(db->clayer())->isOff());
    }

    void theCurrentLayerCannotBeFrozen()
    {
        DkDbLayerTableRecord* record = open(db->clayer(), DkDb::kForWrite);
        QVERIFY(record);
        QVERIFY(record->setIsFrozen(true) != Dk::eOk);
        record->close();
        QVERIFY(!db->peekLayer(db->clayer())->isFrozen());
    }

    void refusedAndErasedRecordsDoNotOpen()
    {
        DkDbLayerSpec spec;
        spec.name = L"Gone";
        const DkDbObjectId gone = db->addLayer(spec);
        spec.name = L"Stubborn";
        const DkDbObjectId stubborn = db->addLayer(spec);
        db->eraseLayer(gone);
        db->setRefuseOpen(stubborn, true);
        QVERIFY(!open(gone, DkDb::kForRead));
        QVERIFY(!open(stubborn, DkDb::kForRead));
        QVERIFY(db->layerId(L"Gone").isNull());
        QCOMPARE(db->openObjectCount(), 0);
    }

    void iteratorsSkipErasedRecordsAndAreCounted()
    {
        DkDbLayerSpec spec;
        for (const wchar_t* name : {L"A", L"B", L"C"}) {
            spec.name = name;
            db->addLayer(spec);
        }
        db->eraseLayer(db->layerId(L"B"));
        DkDbLayerTable* table = nullptr;
        QCOMPARE(db->getSymbolTable(table, DkDb::kForRead), Dk::eOk);
        DkDbLayerTableIterator* it = nullptr;
        QCOMPARE(table->newIterator(it), Dk::eOk);
        table->close();
        QCOMPARE(db->liveIteratorCount(), 1);
        QStringList names;
        for (it->start(); !it->done(); it->step()) {
            DkDbLayerTableRecord* record = nullptr;
            QCOMPARE(it->getRecord(record), Dk::eOk);
            names << QString::fromStdWString(record->nameString());
            record->close();
        }
        delete it;
        QCOMPARE(names, QStringList({"0", "A", "C"}));
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(db->openObjectCount(), 0);
    }

    void nameBuffersAreCountedUntilFreed()
    {
        const long long before = dkutOutstandingBuffers();
        DkDbLayerTableRecord* record = open(db->clayer(), DkDb::kForRead);
        wchar_t* name = nullptr;
        QCOMPARE(record->getName(name), Dk::eOk);
        wchar_t* style = record->plotStyleName();
        QCOMPARE(dkutOutstandingBuffers(), before + 2);
        dkutDelBuffer(name);
        dkutDelBuffer(style);
        QCOMPARE(name, nullptr);
        QCOMPARE(dkutOutstandingBuffers(), before);
        dkutDelBuffer(name); // freeing null is harmless
        QCOMPARE(dkutOutstandingBuffers(), before);
        record->close();
    }

    void layerTableChangesAreCountedAndForwarded()
    {
        int calls = 0;
        kvSetLayerTableChangesCallback([&calls] { ++calls; });
        kvSetLayerTableChanges();
        kvSetLayerTableChanges();
        QCOMPARE(calls, 2);
        QCOMPARE(kvLayerTableChangesCount(), 2LL);
        kvSetLayerTableChangesCallback({});
        kvSetLayerTableChanges();
        QCOMPARE(calls, 2);
        QCOMPARE(kvLayerTableChangesCount(), 3LL);
    }

    void systemVariables()
    {
        resbuf rb;
        kvSetSysVar(L"LWUNITS", 0);
        QCOMPARE(dkedGetVar(L"LWUNITS", &rb), int(RTNORM));
        QCOMPARE(rb.resval.rint, short(0));
        kvSetSysVarReadable(L"LWUNITS", false);
        QCOMPARE(dkedGetVar(L"LWUNITS", &rb), int(RTERROR));
        kvSetSysVarReadable(L"LWUNITS", true);
        kvSetSysVar(L"LWUNITS", 1);
        QCOMPARE(dkedGetVar(L"NOSUCHVAR", &rb), int(RTERROR));
        QCOMPARE(dkedGetVar(L"TILEMODE", nullptr), int(RTERROR));
    }
};

KVCC_TEST_MAIN(TestHostStandIn)
#include "tst_hoststandin.moc"
