#include "kvcctest.h"
#include "testdrawing.h"

#include <kvlayerutility.h>

#include <climits>
#include <functional>

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

using Edit = std::function<void(DkDbLayerProperties&)>;

// A layer "L" in the given color, its index and book name set when given.
Edit colored(DkCmColor c, int index = 0, const std::wstring& bookName = {})
{
    if (index)
        c.setColorIndex(index);
    if (!bookName.empty())
        c.setDisplayName(bookName);
    return [c](DkDbLayerProperties& s) { s.color = c; };
}

} // namespace

Q_DECLARE_METATYPE(Edit)

// Reads drawings built in the stand-in host into the 13-column text rows of
// the layer manager, and turns lineweights into their display texts.
class TestLayerSnapshot : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;

    void addLayer(const std::wstring& name, const Edit& edit = [](DkDbLayerProperties&) {})
    {
        DkDbLayerProperties layerProps;
        layerProps.name = name;
        edit(layerProps);
        drawing->db->addLayer(layerProps);
    }

    QList<QStringList> take(int expectedCount)
    {
        QList<QStringList> rows;
        const int count = KvLayerUtility().getAllLayerDate(rows);
        // Rows are read with value(), so a short snapshot fails instead of crashing.
        [&] { QCOMPARE(count, expectedCount); }();
        [&] { QCOMPARE(rows.size(), expectedCount); }();
        return rows;
    }

