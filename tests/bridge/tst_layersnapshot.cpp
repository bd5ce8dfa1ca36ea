#include "kvcctest.h"
#include "testdrawing.h"

#include <kvlayerutility.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <functional>
#include <memory>

namespace {

// Columns of one snapshot row.
enum Column {
    Current, Name, On, Thawed, Unlocked, Color, Linetype, LineWeight, PlotStyle, Plottable,
    NewViewportFrozen, ViewportFrozen, Description
};

// The row of a plain layer called "L" that is not current, with some columns changed.
QStringList plainRow(const QList<QPair<int, QString>>& changes = {})
{
    QStringList row{"false", "L", "true", "true", "true", "ll*white;255,255,255", "Continuous", "Default",
                    "Color_7", "true", "false", "false", ""};
    for (const auto& change : changes)
        row[change.first] = change.second;
    return row;
}

// A new layer as the host makes it, with some fields changed.
DkDbLayerSpec layer(std::wstring name, const std::function<void(DkDbLayerSpec&)>& edit = {})
{
    DkDbLayerSpec layerSpec;
    layerSpec.name = std::move(name);
    if (edit)
        edit(layerSpec);
    return layerSpec;
}

// A plain layer "L" in the given color.
DkDbLayerSpec colored(DkCmColor c, int index = 0, const std::wstring& displayName = {})
{
    if (index)
        c.setColorIndex(index);
    if (!displayName.empty())
        c.setDisplayName(displayName);
    return layer(L"L", [&](DkDbLayerSpec& s) { s.color = c; });
}

} // namespace

Q_DECLARE_METATYPE(DkDbLayerSpec)

