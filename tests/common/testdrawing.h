#pragma once

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QString>
#include <QtTest>

#include <memory>

// A stand-in drawing made the host's current one for the life of a test,
// with the system variables at their defaults and the notice count at zero.
class TestDrawing
{
public:
    TestDrawing()
        : db(std::make_unique<DkDbDatabase>())
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        for (const wchar_t* name : {L"TILEMODE", L"LWUNITS"}) {
            kvSetSysVar(name, 1);
            kvSetSysVarReadable(name, true);
        }
        kvResetLayerTableChangesCount();
    }
    ~TestDrawing()
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(nullptr);
    }
    TestDrawing(const TestDrawing&) = delete;
    TestDrawing& operator=(const TestDrawing&) = delete;

    DkDbObjectId add(const QString& name, bool on = true, bool frozen = false, bool locked = false)
    {
        DkDbLayerProperties layerProps;
        layerProps.name = name.toStdWString();
        layerProps.on = on;
        layerProps.frozen = frozen;
        layerProps.locked = locked;
        return db->addLayer(layerProps);
    }
    DkDbObjectId id(const QString& name) const { return db->layerId(name.toStdWString()); }
    const DkDbLayerTableRecord* layer(const QString& name) const { return db->peekLayer(id(name)); }
    void makeCurrent(const QString& name) { db->setClayer(id(name)); }
    // Every object, iterator and name buffer the code under test opened was closed.
    bool nothingOpen() const
    {
        return db->openObjectCount() == 0 && db->liveIteratorCount() == 0 && dkutOutstandingBuffers() == 0;
    }
    // The same, with a comparison failure that names the counter.
    void verifyNothingOpen() const
    {
        QCOMPARE(db->openObjectCount(), 0);
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(dkutOutstandingBuffers(), 0LL);
    }

    std::unique_ptr<DkDbDatabase> db;
};
