#include "kvcctest.h"
#include "testdrawing.h"

#include <kvlayerutility.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <memory>

namespace {

// A layer name with a character outside the Basic Multilingual Plane.
QString clef()
{
    return QString::fromUcs4(U"Ebene \U0001D11E");
}

// One flag setter and the flag it writes, read back in the setter's own sense.
struct Setter {
    bool (KvLayerUtility::*call)(QString, bool);
    bool (*flag)(const DkDbLayerTableRecord*);
};
const Setter flagSetters[] = {
    {&KvLayerUtility::setLayerOff, [](const DkDbLayerTableRecord* r) { return !r->isOff(); }},
    {&KvLayerUtility::setLayerLock, [](const DkDbLayerTableRecord* r) { return r->isLocked(); }},
    {&KvLayerUtility::setLayerFrozen, [](const DkDbLayerTableRecord* r) { return r->isFrozen(); }},
    {&KvLayerUtility::setLayerPlot, [](const DkDbLayerTableRecord* r) { return r->isPlottable(); }},
};
enum { Off, Lock, Frozen, Plot };

// How a drawing (or its absence) is spoiled before a call.
enum class Failure { NoServices, NoDrawing, LayerTableRefused, IteratorRefused };

bool untouched(const DkDbLayerTableRecord* r)
{
    return !r->isOff() && !r->isLocked() && !r->isFrozen() && r->isPlottable();
}

} // namespace

Q_DECLARE_METATYPE(Failure)