// Reads drawings built in the stand-in host into the 13-column text rows of
// the layer manager.
class TestLayerSnapshot : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    DkDbDatabase* db = nullptr;

    QList<QStringList> take(int expectedCount)
    {
        QList<QStringList> rows;
        const int count = KvLayerUtility().getAllLayerDate(rows);
        // Rows are read with value() below, so a short snapshot fails instead of crashing.
        [&] { QCOMPARE(count, expectedCount); }();
        [&] { QCOMPARE(rows.size(), expectedCount); }();
        return rows;
    }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        db = drawing->db.get();
        kvSetSysVarReadable(L"LWUNITS", true);
    }

    void cleanup()
    {
        drawing.reset();
        db = nullptr;
    }

    void row_data()
    {
        QTest::addColumn<DkDbLayerSpec>("layerSpec");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("a frozen, locked, off layer reads false three times")
            << layer(L"L", [](DkDbLayerSpec& s) { s.on = false, s.frozen = s.locked = true; })
            << plainRow({{On, "false"}, {Thawed, "false"}, {Unlocked, "false"}});
        QTest::newRow("only the freeze column turns for a frozen layer")
            << layer(L"L", [](DkDbLayerSpec& s) { s.frozen = true; }) << plainRow({{Thawed, "false"}});
        QTest::newRow("only the lock column turns for a locked layer")
            << layer(L"L", [](DkDbLayerSpec& s) { s.locked = true; }) << plainRow({{Unlocked, "false"}});
        QTest::newRow("a layer that does not plot and freezes in new viewports")
            << layer(L"L", [](DkDbLayerSpec& s) { s.plottable = false, s.frozenInNewViewports = true; })
            << plainRow({{Plottable, "false"}, {NewViewportFrozen, "true"}});
        QTest::newRow("a red index color carries its name and components")
            << colored({}, 1) << plainRow({{Color, "ll*red;255,0,0"}});
        QTest::newRow("an index without a name shows the number")
            << colored({}, 42) << plainRow({{Color, "ll*42;255,255,255"}});
        QTest::newRow("a true color shows its components twice")
            << colored({12, 34, 56}) << plainRow({{Color, "ll*12,34,56;12,34,56"}});
        QTest::newRow("black is three zeros") << colored({0, 0, 0}) << plainRow({{Color, "ll*0,0,0;0,0,0"}});
        QTest::newRow("a color book name beyond the BMP is kept whole")
            << colored({1, 2, 3}, 0, L"Book \U0001F3A8")
            << plainRow({{Color, QString::fromUcs4(U"ll*Book \U0001F3A8;1,2,3")}});
        QTest::newRow("names, linetype, lineweight, plot style and description are read as text")
            << layer(L"Dims \U0001D11E", [](DkDbLayerSpec& s) {
                   s.linetype = L"DASHED", s.lineWeight = 25, s.plotStyleName = L"Style \u00e9";
                   s.description = L"Cotes \u2013 \U0001F4D0";
               })
            << plainRow({{Name, QString::fromUcs4(U"Dims \U0001D11E")}, {Linetype, "DASHED"},
                         {LineWeight, "0.25 mm"}, {PlotStyle, QString::fromUcs4(U"Style \u00e9")},
                         {Description, QString::fromUcs4(U"Cotes \u2013 \U0001F4D0")}});
    }

    void row()
    {
        QFETCH(DkDbLayerSpec, layerSpec);
        QFETCH(QStringList, row);
        db->addLayer(layerSpec);
        const QList<QStringList> rows = take(2);
        QCOMPARE(rows.value(0), plainRow({{Current, "true"}, {Name, "0"}}));
        QCOMPARE(rows.value(1), row);
        QCOMPARE(pCurDb, db);
        drawing->verifyNothingOpen();
    }

    void rowsAreAppendedInTableOrderAndOnlyTheCurrentIsMarked()
    {
        for (const wchar_t* name : {L"Zeta", L"alpha", L"Beta", L"Gamma"})
            db->addLayer(layer(name));
        db->eraseLayer(db->layerId(L"alpha"));
        db->setRefuseOpen(db->layerId(L"Beta"), true);
        QCOMPARE(db->setClayer(db->layerId(L"Gamma")), Dk::eOk);

        QList<QStringList> rows{{QStringLiteral("from before")}};
        QCOMPARE(KvLayerUtility().getAllLayerDate(rows), 3);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.value(0), QStringList{QStringLiteral("from before")});
        QStringList names, current;
        for (int i = 1; i < rows.size(); ++i)
            names << rows[i].value(Name), current << rows[i].value(Current);
        QCOMPARE(names, QStringList({"0", "Zeta", "Gamma"}));
        QCOMPARE(current, QStringList({"false", "false", "true"}));
        drawing->verifyNothingOpen();
    }

    void lineweightColumnFollowsTheUnits()
    {
        db->addLayer(layer(L"L", [](DkDbLayerSpec& s) { s.lineWeight = 25; }));
        db->addLayer(layer(L"ByLayer", [](DkDbLayerSpec& s) { s.lineWeight = -1; }));
        kvSetSysVar(L"LWUNITS", 0);
        const QList<QStringList> rows = take(3);
        QCOMPARE(rows.value(1).value(LineWeight), QStringLiteral("0.010 \""));
        QCOMPARE(rows.value(2).value(LineWeight), QStringLiteral("Layer"));
    }

    void aLinetypeThatWillNotOpenLeavesItsColumnEmpty()
    {
        db->addLayer(layer(L"L", [](DkDbLayerSpec& s) { s.linetype = L"HIDDEN"; }));
        db->setRefuseOpen(db->linetypeId(L"HIDDEN"), true);
        const QList<QStringList> rows = take(2);
        QCOMPARE(rows.value(0).value(Linetype), QStringLiteral("Continuous"));
        QCOMPARE(rows.value(1), plainRow({{Linetype, ""}}));
        drawing->verifyNothingOpen();
    }

    void viewportFreeze()
    {
        db->addLayer(layer(L"A"));
        db->addLayer(layer(L"B"));
        db->setFrozenInCurrentViewport(db->layerId(L"A"), true);
        QList<QStringList> rows = take(3);
        QCOMPARE(rows.value(1).value(ViewportFrozen), QStringLiteral("true"));
        QCOMPARE(rows.value(2).value(ViewportFrozen), QStringLiteral("false"));
        drawing->verifyNothingOpen();

        // A viewport that cannot be opened reads as "not frozen" for every layer.
        db->setRefuseOpen(db->currentViewportId(), true);
        rows = take(3);
        for (const QStringList& row : rows)
            QCOMPARE(row.value(ViewportFrozen), QStringLiteral("false"));
        drawing->verifyNothingOpen();
    }
};

KVCC_TEST_MAIN(TestLayerSnapshot)
#include "tst_layersnapshot.moc"
