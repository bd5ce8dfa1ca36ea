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

    static DkDbLayerSpec layer(const wchar_t* name)
    {
        DkDbLayerSpec layerSpec;
        layerSpec.name = name;
        return layerSpec;
    }

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
        QVERIFY(db->addLayer(layer(L"")).isNull()); // an empty name is refused
        QVERIFY(db->addLayer(layer(L"0")).isNull()); // a taken name is refused
    }

    void recordsAndBuffersAreCountedAndChangesStoredOnClose()
    {
        const DkDbObjectId id = db->addLayer(layer(L"Walls"));
        DkDbLayerTableRecord* record = open(id, DkDb::kForRead);
        QVERIFY(record);
        QCOMPARE(db->openForReadCount(), 1);
        QCOMPARE(record->setIsLocked(true), Dk::eNotOpenForWrite);
        // Name buffers handed out are counted until freed.
        const long long buffers = dkutOutstandingBuffers();
        wchar_t* name = nullptr;
        QCOMPARE(record->getName(name), Dk::eOk);
        wchar_t* style = record->plotStyleName();
        QCOMPARE(dkutOutstandingBuffers(), buffers + 2);
        dkutDelBuffer(name);
        dkutDelBuffer(style);
        QCOMPARE(name, nullptr);
        dkutDelBuffer(name); // freeing null is harmless
        QCOMPARE(dkutOutstandingBuffers(), buffers);
        QCOMPARE(record->upgradeOpen(), Dk::eOk);
        QCOMPARE(db->openForWriteCount(), 1);
        QCOMPARE(db->openForReadCount(), 0);
        QCOMPARE(record->setIsLocked(true), Dk::eOk);
        QVERIFY(record->isLocked()); // the writer sees its change
        QCOMPARE(record->close(), Dk::eOk);
        QCOMPARE(record->close(), Dk::eWasNotOpen);
        QCOMPARE(db->openObjectCount(), 0);
        QVERIFY(db->peekLayer(id)->isLocked());

        // The host refuses to freeze the current layer.
        record = open(db->clayer(), DkDb::kForWrite);
        QVERIFY(record->setIsFrozen(true) != Dk::eOk);
        record->close();
        QVERIFY(!db->peekLayer(db->clayer())->isFrozen());
    }

    void erasedAndRefusedRecordsAreSkipped()
    {
        db->addLayer(layer(L"A"));
        const DkDbObjectId gone = db->addLayer(layer(L"Gone"));
        const DkDbObjectId stubborn = db->addLayer(layer(L"Stubborn"));
        db->addLayer(layer(L"C"));
        db->eraseLayer(gone);
        db->setRefuseOpen(stubborn, true);
        QVERIFY(!open(gone, DkDb::kForRead));
        QVERIFY(!open(stubborn, DkDb::kForRead));
        QVERIFY(db->layerId(L"Gone").isNull());

        DkDbLayerTable* table = nullptr;
        QCOMPARE(db->getSymbolTable(table, DkDb::kForRead), Dk::eOk);
        DkDbLayerTableIterator* it = nullptr;
        QCOMPARE(table->newIterator(it), Dk::eOk);
        table->close();
        QCOMPARE(db->liveIteratorCount(), 1);
        QStringList names;
        for (it->start(); !it->done(); it->step()) {
            DkDbLayerTableRecord* record = nullptr;
            if (it->getRecord(record) != Dk::eOk)
                continue;
            names << QString::fromStdWString(record->nameString());
            record->close();
        }
        delete it;
        QCOMPARE(names, QStringList({"0", "A", "C"}));
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(db->openObjectCount(), 0);
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
};

KVCC_TEST_MAIN(TestHostStandIn)
#include "tst_hoststandin.moc"
