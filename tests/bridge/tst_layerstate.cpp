#include "kvcctest.h"
#include "testdrawing.h"

#include <kvlayerstate.h>
#include <memorylayerstatestore.h>

using KvCc::LayerState;

namespace {

const LayerState::Property properties[] = {LayerState::On,    LayerState::Frozen,   LayerState::Locked,
                                           LayerState::Plot,  LayerState::NewViewportFrozen, LayerState::Color,
                                           LayerState::Linetype, LayerState::Lineweight, LayerState::CurrentLayer};

// One property of a layer (or, for CurrentLayer, of the state) as comparable text.
QString field(const LayerState& state, int layer, LayerState::Property p)
{
    const LayerState::Layer& l = state.layers.at(layer);
    const bool flags[] = {l.on, l.frozen, l.locked, l.plot, l.newViewportFrozen};
    switch (p) {
    case LayerState::Color: return l.color.name() + QString::number(l.colorIndex);
    case LayerState::Linetype: return l.linetype;
    case LayerState::Lineweight: return QString::number(l.lineweight);
    case LayerState::CurrentLayer: return state.currentLayer;
    default: return QString::number(flags[qCountTrailingZeroBits(uint(p))]);
    }
}

enum Flag { Off = 1, Frozen = 2, Locked = 4, NoPlot = 8, NewVpFrozen = 16 };

DkDbLayerProperties layer(const wchar_t* name, int flags, DkCmColor color, const wchar_t* linetype, int lineweight)
{
    DkDbLayerProperties p;
    p.name = name;
    p.on = !(flags & Off);
    p.frozen = flags & Frozen;
    p.locked = flags & Locked;
    p.plottable = !(flags & NoPlot);
    p.frozenInNewViewports = flags & NewVpFrozen;
    p.color = color;
    p.linetype = linetype;
    p.lineWeight = lineweight;
    return p;
}

DkCmColor indexColor(int index)
{
    DkCmColor c;
    c.setColorIndex(index);
    return c;
}

// Two looks of the layers 0, Walls and Doors; in the second Doors is current.
void buildDrawing(TestDrawing& drawing, bool second)
{
    drawing.db->addLayer(second ? layer(L"Walls", Off | Frozen | Locked | NoPlot, DkCmColor(1, 2, 3), L"Continuous", 100)
                                : layer(L"Walls", 0, indexColor(1), L"Dashed", 50));
    drawing.db->addLayer(second ? layer(L"Doors", Locked, indexColor(3), L"Dashed", 25)
                                : layer(L"Doors", Off | Frozen | NoPlot | NewVpFrozen, DkCmColor(12, 34, 56), L"Continuous", -1));
    if (second)
        drawing.makeCurrent(QStringLiteral("Doors"));
}

} // namespace

// Captures, restores and serialises layer states on the stand-in host.
class TestLayerState : public QObject
{
    Q_OBJECT

private slots:
    void init() { kvResetLayerTableChangesCount(); }

    void captureReadsEveryLayer()
    {
        TestDrawing drawing;
        buildDrawing(drawing, false);
        const LayerState state = LayerState::capture(QStringLiteral("Plan"), QStringLiteral("first floor"));
        QCOMPARE(state.name + state.description + state.currentLayer, QStringLiteral("Planfirst floor0"));
        QCOMPARE(state.properties, LayerState::Properties(LayerState::AllProperties));
        QCOMPARE(state.layers.size(), 3);
        const LayerState::Layer doors{"Doors", false, true, false, false, true, QColor(12, 34, 56), 0, "Continuous", -1};
        QCOMPARE(state.layers.at(2), doors);
        QCOMPARE(state.layers.at(1).color, QColor(Qt::red));
        QCOMPARE(state.layers.at(1).colorIndex, 1);
        // A color the host names by its index number is an index color.
        DkDbLayerProperties shownByNumber;
        shownByNumber.name = L"Roof";
        shownByNumber.color = DkCmColor(12, 34, 56);
        shownByNumber.color.setDisplayName(L"12");
        drawing.db->addLayer(shownByNumber);
        QCOMPARE(LayerState::capture(QString()).layers.last().colorIndex, 12);
        drawing.verifyNothingOpen();
    }

