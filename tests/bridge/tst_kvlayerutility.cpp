#include "kvcctest.h"

#include <kvlayerutility.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <functional>
#include <memory>

namespace {

// A layer name with a character outside the Basic Multilingual Plane.
const wchar_t* const clefName = L"Ebene \U0001D11E";
QString clef()
{
    return QString::fromUcs4(U"Ebene \U0001D11E");
}

enum class Setter { Off, Lock, Frozen, Plot };

// How a drawing (or its absence) is spoiled before a call.
enum class Failure { NoServices, NoDrawing, LayerTableRefused, IteratorRefused };

} // namespace

Q_DECLARE_METATYPE(Setter)
Q_DECLARE_METATYPE(Failure)

// Builds drawings in the stand-in host and checks what the bridge reads and writes.
class TestKvLayerUtility : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DkDbDatabase> db;
    DkDbObjectId erasedId;
    DkDbObjectId stubbornId;

    DkDbObjectId add(const std::wstring& name, bool on = true, bool frozen = false, bool locked = false,
                     bool plottable = true)
    {
        DkDbLayerSpec spec;
        spec.name = name;
        spec.on = on;
        spec.frozen = frozen;
        spec.locked = locked;
        spec.plottable = plottable;
        return db->addLayer(spec);
    }

    // A drawing with a few layers, some of them awkward.
    void buildSampleDrawing()
    {
        add(L"Walls");
        add(L"A");
        add(L"Hidden", false, true, true, false);
        add(clefName);
        erasedId = add(L"Erased");
        db->eraseLayer(erasedId);
        stubbornId = add(L"Stubborn");
        db->setRefuseOpen(stubbornId, true);
    }

    void verifyNothingOpen()
    {
        QCOMPARE(db->openObjectCount(), 0);
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(dkutOutstandingBuffers(), 0LL);
    }

    void spoil(Failure failure)
    {
        switch (failure) {
        case Failure::NoServices:
            s_pServices = nullptr;
            break;
        case Failure::NoDrawing:
            s_pServices->setWorkingDatabase(nullptr);
            break;
        case Failure::LayerTableRefused:
            db->setLayerTableRefused(true);
            break;
        case Failure::IteratorRefused:
            db->setLayerIteratorRefused(true);
            break;
        }
    }

    static bool callSetter(Setter setter, const QString& name, bool value)
    {
        KvLayerUtility util;
        switch (setter) {
        case Setter::Off:
            return util.setLayerOff(name, value);
        case Setter::Lock:
            return util.setLayerLock(name, value);
        case Setter::Frozen:
            return util.setLayerFrozen(name, value);
        case Setter::Plot:
            return util.setLayerPlot(name, value);
        }
        return false;
    }

    // The flag a setter writes, in the setter's own sense (on, locked, frozen, plottable).
    static bool flagOf(Setter setter, const DkDbLayerTableRecord* record)
    {
        switch (setter) {
        case Setter::Off:
            return !record->isOff();
        case Setter::Lock:
            return record->isLocked();
        case Setter::Frozen:
            return record->isFrozen();
        case Setter::Plot:
            return record->isPlottable();
        }
        return false;
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
        db = std::make_unique<DkDbDatabase>();
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        kvSetSysVar(L"LWUNITS", 1);
        kvSetSysVarReadable(L"LWUNITS", true);
        kvSetSysVar(L"TILEMODE", 1);
        kvSetSysVarReadable(L"TILEMODE", true);
        kvResetLayerTableChangesCount();
    }

    void cleanup()
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(nullptr);
        db.reset();
        kvSetSysVar(L"TILEMODE", 1);
        kvSetSysVarReadable(L"TILEMODE", true);
    }

    void onlyDefaultLayer()
    {
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QVERIFY(layers);
        QCOMPARE(layers->size(), 1);
        QCOMPARE(layers->at(0).name, QStringLiteral("0"));
        QCOMPARE(layers->at(0).color, QColor(255, 255, 255, 255));
        QVERIFY(layers->at(0).on);
        QVERIFY(!layers->at(0).frozen);
        QVERIFY(!layers->at(0).locked);
        QCOMPARE(pCurDb, db.get());
        verifyNothingOpen();
    }

    void layersComeInTableOrderWithTheirFlags()
    {
        buildSampleDrawing();
        DkDbLayerSpec red;
        red.name = L"Red";
        red.color.setColorIndex(1);
        db->addLayer(red);
        DkDbLayerSpec rgb;
        rgb.name = L"Rgb";
        rgb.color = DkCmColor(12, 34, 56);
        db->addLayer(rgb);

        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QStringList names;
        for (const KvCc::LayerItemData& l : *layers)
            names << l.name;
        // Erased and unopenable records are skipped; nothing is sorted.
        QCOMPARE(names, QStringList({QStringLiteral("0"), QStringLiteral("Walls"), QStringLiteral("A"),
                                     QStringLiteral("Hidden"), clef(), QStringLiteral("Red"),
                                     QStringLiteral("Rgb")}));
        const KvCc::LayerItemData& hidden = layers->at(3);
        QVERIFY(!hidden.on);
        QVERIFY(hidden.frozen);
        QVERIFY(hidden.locked);
        QCOMPARE(layers->at(5).color, QColor(255, 0, 0, 255));
        QCOMPARE(layers->at(6).color, QColor(12, 34, 56, 255));
        verifyNothingOpen();
    }

    void nonBmpNameSurvivesTheRoundTrip()
    {
        add(clefName);
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QCOMPARE(layers->size(), 2);
        QCOMPARE(layers->at(1).name, clef());
        QCOMPARE(layers->at(1).name.size(), 8); // the clef is a surrogate pair
        QCOMPARE(layers->at(1).name.toUcs4().size(), 7);
        verifyNothingOpen();
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
        spoil(failure);
        KvLayerUtility util;

        std::unique_ptr<QList<KvCc::LayerItemData>> layers(util.getAllLayer());
        QVERIFY(layers);
        QVERIFY(layers->isEmpty());

        KvCc::LayerItemData out;
        out.name = QStringLiteral("untouched");
        out.on = true;
        QCOMPARE(util.getCurrentLayer(out), currentReadable);
        QCOMPARE(out.name, currentReadable ? QStringLiteral("0") : QStringLiteral("untouched"));

        QCOMPARE(::getLayerByName(QStringLiteral("Walls")), nullptr);
        QVERIFY(!util.setLayerOff(QStringLiteral("Walls"), false));
        QVERIFY(!util.setLayerLock(QStringLiteral("Walls"), true));
        QVERIFY(!util.setLayerFrozen(QStringLiteral("Walls"), true));
        QVERIFY(!util.setLayerPlot(QStringLiteral("Walls"), false));

        QList<QStringList> rows{{QStringLiteral("kept")}};
        QCOMPARE(util.getAllLayerDate(rows), 0);
        QCOMPARE(rows, QList<QStringList>{{QStringLiteral("kept")}});

        const bool hasDrawing = failure != Failure::NoServices && failure != Failure::NoDrawing;
        QCOMPARE(getCurrentDb(), hasDrawing ? db.get() : nullptr);
        QCOMPARE(pCurDb, hasDrawing ? db.get() : nullptr);

        const DkDbLayerTableRecord* walls = db->peekLayer(db->layerId(L"Walls"));
        QVERIFY(!walls->isOff() && !walls->isLocked() && !walls->isFrozen() && walls->isPlottable());
        verifyNothingOpen();
    }

    void getLayerByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("the exact name is found") << QStringLiteral("Walls") << true;
        QTest::newRow("a name in other letter case is not found") << QStringLiteral("walls") << false;
        QTest::newRow("a name with a trailing space is not found") << QStringLiteral("Walls ") << false;
        QTest::newRow("a name with a leading space is not found") << QStringLiteral(" Walls") << false;
        QTest::newRow("an empty name is not found") << QString() << false;
        QTest::newRow("a name that is not there is not found") << QStringLiteral("Roof") << false;
        QTest::newRow("a name beyond the BMP is found") << clef() << true;
        QTest::newRow("the name of an erased layer is not found") << QStringLiteral("Erased") << false;
        QTest::newRow("a record that refuses to open is not handed out") << QStringLiteral("Stubborn")
                                                                         << false;
        QTest::newRow("a prefix of a name is not found") << QStringLiteral("Wall") << false;
    }

    void getLayerByName()
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
        }
        verifyNothingOpen();
    }

    void setters_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("flagAfter");

        const QString walls = QStringLiteral("Walls");
        const QString hidden = QStringLiteral("Hidden");
        QTest::newRow("setLayerOff(name, false) switches a layer off")
            << Setter::Off << walls << false << true << false;
        QTest::newRow("setLayerOff(name, true) switches a layer on")
            << Setter::Off << hidden << true << true << true;
        QTest::newRow("setLayerLock locks a layer") << Setter::Lock << walls << true << true << true;
        QTest::newRow("setLayerLock unlocks a layer") << Setter::Lock << hidden << false << true << false;
        QTest::newRow("setLayerFrozen freezes a layer") << Setter::Frozen << walls << true << true << true;
        QTest::newRow("setLayerFrozen thaws a layer") << Setter::Frozen << hidden << false << true << false;
        QTest::newRow("setLayerPlot stops a layer plotting")
            << Setter::Plot << walls << false << true << false;
        QTest::newRow("setLayerPlot lets a layer plot") << Setter::Plot << hidden << true << true << true;
        QTest::newRow("setting the value a flag already holds succeeds")
            << Setter::Lock << hidden << true << true << true;
        QTest::newRow("freezing the current layer is refused and reported")
            << Setter::Frozen << QStringLiteral("0") << true << false << false;
        QTest::newRow("thawing the current layer is fine")
            << Setter::Frozen << QStringLiteral("0") << false << true << false;
        QTest::newRow("switching the current layer off is allowed")
            << Setter::Off << QStringLiteral("0") << false << true << false;
        QTest::newRow("a name in other letter case changes nothing")
            << Setter::Lock << QStringLiteral("a") << true << false << false;
        QTest::newRow("a layer beyond the BMP can be locked") << Setter::Lock << clef() << true << true << true;
    }

    void setters()
    {
        QFETCH(Setter, setter);
        QFETCH(QString, name);
        QFETCH(bool, value);
        QFETCH(bool, accepted);
        QFETCH(bool, flagAfter);
        buildSampleDrawing();
        // A layer named "A" next to no layer named "a": the case test looks at "A".
        const std::wstring target = name == QLatin1String("a") ? L"A" : name.toStdWString();
        const DkDbObjectId id = db->layerId(target);
        QVERIFY(!id.isNull());

        QCOMPARE(callSetter(setter, name, value), accepted);
        QCOMPARE(flagOf(setter, db->peekLayer(id)), flagAfter);
        verifyNothingOpen();
        // The setters leave telling the host to their callers.
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
    }

    void settersIgnoreMissingLayers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a name that is not there") << QStringLiteral("Roof");
        QTest::newRow("an empty name") << QString();
        QTest::newRow("an erased layer") << QStringLiteral("Erased");
        QTest::newRow("a record that refuses to open") << QStringLiteral("Stubborn");
        QTest::newRow("a name in other letter case") << QStringLiteral("WALLS");
    }

    void settersIgnoreMissingLayers()
    {
        QFETCH(QString, name);
        buildSampleDrawing();
        const QList<QStringList> before = snapshot();
        for (Setter s : {Setter::Off, Setter::Lock, Setter::Frozen, Setter::Plot}) {
            QVERIFY(!callSetter(s, name, true));
            QVERIFY(!callSetter(s, name, false));
            verifyNothingOpen();
        }
        QCOMPARE(snapshot(), before);
        for (const DkDbObjectId& id : {erasedId, stubbornId}) {
            const DkDbLayerTableRecord* r = db->peekLayer(id);
            QVERIFY(!r->isOff() && !r->isLocked() && !r->isFrozen() && r->isPlottable());
        }
    }

    void getCurrentLayerReadsTheCurrentLayer()
    {
        const DkDbObjectId walls = add(L"Walls", true, false, true);
        QCOMPARE(db->setClayer(walls), Dk::eOk);
        KvCc::LayerItemData out;
        QVERIFY(KvLayerUtility().getCurrentLayer(out));
        QCOMPARE(out.name, QStringLiteral("Walls"));
        QVERIFY(out.locked);
        QVERIFY(out.on);
        QCOMPARE(pCurDb, db.get());
        verifyNothingOpen();
    }

    void getCurrentLayerKeepsTheRecordWhenTheLayerWillNotOpen()
    {
        db->setRefuseOpen(db->clayer(), true);
        KvCc::LayerItemData out;
        out.name = QStringLiteral("kept");
        out.color = Qt::green;
        const KvCc::LayerItemData before = out;
        QVERIFY(!KvLayerUtility().getCurrentLayer(out));
        QCOMPARE(out, before);
        verifyNothingOpen();
    }

    void setCurrenLayerAndSetLayerByDataChangeNothing()
    {
        buildSampleDrawing();
        const QList<QStringList> before = snapshot();
        const DkDbObjectId current = db->clayer();
        KvCc::LayerItemData data;
        data.name = QStringLiteral("Walls");
        data.frozen = true;
        data.locked = true;
        KvLayerUtility().setCurrenLayer(data);
        KvLayerUtility().setLayerByData(data);
        QCOMPARE(snapshot(), before);
        QVERIFY(db->clayer() == current);
        verifyNothingOpen();
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

    void pCurDbFollowsTheWorkingDrawing()
    {
        getCurrentDb();
        QCOMPARE(pCurDb, db.get());

        auto other = std::make_unique<DkDbDatabase>();
        s_pServices->setWorkingDatabase(other.get());
        std::unique_ptr<QList<KvCc::LayerItemData>>(KvLayerUtility().getAllLayer());
        QCOMPARE(pCurDb, other.get());

        s_pServices->setWorkingDatabase(nullptr);
        QCOMPARE(getCurrentDb(), nullptr);
        QCOMPARE(pCurDb, nullptr);

        s_pServices->setWorkingDatabase(db.get());
        getCurrentDb();
        s_pServices = nullptr;
        KvCc::LayerItemData out;
        QVERIFY(!KvLayerUtility().getCurrentLayer(out));
        QCOMPARE(pCurDb, nullptr);
        QCOMPARE(other->openObjectCount(), 0);
    }

    void aLayerRenamedByTheHostIsFoundByItsNewName()
    {
        const DkDbObjectId id = add(L"Walls");
        QCOMPARE(db->renameLayer(id, L"Outer walls"), Dk::eOk);
        KvLayerUtility util;
        QVERIFY(!util.setLayerLock(QStringLiteral("Walls"), true));
        QVERIFY(util.setLayerLock(QStringLiteral("Outer walls"), true));
        QVERIFY(db->peekLayer(id)->isLocked());
        verifyNothingOpen();
    }

    void manyLayersAreAllReadAndAllClosed()
    {
        for (int i = 0; i < 300; ++i)
            add(L"Layer " + std::to_wstring(i), i % 2 == 0, i % 3 == 0, i % 5 == 0);
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QCOMPARE(layers->size(), 301);
        QCOMPARE(layers->last().name, QStringLiteral("Layer 299"));
        QVERIFY(KvLayerUtility().setLayerOff(QStringLiteral("Layer 299"), true));
        verifyNothingOpen();
    }
};

KVCC_TEST_MAIN(TestKvLayerUtility)
#include "tst_kvlayerutility.moc"
