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
        QCOMPARE(record->upgradeOpen(), Dk::eOk);
        QCOMPARE(db->openForWriteCount(), 1);
        QCOMPARE(db->openForReadCount(), 0);
        QCOMPARE(record->setIsLocked(true), Dk::eOk);
        QCOMPARE(record->close(), Dk::eOk);
        QCOMPARE(record->close(), Dk::eWasNotOpen);
        QVERIFY(drawing.layer(QStringLiteral("Walls"))->isLocked());

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
};

KVCC_TEST_MAIN(TestHostStandIn)
#include "tst_hoststandin.moc"
