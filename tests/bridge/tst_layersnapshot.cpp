#include "kvcctest.h"

#include <kvlayerutility.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <memory>

namespace {

// Columns of one snapshot row.
enum Column {
    Current, Name, On, Thawed, Unlocked, Color, Linetype, LineWeight, PlotStyle, Plottable,
    NewViewportFrozen, ViewportFrozen, Description, ColumnCount
};

} // namespace

// Reads drawings built in the stand-in host into the 13-column text rows of
// the layer manager.
class TestLayerSnapshot : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DkDbDatabase> db;

    QList<QStringList> take(int expectedCount)
    {
        QList<QStringList> rows;
        const int count = KvLayerUtility().getAllLayerDate(rows);
        // Rows are read with value() below, so a short snapshot fails instead of crashing.
        [&] { QCOMPARE(count, expectedCount); }();
        [&] { QCOMPARE(rows.size(), expectedCount); }();
        return rows;
    }

    void verifyNothingOpen()
    {
        QCOMPARE(db->openObjectCount(), 0);
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(dkutOutstandingBuffers(), 0LL);
    }

private slots:
    void init()
    {
        db = std::make_unique<DkDbDatabase>();
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        kvSetSysVar(L"LWUNITS", 1);
        kvSetSysVarReadable(L"LWUNITS", true);
    }

    void cleanup()
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(nullptr);
        db.reset();
        kvSetSysVar(L"LWUNITS", 1);
    }

    void aDrawingWithOneLayerGivesOneFullRow()
    {
        const QList<QStringList> rows = take(1);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.value(0).size(), int(ColumnCount));
        QCOMPARE(rows.value(0), QStringList({"true", "0", "true", "true", "true", "ll*white;255,255,255",
                                          "Continuous", "Default", "Color_7", "true", "false", "false",
                                          ""}));
        QCOMPARE(pCurDb, db.get());
        verifyNothingOpen();
    }

    void flags_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("frozen");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("plottable");
        QTest::addColumn<bool>("vpdflt");
        QTest::addColumn<QStringList>("texts"); // columns 2, 3, 4, 9, 10
        QTest::newRow("a frozen, locked, off layer reads false three times")
            << false << true << true << true << false
            << QStringList({"false", "false", "false", "true", "false"});
        QTest::newRow("a thawed, unlocked, on layer reads true three times")
            << true << false << false << true << false
            << QStringList({"true", "true", "true", "true", "false"});
        QTest::newRow("only the freeze column turns for a frozen layer")
            << true << true << false << true << false
            << QStringList({"true", "false", "true", "true", "false"});
        QTest::newRow("only the lock column turns for a locked layer")
            << true << false << true << true << false
            << QStringList({"true", "true", "false", "true", "false"});
        QTest::newRow("a layer that does not plot and freezes in new viewports")
            << true << false << false << false << true
            << QStringList({"true", "true", "true", "false", "true"});
    }

    void flags()
    {
        QFETCH(bool, on);
        QFETCH(bool, frozen);
        QFETCH(bool, locked);
        QFETCH(bool, plottable);
        QFETCH(bool, vpdflt);
        QFETCH(QStringList, texts);
        DkDbLayerSpec spec;
        spec.name = L"L";
        spec.on = on;
        spec.frozen = frozen;
        spec.locked = locked;
        spec.plottable = plottable;
        spec.frozenInNewViewports = vpdflt;
        db->addLayer(spec);

        const QStringList row = take(2).value(1);
        QCOMPARE(QStringList({row.value(On), row.value(Thawed), row.value(Unlocked), row.value(Plottable),
                              row.value(NewViewportFrozen)}),
                 texts);
        verifyNothingOpen();
    }

    void colorText_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("rgb");
        QTest::addColumn<QString>("text");
        QTest::newRow("a red index color carries its name and components")
            << 1 << QColor() << "ll*red;255,0,0";
        QTest::newRow("an index without a name shows the number") << 42 << QColor() << "ll*42;255,255,255";
        QTest::newRow("a true color shows its components twice")
            << 0 << QColor(12, 34, 56) << "ll*12,34,56;12,34,56";
        QTest::newRow("black is three zeros") << 0 << QColor(0, 0, 0) << "ll*0,0,0;0,0,0";
    }

    void colorText()
    {
        QFETCH(int, index);
        QFETCH(QColor, rgb);
        QFETCH(QString, text);
        DkDbLayerSpec spec;
        spec.name = L"L";
        if (index > 0)
            spec.color.setColorIndex(index);
        else
            spec.color = DkCmColor(rgb.red(), rgb.green(), rgb.blue());
        db->addLayer(spec);
        const QString color = take(2).value(1).value(Color);
        QCOMPARE(color, text);
        QVERIFY(color.startsWith(QLatin1String("ll*")));
    }

    void colorNameBeyondTheBmp()
    {
        DkDbLayerSpec spec;
        spec.name = L"L";
        spec.color = DkCmColor(1, 2, 3);
        spec.color.setDisplayName(L"Book \U0001F3A8");
        db->addLayer(spec);
        QCOMPARE(take(2).value(1).value(Color), QString::fromUcs4(U"ll*Book \U0001F3A8;1,2,3"));
    }

    void textColumns()
    {
        DkDbLayerSpec spec;
        spec.name = L"Dims \U0001D11E";
        spec.linetype = L"DASHED";
        spec.lineWeight = 25;
        spec.plotStyleName = L"Style \u00e9";
        spec.description = L"Cotes \u2013 \U0001F4D0";
        db->addLayer(spec);
        const QStringList row = take(2).value(1);
        QCOMPARE(row.value(Current), QStringLiteral("false"));
        QCOMPARE(row.value(Name), QString::fromUcs4(U"Dims \U0001D11E"));
        QCOMPARE(row.value(Linetype), QStringLiteral("DASHED"));
        QCOMPARE(row.value(LineWeight), QStringLiteral("0.25 mm"));
        QCOMPARE(row.value(PlotStyle), QString::fromUcs4(U"Style \u00e9"));
        QCOMPARE(row.value(Description), QString::fromUcs4(U"Cotes \u2013 \U0001F4D0"));
        verifyNothingOpen();
    }

    void lineweightColumnFollowsTheUnits()
    {
        DkDbLayerSpec spec;
        spec.name = L"L";
        spec.lineWeight = 25;
        db->addLayer(spec);
        spec.name = L"ByLayer";
        spec.lineWeight = -1;
        db->addLayer(spec);
        kvSetSysVar(L"LWUNITS", 0);
        const QList<QStringList> rows = take(3);
        QCOMPARE(rows.value(1).value(LineWeight), QStringLiteral("0.010 \""));
        QCOMPARE(rows.value(2).value(LineWeight), QStringLiteral("Layer"));
    }

    void aLinetypeThatWillNotOpenLeavesItsColumnEmpty()
    {
        DkDbLayerSpec spec;
        spec.name = L"L";
        spec.linetype = L"HIDDEN";
        db->addLayer(spec);
        db->setRefuseOpen(db->linetypeId(L"HIDDEN"), true);
        const QList<QStringList> rows = take(2);
        QCOMPARE(rows.value(0).value(Linetype), QStringLiteral("Continuous"));
        QCOMPARE(rows.value(1).value(Linetype), QString());
        QCOMPARE(rows.value(1).value(Name), QStringLiteral("L"));
        verifyNothingOpen();
    }

    void onlyTheCurrentLayerIsMarkedCurrent()
    {
        DkDbLayerSpec spec;
        spec.name = L"A";
        db->addLayer(spec);
        spec.name = L"B";
        const DkDbObjectId b = db->addLayer(spec);
        QCOMPARE(db->setClayer(b), Dk::eOk);
        const QList<QStringList> rows = take(3);
        QStringList current;
        for (const QStringList& row : rows)
            current << row.value(Current);
        QCOMPARE(current, QStringList({"false", "false", "true"}));
    }

    void viewportFreeze()
    {
        DkDbLayerSpec spec;
        spec.name = L"A";
        const DkDbObjectId a = db->addLayer(spec);
        spec.name = L"B";
        db->addLayer(spec);
        db->setFrozenInCurrentViewport(a, true);
        QList<QStringList> rows = take(3);
        QCOMPARE(rows.value(1).value(ViewportFrozen), QStringLiteral("true"));
        QCOMPARE(rows.value(2).value(ViewportFrozen), QStringLiteral("false"));
        verifyNothingOpen();

        // A viewport that cannot be opened reads as "not frozen" for every layer.
        db->setRefuseOpen(db->currentViewportId(), true);
        rows = take(3);
        for (const QStringList& row : rows)
            QCOMPARE(row.value(ViewportFrozen), QStringLiteral("false"));
        verifyNothingOpen();
    }

    void rowsAreAppendedInTableOrder()
    {
        for (const wchar_t* name : {L"Zeta", L"alpha", L"Beta"}) {
            DkDbLayerSpec spec;
            spec.name = name;
            db->addLayer(spec);
        }
        db->eraseLayer(db->layerId(L"alpha"));
        db->setRefuseOpen(db->layerId(L"Beta"), true);

        QList<QStringList> rows{{QStringLiteral("from before")}};
        QCOMPARE(KvLayerUtility().getAllLayerDate(rows), 2);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.value(0), QStringList{QStringLiteral("from before")});
        QCOMPARE(rows.value(1).value(Name), QStringLiteral("0"));
        QCOMPARE(rows.value(2).value(Name), QStringLiteral("Zeta"));
        verifyNothingOpen();
    }

    void noDrawing_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("no services object") << 0;
        QTest::newRow("no drawing open") << 1;
        QTest::newRow("a layer table that will not open") << 2;
        QTest::newRow("no iterator over the layer table") << 3;
    }

    void noDrawing()
    {
        QFETCH(int, failure);
        switch (failure) {
        case 0:
            s_pServices = nullptr;
            break;
        case 1:
            s_pServices->setWorkingDatabase(nullptr);
            break;
        case 2:
            db->setLayerTableRefused(true);
            break;
        default:
            db->setLayerIteratorRefused(true);
            break;
        }
        QList<QStringList> rows{{QStringLiteral("untouched")}};
        QCOMPARE(KvLayerUtility().getAllLayerDate(rows), 0);
        QCOMPARE(rows, QList<QStringList>{{QStringLiteral("untouched")}});
        verifyNothingOpen();
    }
};

KVCC_TEST_MAIN(TestLayerSnapshot)
#include "tst_layersnapshot.moc"