private slots:
    void init() { drawing = std::make_unique<TestDrawing>(); }
    void cleanup() { drawing.reset(); }

    void row_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("a frozen, locked, off layer reads false three times")
            << Edit([](DkDbLayerProperties& s) { s.on = false, s.frozen = s.locked = true; })
            << plainRow({{On, "false"}, {Thawed, "false"}, {Unlocked, "false"}});
        QTest::newRow("only the freeze column turns") << Edit([](DkDbLayerProperties& s) { s.frozen = true; }) << plainRow({{Thawed, "false"}});
        QTest::newRow("only the lock column turns") << Edit([](DkDbLayerProperties& s) { s.locked = true; }) << plainRow({{Unlocked, "false"}});
        QTest::newRow("a layer that does not plot and freezes in new viewports")
            << Edit([](DkDbLayerProperties& s) { s.plottable = false, s.frozenInNewViewports = true; })
            << plainRow({{Plottable, "false"}, {NewViewportFrozen, "true"}});
        QTest::newRow("a red index color carries its name and components") << colored({}, 1) << plainRow({{Color, "ll*red;255,0,0"}});
        QTest::newRow("an index without a name shows the number") << colored({}, 42) << plainRow({{Color, "ll*42;255,255,255"}});
        QTest::newRow("a true color shows its components twice") << colored({12, 34, 56}) << plainRow({{Color, "ll*12,34,56;12,34,56"}});
        QTest::newRow("black is three zeros") << colored({0, 0, 0}) << plainRow({{Color, "ll*0,0,0;0,0,0"}});
        QTest::newRow("a color book name beyond the BMP is kept whole")
            << colored({1, 2, 3}, 0, L"Book \U0001F3A8")
            << plainRow({{Color, QString::fromUcs4(U"ll*Book \U0001F3A8;1,2,3")}});
        QTest::newRow("names, linetype, lineweight, plot style and description are read as text")
            << Edit([](DkDbLayerProperties& s) {
                   s.name = L"Dims \U0001D11E", s.linetype = L"DASHED", s.lineWeight = 25;
                   s.plotStyleName = L"Style \u00e9", s.description = L"Cotes \u2013 \U0001F4D0";
               })
            << plainRow({{Name, QString::fromUcs4(U"Dims \U0001D11E")}, {Linetype, "DASHED"},
                         {LineWeight, "0.25 mm"}, {PlotStyle, QString::fromUcs4(U"Style \u00e9")},
                         {Description, QString::fromUcs4(U"Cotes \u2013 \U0001F4D0")}});
        QTest::newRow("a by-layer lineweight reads Layer") << Edit([](DkDbLayerProperties& s) { s.lineWeight = -1; }) << plainRow({{LineWeight, "Layer"}});
    }

    void row()
    {
        QFETCH(Edit, edit);
        addLayer(L"L", edit);
        const QList<QStringList> rows = take(2);
        QCOMPARE(rows.value(0), plainRow({{Current, "true"}, {Name, "0"}}));
        QTEST(rows.value(1), "row");
        QCOMPARE(pCurDb, drawing->db.get());
        drawing->verifyNothingOpen();
    }

    void rowsAreAppendedInTableOrderAndOnlyTheCurrentIsMarked()
    {
        for (const wchar_t* name : {L"Zeta", L"alpha", L"Beta", L"Gamma"})
            addLayer(name);
        drawing->db->eraseLayer(drawing->id(QStringLiteral("alpha")));
        drawing->db->setRefuseOpen(drawing->id(QStringLiteral("Beta")), true);
        drawing->makeCurrent(QStringLiteral("Gamma"));

        QList<QStringList> rows{{QStringLiteral("from before")}};
        QCOMPARE(KvLayerUtility().getAllLayerDate(rows), 3);
        QStringList names, current;
        for (const QStringList& row : rows)
            names << row.value(Name), current << row.value(Current);
        QCOMPARE(names, QStringList({"", "0", "Zeta", "Gamma"}));
        QCOMPARE(current, QStringList({"from before", "false", "false", "true"}));
        drawing->verifyNothingOpen();
    }

    void lineweightIsShownInInchesWhenTheUnitsSaySo()
    {
        addLayer(L"L", [](DkDbLayerProperties& s) { s.lineWeight = 25; });
        kvSetSysVar(L"LWUNITS", 0);
        QCOMPARE(take(2).value(1).value(LineWeight), QStringLiteral("0.010 \""));
    }

    void aLinetypeThatWillNotOpenLeavesItsColumnEmpty()
    {
        addLayer(L"L", [](DkDbLayerProperties& s) { s.linetype = L"HIDDEN"; });
        drawing->db->setRefuseOpen(drawing->db->linetypeId(L"HIDDEN"), true);
        const QList<QStringList> rows = take(2);
        QCOMPARE(rows.value(0).value(Linetype), QStringLiteral("Continuous"));
        QCOMPARE(rows.value(1), plainRow({{Linetype, ""}}));
        drawing->verifyNothingOpen();
    }

    // A viewport that cannot be opened reads as "not frozen" for every layer.
    void viewportFreezeIsReadFromTheCurrentViewport()
    {
        addLayer(L"A");
        addLayer(L"B");
        drawing->db->setFrozenInCurrentViewport(drawing->id(QStringLiteral("A")), true);
        auto frozenColumn = [this] {
            QStringList column;
            for (const QStringList& row : take(3))
                column << row.value(ViewportFrozen);
            return column;
        };
        QCOMPARE(frozenColumn(), QStringList({"false", "true", "false"}));
        drawing->db->setRefuseOpen(drawing->db->currentViewportId(), true);
        QCOMPARE(frozenColumn(), QStringList({"false", "false", "false"}));
        drawing->verifyNothingOpen();
    }

    void everyIndexReadsItsTableEntryAndPastTheEndIsMinusOne()
    {
        const QVector<int> table{0,  5,  9,   13,  15,  18,  20,  25,  30, 35, 40, 50, 53, 60, 70, 80,
                                 90, 100, 106, 120, 140, 158, 200, 211, -1, -1, -1, -1, -1, -1, -2, -3};
        QVector<int> read;
        for (int i = 0; i < 32; ++i)
            read << ::lineWeightByIndex(char(i));
        QCOMPARE(read, table);
        QCOMPARE(::lineWeightByIndex(char(32)), -1);
        QCOMPARE(::lineWeightByIndex(char(-128)), -1); // a negative char counts as 128
    }

    void textFollowsTheUnits_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("byIndex");
        QTest::addColumn<int>("lwunits"); // -1: the variable cannot be read
        QTest::addColumn<QString>("text");
        QTest::newRow("25 in millimetres") << 25 << false << 1 << "0.25 mm";
        QTest::newRow("25 in inches") << 25 << false << 0 << "0.010 \"";
        QTest::newRow("0 in inches keeps three decimals") << 0 << false << 0 << "0.000 \"";
        QTest::newRow("2540 is exactly one inch") << 2540 << false << 0 << "1.000 \"";
        QTest::newRow("any LWUNITS other than 1 means inches") << 100 << false << 7 << "0.039 \"";
        QTest::newRow("an unreadable LWUNITS means millimetres") << 100 << false << -1 << "1.00 mm";
        QTest::newRow("-3 is Default") << -3 << false << 0 << "Default";
        QTest::newRow("-2 is Block") << -2 << false << 0 << "Block";
        QTest::newRow("-1 is Layer") << -1 << false << 1 << "Layer";
        QTest::newRow("another negative value is a length") << -4 << false << 1 << "-0.04 mm";
        QTest::newRow("the largest int is formatted in single precision") << INT_MAX << false << 1 << "21474836.00 mm";
        QTest::newRow("the smallest int in inches") << INT_MIN << false << 0 << "-845466.000 \"";
        QTest::newRow("index 7 reads as 25 in inches") << 7 << true << 0 << "0.010 \"";
        QTest::newRow("an index past the table reads as Layer") << 40 << true << 1 << "Layer";
        QTest::newRow("only the low byte of an index counts") << -225 << true << 1 << "Default";
    }

    void textFollowsTheUnits()
    {
        QFETCH(int, value);
        QFETCH(bool, byIndex);
        QFETCH(int, lwunits);
        kvSetSysVar(L"LWUNITS", static_cast<short>(qMax(lwunits, 0)));
        kvSetSysVarReadable(L"LWUNITS", lwunits >= 0);
        QTEST(StringByLineWeight(value, byIndex), "text");
    }
};

KVCC_TEST_MAIN(TestLayerSnapshot)
#include "tst_layersnapshot.moc"
