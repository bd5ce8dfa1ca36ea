#include "kvcctest.h"
#include "testdrawing.h"

// The host stand-in accounts for what it hands out, so that the other tests
// can rely on its counters to find what the library left open.
class TestHostStandIn : public QObject
{
    Q_OBJECT

private slots:
    void recordsIteratorsAndBuffersAreCountedUntilGivenBack()
    {
        TestDrawing drawing;
        DkDbDatabase* db = drawing.db.get();
        const DkDbObjectId id = drawing.add(QStringLiteral("Walls"));
        // Only a stored change counts: reads and refused writes do not.
        const auto changes = db->changeCount();
        DkDbObject* object = nullptr;
        QCOMPARE(dkdbOpenDkDbObject(object, id, DkDb::kForRead, false, DkDbLayerTableRecord::desc()), Dk::eOk);
        auto* record = static_cast<DkDbLayerTableRecord*>(object);
        QCOMPARE(db->openForReadCount(), 1);
        // A record open for read refuses changes, so a missed upgrade shows.
        QCOMPARE(record->setIsLocked(true), Dk::eNotOpenForWrite);
        wchar_t* name = nullptr;
        QCOMPARE(record->getName(name), Dk::eOk);
        QCOMPARE(dkutOutstandingBuffers(), 1LL);
        dkutDelBuffer(name);
        QCOMPARE(db->changeCount(), changes);
        QCOMPARE(record->upgradeOpen(), Dk::eOk);
        QCOMPARE(db->openForWriteCount(), 1);
        QCOMPARE(db->openForReadCount(), 0);
        QCOMPARE(record->setIsLocked(true), Dk::eOk);
        QCOMPARE(record->close(), Dk::eOk);
        QCOMPARE(record->close(), Dk::eWasNotOpen);
        QVERIFY(drawing.layer(QStringLiteral("Walls"))->isLocked());
        QCOMPARE(db->changeCount(), changes + 1);

        DkDbLayerTable* table = nullptr;
        QCOMPARE(db->getSymbolTable(table, DkDb::kForRead), Dk::eOk);
        DkDbLayerTableIterator* it = nullptr;
        QCOMPARE(table->newIterator(it), Dk::eOk);
        table->close();
        QCOMPARE(db->liveIteratorCount(), 1);
        QVERIFY(!drawing.nothingOpen());
        delete it;
        drawing.verifyNothingOpen();
    }

    // The rules a host's drawing keeps: one layer a name, a current layer
    // thawed, erased layers left out of every walk.
    void theDrawingKeepsTheRulesOfItsLayerTable()
    {
        TestDrawing drawing;
        DkDbDatabase* db = drawing.db.get();
        const DkDbObjectId cold = drawing.add(QStringLiteral("Cold"), true, true);
        const DkDbObjectId gone = drawing.add(QStringLiteral("Gone"));
        QVERIFY(drawing.add(QStringLiteral("Cold")).isNull());
        QCOMPARE(db->renameLayer(gone, L"Cold"), Dk::eDuplicateKey);
        const auto changes = db->changeCount();
        // A name too long to be kept inside the string, so that a name index
        // left on the old name's storage would show.
        const wchar_t went[] = L"Went out to the shed behind the garden";
        QCOMPARE(db->renameLayer(gone, went), Dk::eOk);
        QCOMPARE(db->layerId(went), gone);
        QVERIFY(db->layerId(L"Gone").isNull());
        QCOMPARE(db->setFrozenInCurrentViewport(gone, true), Dk::eOk);
        QCOMPARE(db->setClayer(cold), Dk::eOk);
        QCOMPARE(db->changeCount(), changes + 3);
        QVERIFY(!drawing.layer(QStringLiteral("Cold"))->isFrozen());
        QCOMPARE(db->eraseLayer(gone), Dk::eOk);
        QVERIFY(db->layerId(went).isNull());
        DkDbLayerTable* table = nullptr;
        DkDbLayerTableIterator* it = nullptr;
        QCOMPARE(db->getSymbolTable(table, DkDb::kForRead), Dk::eOk);
        QCOMPARE(table->newIterator(it, true, true), Dk::eOk);
        table->close();
        int live = 0;
        for (it->start(true, true); !it->done(); it->step(true, true))
            ++live;
        delete it;
        QCOMPARE(live, 2);
    }
};

KVCC_TEST_MAIN(TestHostStandIn)
#include "tst_hoststandin.moc"