// Builds drawings in the stand-in host and checks what the bridge reads and writes.
class TestKvLayerUtility : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    DkDbDatabase* db = nullptr;
    DkDbObjectId erasedId;
    DkDbObjectId stubbornId;

    DkDbObjectId add(const std::wstring& name, bool on = true, bool frozen = false, bool locked = false,
                     bool plottable = true)
    {
        DkDbLayerSpec layerSpec;
        layerSpec.name = name;
        layerSpec.on = on;
        layerSpec.frozen = frozen;
        layerSpec.locked = locked;
        layerSpec.plottable = plottable;
        return db->addLayer(layerSpec);
    }

    // A drawing with a few layers, some of them awkward.
    void buildSampleDrawing()
    {
        add(L"Walls");
        add(L"A");
        add(L"Hidden", false, true, true, false);
        add(clef().toStdWString());
        erasedId = add(L"Erased");
        db->eraseLayer(erasedId);
        stubbornId = add(L"Stubborn");
        db->setRefuseOpen(stubbornId, true);
    }

    QList<QStringList> snapshot()
    {
        QList<QStringList> rows;
        KvLayerUtility().getAllLayerDate(rows);
        return rows;
    }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        db = drawing->db.get();
        kvResetLayerTableChangesCount();
    }

    void cleanup()
    {
        drawing.reset();
        db = nullptr;
    }

    void layersComeInTableOrderWithTheirFlags()
    {
        buildSampleDrawing();
        DkDbLayerSpec red;
        red.name = L"Red";
        red.color.setColorIndex(1);
        db->addLayer(red);
        red.name = L"Rgb";
        red.color = DkCmColor(12, 34, 56);
        db->addLayer(red);

        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QStringList names;
        for (const KvCc::LayerItemData& l : *layers)
            names << l.name;
        // Erased and unopenable records are skipped; nothing is sorted.
        QCOMPARE(names, QStringList({QStringLiteral("0"), QStringLiteral("Walls"), QStringLiteral("A"),
                                     QStringLiteral("Hidden"), clef(), QStringLiteral("Red"),
                                     QStringLiteral("Rgb")}));
        QCOMPARE(layers->at(4).name.size(), 8); // the clef survives as a surrogate pair
        QCOMPARE(layers->at(0).color, QColor(255, 255, 255, 255));
        QVERIFY(layers->at(0).on && !layers->at(0).frozen && !layers->at(0).locked);
        const KvCc::LayerItemData& hidden = layers->at(3);
        QVERIFY(!hidden.on && hidden.frozen && hidden.locked);
        QCOMPARE(layers->at(5).color, QColor(255, 0, 0, 255));
        QCOMPARE(layers->at(6).color, QColor(12, 34, 56, 255));
        drawing->verifyNothingOpen();
    }

    void badSurroundings_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<bool>("currentReadable");
        QTest::newRow("with no services object every call is empty and quiet")
            << Failure::NoServices << false;
        QTest::newRow("with no drawing open every call is empty and quiet") << Failure::NoDrawing << false;
        QTest::newRow("a layer table that will not open gives empty walks")
            << Failure::LayerTableRefused << true;
        QTest::newRow("a table that hands out no iterator gives empty walks")
            << Failure::IteratorRefused << true;
    }

    void badSurroundings()
    {
        QFETCH(Failure, failure);
        QFETCH(bool, currentReadable);
        add(L"Walls");
        switch (failure) {
        case Failure::NoServices: s_pServices = nullptr; break;
        case Failure::NoDrawing: s_pServices->setWorkingDatabase(nullptr); break;
        case Failure::LayerTableRefused: db->setLayerTableRefused(true); break;
        case Failure::IteratorRefused: db->setLayerIteratorRefused(true); break;
        }
        KvLayerUtility util;

        std::unique_ptr<QList<KvCc::LayerItemData>> layers(util.getAllLayer());
        QVERIFY(layers && layers->isEmpty());

        KvCc::LayerItemData out;
        out.name = QStringLiteral("untouched");
        QCOMPARE(util.getCurrentLayer(out), currentReadable);
        QCOMPARE(out.name, currentReadable ? QStringLiteral("0") : QStringLiteral("untouched"));

        QCOMPARE(::getLayerByName(QStringLiteral("Walls")), nullptr);
        for (const Setter& s : flagSetters)
            QVERIFY(!(util.*s.call)(QStringLiteral("Walls"), true) && !(util.*s.call)(QStringLiteral("Walls"), false));

        QList<QStringList> rows{{QStringLiteral("kept")}};
        QCOMPARE(util.getAllLayerDate(rows), 0);
        QCOMPARE(rows, QList<QStringList>{{QStringLiteral("kept")}});

        const bool hasDrawing = failure != Failure::NoServices && failure != Failure::NoDrawing;
        QCOMPARE(getCurrentDb(), hasDrawing ? db : nullptr);
        QCOMPARE(pCurDb, hasDrawing ? db : nullptr);
        QVERIFY(untouched(db->peekLayer(db->layerId(L"Walls"))));
        drawing->verifyNothingOpen();
    }

    void lookUp_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("the exact name is found") << QStringLiteral("Walls") << true;
        QTest::newRow("a name beyond the BMP is found") << clef() << true;
        QTest::newRow("a name in other letter case is not found") << QStringLiteral("walls") << false;
        QTest::newRow("a name with a trailing space is not found") << QStringLiteral("Walls ") << false;
        QTest::newRow("a prefix of a name is not found") << QStringLiteral("Wall") << false;
        QTest::newRow("a name that is not there is not found") << QStringLiteral("Roof") << false;
        QTest::newRow("an empty name is not found") << QString() << false;
        QTest::newRow("the name of an erased layer is not found") << QStringLiteral("Erased") << false;
        QTest::newRow("a record that refuses to open is not handed out") << QStringLiteral("Stubborn")
                                                                         << false;
    }

    // getLayerByName hands out only exact, live, openable names; the setters
    // refuse every other name and change nothing.
    void lookUp()
    {
        QFETCH(QString, name);
        QFETCH(bool, found);
        buildSampleDrawing();

        DkDbLayerTableRecord* record = ::getLayerByName(name);
        QCOMPARE(record != nullptr, found);
        if (found) {
            // The caller receives the record open for read, and nothing else.
            QCOMPARE(QString::fromStdWString(record->nameString()), name);
            QCOMPARE(db->openForReadCount(), 1);
            QCOMPARE(db->openForWriteCount(), 0);
            QCOMPARE(record->close(), Dk::eOk);
            return drawing->verifyNothingOpen();
        }
        const QList<QStringList> before = snapshot();
        KvLayerUtility util;
        for (const Setter& s : flagSetters) {
            QVERIFY(!(util.*s.call)(name, true));
            QVERIFY(!(util.*s.call)(name, false));
            drawing->verifyNothingOpen();
        }
        QCOMPARE(snapshot(), before);
        QVERIFY(untouched(db->peekLayer(erasedId)));
        QVERIFY(untouched(db->peekLayer(stubbornId)));
    }

    void setters_data()
    {
        QTest::addColumn<int>("setter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("setLayerOff switches a layer off and on") << int(Off) << "Walls" << false << true;
        QTest::newRow("setLayerLock locks and unlocks a layer") << int(Lock) << "Walls" << true << true;
        QTest::newRow("setLayerFrozen freezes and thaws a layer") << int(Frozen) << "Walls" << true << true;
        QTest::newRow("setLayerPlot stops and lets a layer plot") << int(Plot) << "Walls" << false << true;
        QTest::newRow("setLayerOff switches an off layer on and off") << int(Off) << "Hidden" << true << true;
        QTest::newRow("setting the value a flag already holds succeeds") << int(Lock) << "Hidden" << true << true;
        QTest::newRow("freezing the current layer is refused and reported") << int(Frozen) << "0" << true << false;
        QTest::newRow("switching the current layer off is allowed") << int(Off) << "0" << false << true;
        QTest::newRow("a layer beyond the BMP can be locked") << int(Lock) << clef() << true << true;
    }

    // Each accepted change is then undone by the opposite call.
    void setters()
    {
        QFETCH(int, setter);
        QFETCH(QString, name);
        QFETCH(bool, value);
        QFETCH(bool, accepted);
        buildSampleDrawing();
        const Setter& s = flagSetters[setter];
        const DkDbObjectId id = db->layerId(name.toStdWString());
        QVERIFY(!id.isNull());

        QCOMPARE((KvLayerUtility().*s.call)(name, value), accepted);
        QCOMPARE(s.flag(db->peekLayer(id)), accepted ? value : !value);
        if (accepted) {
            QVERIFY((KvLayerUtility().*s.call)(name, !value));
            QCOMPARE(s.flag(db->peekLayer(id)), !value);
        }
        drawing->verifyNothingOpen();
        // The setters leave telling the host to their callers.
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
    }

    // The current layer is read by its record, so a rename by the host shows.
    void getCurrentLayer()
    {
        const DkDbObjectId walls = add(L"Walls", true, false, true);
        QCOMPARE(db->setClayer(walls), Dk::eOk);
        QCOMPARE(db->renameLayer(walls, L"Outer walls"), Dk::eOk);
        KvLayerUtility util;
        QVERIFY(!util.setLayerOff(QStringLiteral("Walls"), false));
        QVERIFY(util.setLayerOff(QStringLiteral("Outer walls"), false));
        KvCc::LayerItemData out;
        QVERIFY(util.getCurrentLayer(out));
        QCOMPARE(out.name, QStringLiteral("Outer walls"));
        QVERIFY(out.locked && !out.on);
        drawing->verifyNothingOpen();

        // A current layer that will not open leaves the caller's record alone.
        db->setRefuseOpen(walls, true);
        out.color = Qt::green;
        const KvCc::LayerItemData before = out;
        QVERIFY(!KvLayerUtility().getCurrentLayer(out));
        QCOMPARE(out, before);
        drawing->verifyNothingOpen();
    }

    void isModelSpace_data()
    {
        QTest::addColumn<int>("tilemode");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("expected");
        QTest::newRow("TILEMODE 1 is model space") << 1 << true << true;
        QTest::newRow("TILEMODE 0 is a layout") << 0 << true << false;
        QTest::newRow("any other TILEMODE value is not model space") << 2 << true << false;
        QTest::newRow("an unreadable TILEMODE is not model space") << 1 << false << false;
    }

    void isModelSpace()
    {
        QFETCH(int, tilemode);
        QFETCH(bool, readable);
        QFETCH(bool, expected);
        kvSetSysVar(L"TILEMODE", static_cast<short>(tilemode));
        kvSetSysVarReadable(L"TILEMODE", readable);
        QCOMPARE(KvLayerUtility().isModelSpace(), expected);
    }

    // The bridge follows the host to another drawing.
    void manyLayersOfAnotherDrawingAreAllReadAndAllClosed()
    {
        auto first = std::make_unique<DkDbDatabase>();
        drawing->db.swap(first);
        db = drawing->db.get();
        s_pServices->setWorkingDatabase(db);
        for (int i = 0; i < 300; ++i)
            add(L"Layer " + std::to_wstring(i), i % 2 == 0, i % 3 == 0, i % 5 == 0);
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QCOMPARE(layers->size(), 301);
        QCOMPARE(layers->last().name, QStringLiteral("Layer 299"));
        QCOMPARE(pCurDb, db);
        QCOMPARE(first->openObjectCount(), 0);
        QVERIFY(KvLayerUtility().setLayerOff(QStringLiteral("Layer 299"), true));
        drawing->verifyNothingOpen();
    }
};

KVCC_TEST_MAIN(TestKvLayerUtility)
#include "tst_kvlayerutility.moc"
