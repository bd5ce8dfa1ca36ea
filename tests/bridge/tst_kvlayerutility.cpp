#include "kvcctest.h"
#include "testdrawing.h"

#include <kvlayerutility.h>

namespace {

// A layer name with a character outside the Basic Multilingual Plane.
const QString clef = QString::fromUcs4(U"Ebene \U0001D11E");

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

bool untouched(const DkDbLayerTableRecord* r) { return !r->isOff() && !r->isLocked() && !r->isFrozen() && r->isPlottable(); }

} // namespace

Q_DECLARE_METATYPE(Failure)

// Builds drawings in the stand-in host and checks what the bridge reads and writes.
class TestKvLayerUtility : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    DkDbDatabase* db = nullptr;
    DkDbObjectId erasedId, stubbornId;

    // A drawing with a few layers, some of them awkward.
    void buildSampleDrawing()
    {
        drawing->add(QStringLiteral("Walls"));
        DkDbLayerProperties hidden;
        hidden.name = L"Hidden", hidden.on = hidden.plottable = false, hidden.frozen = hidden.locked = true;
        db->addLayer(hidden);
        drawing->add(clef);
        db->eraseLayer(erasedId = drawing->add(QStringLiteral("Erased")));
        db->setRefuseOpen(stubbornId = drawing->add(QStringLiteral("Stubborn")), true);
    }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        db = drawing->db.get();
    }

    void cleanup() { drawing.reset(); }

    // Names are read character for character: a leading U+FEFF stays, a
    // character beyond the BMP becomes its surrogate pair, and what is no
    // character at all becomes U+FFFD.
    void namesReadAsTheHostHoldsThem_data()
    {
        QTest::addColumn<QVector<uint>>("held"); // the host's characters
        QTest::addColumn<QString>("read");
        QTest::newRow("Cyrillic and CJK") << QVector<uint>{0x421, 0x442, 0x435, 0x43d, 0x44b, ' ', 0x5899, 0x4f53}
                                          << QStringLiteral("Стены 墙体");
        QTest::newRow("a leading zero-width no-break space") << QVector<uint>{0xFEFF, 'W', 'a', 'l', 'l', 's'}
                                                             << QString(QChar(0xFEFF)) + QStringLiteral("Walls");
        QTest::newRow("beyond the BMP") << QVector<uint>{'E', 'b', 'e', 'n', 'e', ' ', 0x1D11E} << clef;
        QTest::newRow("a surrogate code on its own") << QVector<uint>{'A', 0xD800, 'B'} << QStringLiteral("A\uFFFDB");
        QTest::newRow("beyond Unicode") << QVector<uint>{'A', 0x110000, 'B'} << QStringLiteral("A\uFFFDB");
    }

    void namesReadAsTheHostHoldsThem()
    {
        QFETCH(QVector<uint>, held);
        QFETCH(QString, read);
        DkDbLayerProperties layer;
        for (uint code : held)
            layer.name += static_cast<wchar_t>(code);
        QVERIFY(!db->addLayer(layer).isNull());
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QCOMPARE(layers->last().name, read);
    }

    void layersComeInTableOrderWithTheirFlagsAndColors()
    {
        buildSampleDrawing();
        DkDbLayerProperties rgb;
        rgb.name = L"Rgb", rgb.color = DkCmColor(12, 34, 56);
        db->addLayer(rgb);
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        QStringList names;
        for (const KvCc::LayerItemData& l : *layers)
            names << l.name;
        // Erased and unopenable records are skipped; nothing is sorted.
        QCOMPARE(names, QStringList({"0", "Walls", "Hidden", clef, "Rgb"}));
        QCOMPARE(layers->at(0), (KvCc::LayerItemData{true, false, false, QColor(255, 255, 255), "0"}));
        QCOMPARE(layers->at(2), (KvCc::LayerItemData{false, true, true, QColor(255, 255, 255), "Hidden"}));
        QCOMPARE(layers->at(4).color, QColor(12, 34, 56));
        drawing->verifyNothingOpen();
    }

    void badSurroundings_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::newRow("with no services object every call is empty and quiet") << Failure::NoServices;
        QTest::newRow("with no drawing open every call is empty and quiet") << Failure::NoDrawing;
        QTest::newRow("a layer table that will not open gives empty walks") << Failure::LayerTableRefused;
        QTest::newRow("a table that hands out no iterator gives empty walks") << Failure::IteratorRefused;
    }

    void badSurroundings()
    {
        QFETCH(Failure, failure);
        drawing->add(QStringLiteral("Walls"));
        switch (failure) {
        case Failure::NoServices: s_pServices = nullptr; break;
        case Failure::NoDrawing: s_pServices->setWorkingDatabase(nullptr); break;
        case Failure::LayerTableRefused: db->setLayerTableRefused(true); break;
        case Failure::IteratorRefused: db->setLayerIteratorRefused(true); break;
        }
        const bool hasDrawing = failure != Failure::NoServices && failure != Failure::NoDrawing;
        KvLayerUtility util;
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(util.getAllLayer());
        QVERIFY(layers && layers->isEmpty());

        // The current layer is read by its id, without the table.
        KvCc::LayerItemData out{true, false, false, QColor(), QStringLiteral("untouched")};
        QCOMPARE(util.getCurrentLayer(out), hasDrawing);
        QCOMPARE(out.name, hasDrawing ? QStringLiteral("0") : QStringLiteral("untouched"));

        QCOMPARE(::getLayerByName(QStringLiteral("Walls")), nullptr);
        for (const Setter& s : flagSetters)
            QVERIFY(!(util.*s.call)(QStringLiteral("Walls"), true) && !(util.*s.call)(QStringLiteral("Walls"), false));
        QList<QStringList> rows{{QStringLiteral("kept")}};
        QCOMPARE(util.getAllLayerDate(rows), 0);
        QCOMPARE(rows, QList<QStringList>{{QStringLiteral("kept")}});
        QCOMPARE(getCurrentDb(), hasDrawing ? db : nullptr);
        QCOMPARE(pCurDb, hasDrawing ? db : nullptr);
        QVERIFY(untouched(drawing->layer(QStringLiteral("Walls"))));
        drawing->verifyNothingOpen();
    }

    void onlyAnExactLiveOpenableNameIsFound_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("the exact name is found") << QStringLiteral("Walls") << true;
        QTest::newRow("a name beyond the BMP is found") << clef << true;
        QTest::newRow("a name in other letter case is not found") << QStringLiteral("walls") << false;
        QTest::newRow("a name with a trailing space is not found") << QStringLiteral("Walls ") << false;
        QTest::newRow("a prefix of a name is not found") << QStringLiteral("Wall") << false;
        QTest::newRow("a name that is not there is not found") << QStringLiteral("Roof") << false;
        QTest::newRow("an empty name is not found") << QString() << false;
        QTest::newRow("the name of an erased layer is not found") << QStringLiteral("Erased") << false;
        QTest::newRow("a record that refuses to open is not handed out") << QStringLiteral("Stubborn") << false;
    }

    // A name that is not found is refused by every setter, which changes nothing.
    void onlyAnExactLiveOpenableNameIsFound()
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
        QList<QStringList> before, after;
        KvLayerUtility().getAllLayerDate(before);
        for (const Setter& s : flagSetters)
            QVERIFY(!(KvLayerUtility().*s.call)(name, true) && !(KvLayerUtility().*s.call)(name, false));
        drawing->verifyNothingOpen();
        KvLayerUtility().getAllLayerDate(after);
        QCOMPARE(after, before);
        QVERIFY(untouched(db->peekLayer(erasedId)) && untouched(db->peekLayer(stubbornId)));
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
        QTest::newRow("a layer beyond the BMP can be locked") << int(Lock) << clef << true << true;
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
        QVERIFY(drawing->layer(name));
        QCOMPARE((KvLayerUtility().*s.call)(name, value), accepted);
        QCOMPARE(s.flag(drawing->layer(name)), accepted ? value : !value);
        if (accepted) {
            QVERIFY((KvLayerUtility().*s.call)(name, !value));
            QCOMPARE(s.flag(drawing->layer(name)), !value);
        }
        drawing->verifyNothingOpen();
        // The setters leave telling the host to their callers.
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
    }

    // The current layer is read by its record, so a rename by the host shows.
    void currentLayerIsReadByItsRecord()
    {
        const DkDbObjectId walls = drawing->add(QStringLiteral("Walls"), false, false, true);
        db->setClayer(walls);
        QCOMPARE(db->renameLayer(walls, L"Outer walls"), Dk::eOk);
        KvCc::LayerItemData out;
        QVERIFY(KvLayerUtility().getCurrentLayer(out));
        QCOMPARE(out, (KvCc::LayerItemData{false, true, false, QColor(255, 255, 255), "Outer walls"}));
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
        kvSetSysVar(L"TILEMODE", static_cast<short>(tilemode));
        kvSetSysVarReadable(L"TILEMODE", readable);
        QTEST(KvLayerUtility().isModelSpace(), "expected");
    }
};

KVCC_TEST_MAIN(TestKvLayerUtility)
#include "tst_kvlayerutility.moc"