    void restoreAppliesExactlyTheChosenProperties_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("held");
        const int all = LayerState::AllProperties;
        for (LayerState::Property p : properties)
            QTest::addRow("property 0x%x alone is restored and nothing else", p) << int(p) << all;
        QTest::newRow("every property is restored") << all << all;
        QTest::newRow("no property: nothing changes") << 0 << all;
        QTest::newRow("freezing without making current: the current layer's freeze is refused") << int(LayerState::Frozen | LayerState::Color) << all;
        QTest::newRow("properties the state does not hold are not restored") << all << int(LayerState::Locked | LayerState::Lineweight);
    }

    void restoreAppliesExactlyTheChosenProperties()
    {
        QFETCH(int, which);
        QFETCH(int, held);
        LayerState saved, other;
        {
            TestDrawing first;
            buildDrawing(first, false);
            saved = LayerState::capture(QStringLiteral("A"));
        }
        saved.properties = LayerState::Properties(held);
        TestDrawing drawing;
        buildDrawing(drawing, true);
        other = LayerState::capture(QStringLiteral("B"));
        const LayerState::RestoreResult result = saved.restore(LayerState::Properties(which), false);
        const LayerState now = LayerState::capture(QStringLiteral("C"));
        which &= held;

        // Doors stays current unless the current layer is restored, and the current layer is never frozen.
        const bool frozenRefused = (which & LayerState::Frozen) && !(which & LayerState::CurrentLayer);
        QCOMPARE(result.refused.size(), frozenRefused ? 1 : 0);
        QVERIFY(!frozenRefused || result.refused.first().contains(QLatin1String("Doors is current")));
        QCOMPARE(result.currentChanged, bool(which & LayerState::CurrentLayer));
        QStringList changed;
        for (int i = 0; i < now.layers.size(); ++i) {
            for (LayerState::Property p : properties) {
                const bool restored = (which & p) && !(frozenRefused && p == LayerState::Frozen && i == 2);
                QCOMPARE(field(now, i, p), field(restored ? saved : other, i, p));
            }
            if (now.layers.at(i) != other.layers.at(i))
                changed << now.layers.at(i).name;
        }
        QCOMPARE(result.changedLayers, changed);
        QCOMPARE(drawing.layer(QStringLiteral("Walls"))->isFrozen(), !(which & LayerState::Frozen));
        drawing.verifyNothingOpen();
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
    }

    void namesAreMatchedCaseBlindAndOthersMayBeSwitchedOff_data()
    {
        QTest::addColumn<bool>("offOthers");
        QTest::newRow("layers the state does not name keep their on state") << false;
        QTest::newRow("layers the state does not name are switched off") << true;
    }

    void namesAreMatchedCaseBlindAndOthersMayBeSwitchedOff()
    {
        QFETCH(bool, offOthers);
        TestDrawing drawing;
        buildDrawing(drawing, true);
        LayerState state = LayerState::capture(QStringLiteral("A"));
        drawing.add(QStringLiteral("Roof"));
        state.layers[1].name = QStringLiteral("WALLS");
        state.layers[1].on = true;
        state.layers[1].frozen = false;
        state.layers[2].name = QStringLiteral("Gone"); // named by the state, lacking in the drawing: skipped
        state.currentLayer = QStringLiteral("wALLs");
        const LayerState::RestoreResult result = state.restore(LayerState::AllProperties, offOthers);
        QVERIFY2(result.refused.isEmpty(), qPrintable(result.refused.join('\n')));
        QCOMPARE(drawing.db->clayer(), drawing.id(QStringLiteral("Walls")));
        QVERIFY(!drawing.layer(QStringLiteral("Walls"))->isOff() && !drawing.layer(QStringLiteral("Walls"))->isFrozen());
        QCOMPARE(drawing.layer(QStringLiteral("Roof"))->isOff(), offOthers);
        QCOMPARE(drawing.layer(QStringLiteral("Doors"))->isOff(), offOthers);
        QCOMPARE(result.changedLayers, offOthers ? QStringList({"Walls", "Doors", "Roof"}) : QStringList({"Walls"}));
        drawing.verifyNothingOpen();
    }

    void aMissingLinetypeIsRefusedAndTheRestApplied()
    {
        TestDrawing drawing;
        buildDrawing(drawing, false);
        LayerState state = LayerState::capture(QStringLiteral("A"));
        state.layers[1].linetype = QStringLiteral("Nowhere");
        state.layers[1].lineweight = 211;
        state.layers[2].linetype = QStringLiteral("DASHED");
        const LayerState::RestoreResult result = state.restore(LayerState::AllProperties, false);
        QCOMPARE(result.refused.size(), 1);
        QVERIFY(result.refused.first().contains(QLatin1String("Nowhere")));
        QCOMPARE(drawing.layer(QStringLiteral("Walls"))->lineWeight(), 211);
        QCOMPARE(LayerState::capture(QString()).layers.at(2).linetype, QStringLiteral("Dashed"));
        drawing.verifyNothingOpen();
    }

    void jsonRoundTripIsStable()
    {
        TestDrawing drawing;
        buildDrawing(drawing, true);
        drawing.add(QString::fromUcs4(U"Ebene \U0001D11E"));
        LayerState state = LayerState::capture(QString::fromUtf8("Schnitt Ä"), QStringLiteral("line\n\"two\""));
        state.properties = LayerState::On | LayerState::CurrentLayer;
        LayerState read;
        QString error;
        QVERIFY2(LayerState::fromJson(state.toJson(), read, &error), qPrintable(error));
        QCOMPARE(read, state);
        QCOMPARE(read.toJson(), state.toJson());
    }

    void hostileJsonIsRefused_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("text that is not JSON") << QByteArray("{") << QByteArray("[{");
        QTest::newRow("another format tag") << QByteArray("kvcc-layer-state") << QByteArray("something-else");
        QTest::newRow("a later version") << QByteArray("\"version\": 1") << QByteArray("\"version\": 2");
        QTest::newRow("a version as text") << QByteArray("\"version\": 1") << QByteArray("\"version\": \"1\"");
        QTest::newRow("a name of the wrong type") << QByteArray("\"name\": \"A\"") << QByteArray("\"name\": 5");
        QTest::newRow("an empty name") << QByteArray("\"name\": \"A\"") << QByteArray("\"name\": \"\"");
        QTest::newRow("an unknown property bit") << QByteArray("\"properties\": 4351") << QByteArray("\"properties\": 12543");
        QTest::newRow("layers that are no list") << QByteArray("\"layers\": [") << QByteArray("\"layers\": \"no\", \"x\": [");
        QTest::newRow("a flag of the wrong type") << QByteArray("\"locked\": false") << QByteArray("\"locked\": 0");
        QTest::newRow("a color index out of range") << QByteArray("\"colorIndex\": 1,") << QByteArray("\"colorIndex\": 300,");
        QTest::newRow("a fractional color index") << QByteArray("\"colorIndex\": 1,") << QByteArray("\"colorIndex\": 1.5,");
        QTest::newRow("a color that is no RGB") << QByteArray("#ff0000") << QByteArray("red");
        QTest::newRow("a lineweight that is not a standard one") << QByteArray("\"lineweight\": 50") << QByteArray("\"lineweight\": 51");
        QTest::newRow("a layer named twice in other case") << QByteArray("\"Doors\"") << QByteArray("\"WALLS\"");
        QTest::newRow("a layer name of 256 characters") << QByteArray("\"Doors\"") << QByteArray('"' + QByteArray(256, 'x') + '"');
        QTest::newRow("bytes that are not UTF-8") << QByteArray("\"Doors\"") << QByteArray("\"Do\xff\xfers\"");
        QTest::newRow("a file beyond the size bound") << QByteArray("\"A\"") << QByteArray('"' + QByteArray(64 * 1024 * 1024, 'x') + '"');
    }

    void hostileJsonIsRefused()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        TestDrawing drawing;
        buildDrawing(drawing, false);
        QByteArray json = LayerState::capture(QStringLiteral("A")).toJson();
        QVERIFY(json.contains(from));
        json.replace(json.indexOf(from), from.size(), to);
        LayerState out;
        out.name = QStringLiteral("kept");
        const LayerState before = out;
        QString error;
        QVERIFY(!LayerState::fromJson(json, out, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(out, before);
    }

    void theMemoryStoreKeepsNamesCaseBlind()
    {
        KvCc::MemoryLayerStateStore store;
        LayerState a, b;
        a.name = QStringLiteral("Plan");
        b.name = QStringLiteral("Roof");
        QVERIFY(store.saveState(a).isEmpty() && store.saveState(b).isEmpty());
        a.name = QStringLiteral("PLAN");
        a.description = QStringLiteral("replaced");
        QVERIFY(store.saveState(a).isEmpty());
        QCOMPARE(store.stateNames(), QStringList({"PLAN", "Roof"}));
        QVERIFY(!store.renameState(QStringLiteral("plan"), QStringLiteral("ROOF")).isEmpty());
        QVERIFY(!store.renameState(QStringLiteral("plan"), QStringLiteral(" ")).isEmpty());
        QVERIFY(!store.renameState(QStringLiteral("Cellar"), QStringLiteral("Attic")).isEmpty());
        QVERIFY(store.renameState(QStringLiteral("plan"), QStringLiteral("Plan")).isEmpty());
        LayerState out;
        QVERIFY(store.loadState(QStringLiteral("pLaN"), out) && out.description == QLatin1String("replaced"));
        QVERIFY(!store.saveState(LayerState()).isEmpty());
        QVERIFY(store.removeState(QStringLiteral("roof")).isEmpty() && !store.removeState(QStringLiteral("roof")).isEmpty());
        QCOMPARE(store.stateNames(), QStringList{"Plan"});
    }
};

KVCC_TEST_MAIN(TestLayerState)
#include "tst_layerstate.moc"
