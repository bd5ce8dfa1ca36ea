#include "kvcctest.h"

#include "drawingcanvas.h"
#include "drawingdocument.h"
#include "dxfimport.h"
#include "dxfwriter.h"
#include "mainwindow.h"
#include "spatialgrid.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>

using namespace Demo;

namespace {

// Layers "0", "Red" (red) and "Own" (blue) with the flags and colors given,
// a block "Door" (a line on layer "0", a by-block circle on "Own"), a block
// "Frame" holding a reference to "Door", a dimension's block "*D1" (a line
// and an arrow), and then entities.
DxfWriter blockDrawing(int redFlags = 0, int redColor = 1, int ownFlags = 0)
{
    DxfWriter w;
    w.header("AC1015").beginLayerTable().layer("0", 0, 7).layer("Red", redFlags, redColor).layer("Own", ownFlags, 5);
    w.endLayerTable().pair(0, "SECTION").pair(2, "BLOCKS").beginBlock("Door").line("0", 0, 0, 4, 0);
    w.circle("Own", 2, 2, 1).pair(62, "0").endBlock().beginBlock("Frame").insert("0", "Door", 0, 0).endBlock();
    w.beginBlock("*D1").line("0", 0, 0, 10, 0).pair(0, "SOLID").pair(8, "0").pair(10, 0.0).pair(20, 0.0);
    w.pair(11, 2.0).pair(21, 0.2).pair(12, 2.0).pair(22, -0.2).endBlock().endSection().beginEntities();
    return w;
}

// What a canvas draws of a drawing, one primitive a line: kind, color and
// middle in drawing units, sorted.
QStringList drawnBy(const QByteArray& dxf, int line = __builtin_LINE())
{
    const DxfImportResult r = DxfImport::readData(dxf);
    if (!r.ok)
        QTest::qFail(qPrintable(r.error), __FILE__, line);
    DrawingDocument doc;
    doc.load(r.drawing);
    DrawingCanvas canvas;
    canvas.resize(400, 300);
    canvas.setDocument(&doc);
    canvas.setRecording(true);
    canvas.grab();
    static const char* const kinds[] = {"Line", "Polyline", "Circle", "Arc", "Point", "Text", "Insert", "Fill"};
    QStringList out;
    for (const DrawnPrimitive& p : canvas.drawnPrimitives()) {
        const QPoint at = canvas.toScreen().inverted().map(p.box.center()).toPoint();
        out << QStringLiteral("%1 %2 %3,%4").arg(kinds[p.kind], p.color.name()).arg(at.x()).arg(at.y());
    }
    out.sort();
    return out;
}

} // namespace

class TestDrawingView : public QObject
{
    Q_OBJECT

private slots:
    // A query returns every box that meets the area, once each, in order.
    void gridQueriesFindWhatMeetsTheArea()
    {
        QRandomGenerator random(7);
        QVector<QRectF> boxes;
        for (int i = 0; i < 3000; ++i) {
            const double most = i % 50 ? 20.0 : 900.0; // some span many cells
            boxes << QRectF(random.bounded(1000.0), random.bounded(1000.0), random.bounded(most), random.bounded(most));
        }
        const SpatialGrid grid(boxes);
        for (int q = 0; q < 50; ++q) {
            const QRectF area(random.bounded(1000.0), random.bounded(1000.0), random.bounded(90.0), random.bounded(90.0));
            bool all = true;
            const QVector<int> found = grid.query(area, all);
            QVERIFY(!all);
            QVERIFY(std::adjacent_find(found.begin(), found.end(), std::greater_equal<int>()) == found.end());
            for (int i = 0; i < boxes.size(); ++i)
                QVERIFY(!boxes.at(i).intersects(area) || std::binary_search(found.begin(), found.end(), i));
        }
    }

    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }

    void blocksAreDrawnAsCadProgramsDrawThem_data()
    {
        QTest::addColumn<QByteArray>("dxf");
        QTest::addColumn<QStringList>("drawn");
        const auto door = [](DxfWriter w, const QByteArray& block = "Door") {
            return w.insert("Red", block, 10, 0).pair(62, "3");
        };
        const auto done = [](DxfWriter& w) { return w.endSection().end().data(); };
        const QStringList plain = {"Circle #00ff00 12,2", "Line #ff0000 12,0"};
        DxfWriter w = door(blockDrawing());
        QTest::newRow("a layer-0 line takes the reference's layer, a by-block circle its color") << done(w) << plain;
        w = door(blockDrawing(1));
        QTest::newRow("a reference on a frozen layer hides the whole block") << done(w) << QStringList();
        w = door(blockDrawing(0, -1));
        QTest::newRow("a reference on a layer that is off hides its layer-0 entities only")
            << done(w) << QStringList({"Circle #00ff00 12,2"});
        w = door(blockDrawing(0, 1, 1));
        QTest::newRow("an entity on its own frozen layer stays hidden") << done(w) << QStringList({"Line #ff0000 12,0"});
        w = door(blockDrawing()).pair(41, -1.0);
        QTest::newRow("a negative scale mirrors the block") << done(w) << QStringList({"Circle #00ff00 8,2", "Line #ff0000 8,0"});
        w = door(blockDrawing()).pair(41, 2.0).pair(42, 2.0).pair(50, 90.0);
        QTest::newRow("a scaled and turned reference") << done(w) << QStringList({"Circle #00ff00 6,4", "Line #ff0000 10,4"});
        w = door(blockDrawing()).pair(70, "2").pair(71, "2").pair(44, 10.0).pair(45, 20.0);
        QTest::newRow("an array draws every cell")
            << done(w) << QStringList({"Circle #00ff00 12,2", "Circle #00ff00 12,22", "Circle #00ff00 22,2", "Circle #00ff00 22,22",
                                       "Line #ff0000 12,0", "Line #ff0000 12,20", "Line #ff0000 22,0", "Line #ff0000 22,20"});
        w = blockDrawing().insert("Red", "Frame", 10, 0);
        QTest::newRow("a nested layer-0 reference passes on the outer reference's layer")
            << done(w) << QStringList({"Circle #ff0000 12,2", "Line #ff0000 12,0"});
    }

    void blocksAreDrawnAsCadProgramsDrawThem()
    {
        QFETCH(QByteArray, dxf);
        QFETCH(QStringList, drawn);
        QCOMPARE(drawnBy(dxf), drawn);
    }

    void theOtherCommonEntitiesAreDrawn()
    {
        DxfWriter w = blockDrawing();
        w.pair(0, "DIMENSION").pair(8, "Red").pair(2, "*D1").pair(70, "0");
        // A solid hatch bounded by a polyline, a pattern hatch by four line edges.
        w.pair(0, "HATCH").pair(8, "Red").pair(2, "SOLID").pair(70, "1").pair(91, "1").pair(92, "2").pair(72, "0");
        w.pair(73, "1").pair(93, "4");
        for (const QPointF& p : {QPointF(20, 0), QPointF(24, 0), QPointF(24, 4), QPointF(20, 4)})
            w.pair(10, p.x()).pair(20, p.y());
        w.pair(0, "HATCH").pair(8, "Red").pair(2, "ANSI31").pair(70, "0").pair(91, "1").pair(92, "1").pair(93, "4");
        const QPointF square[] = {QPointF(30, 0), QPointF(34, 0), QPointF(34, 4), QPointF(30, 4)};
        for (int i = 0; i < 4; ++i)
            w.pair(72, "1").pair(10, square[i].x()).pair(20, square[i].y()).pair(11, square[(i + 1) % 4].x()).pair(21, square[(i + 1) % 4].y());
        w.pair(0, "ELLIPSE").pair(8, "Red").pair(10, 40.0).pair(20, 0.0).pair(11, 4.0).pair(21, 0.0).pair(40, 0.5);
        w.pair(41, 0.0).pair(42, 6.283185307);
        w.pair(0, "SPLINE").pair(8, "Red").pair(71, "2").pair(72, "6").pair(73, "3");
        for (double k : {0, 0, 0, 1, 1, 1})
            w.pair(40, k);
        w.pair(10, 50.0).pair(20, 0.0).pair(10, 52.0).pair(20, 4.0).pair(10, 54.0).pair(20, 0.0);
        w.pair(0, "LWPOLYLINE").pair(8, "Red").pair(90, "2").pair(10, 60.0).pair(20, 0.0).pair(42, 1.0).pair(10, 64.0).pair(20, 0.0);
        w.pair(0, "LEADER").pair(8, "Red").pair(71, "1").pair(76, "2").pair(10, 70.0).pair(20, 0.0).pair(10, 74.0).pair(20, 4.0);
        w.pair(0, "3DFACE").pair(8, "Red").pair(10, 80.0).pair(20, 0.0).pair(11, 84.0).pair(21, 0.0).pair(12, 84.0);
        w.pair(22, 4.0).pair(13, 80.0).pair(23, 4.0);
        w.pair(0, "TRACE").pair(8, "Red").pair(10, 90.0).pair(20, 0.0).pair(11, 94.0).pair(21, 0.0).pair(12, 90.0);
        w.pair(22, 4.0).pair(13, 94.0).pair(23, 4.0);
        w.pair(0, "MULTILEADER").pair(8, "Red").pair(300, "CONTEXT_DATA{").pair(140, 1.0).pair(302, "LEADER{");
        w.pair(10, 104.0).pair(20, 4.0).pair(11, 1.0).pair(21, 0.0).pair(40, 2.0).pair(304, "LEADER_LINE{").pair(10, 100.0);
        w.pair(20, 0.0).pair(305, "}").pair(303, "}").pair(301, "}");
        QCOMPARE(drawnBy(w.endSection().end().data()),
                 QStringList({"Fill #ff0000 1,0", "Fill #ff0000 100,0", "Fill #ff0000 22,2", "Fill #ff0000 32,2", "Fill #ff0000 70,0",
                              "Fill #ff0000 92,2", "Line #ff0000 5,0", "Polyline #ff0000 103,2", "Polyline #ff0000 40,0", "Polyline #ff0000 52,1",
                              "Polyline #ff0000 62,-1", "Polyline #ff0000 72,2", "Polyline #ff0000 82,2"}));
    }

    void aMultileaderTextIsFramedWhenTheEntitySaysSo()
    {
        for (const char* framed : {"0", "1"}) {
            DxfWriter w = blockDrawing();
            w.pair(0, "MULTILEADER").pair(8, "Red").pair(300, "CONTEXT_DATA{").pair(145, 2.0).pair(304, "Note");
            w.pair(12, 0.0).pair(22, 0.0).pair(41, 3.0).pair(292, "1").pair(301, "}").pair(292, framed);
            const QStringList drawn = drawnBy(w.endSection().end().data());
            // The frame stands evenly around the text's lines.
            const QStringList texts = drawn.filter(QStringLiteral("Text #ff0000"));
            QCOMPARE(texts.size(), 1);
            const QString frame = QString(texts.first()).replace(QStringLiteral("Text"), QStringLiteral("Polyline"));
            QCOMPARE(drawn.contains(frame), *framed == '1');
        }
    }

    void badInputIsDrawnAsFarAsItGoesInBoundedTime_data()
    {
        QTest::addColumn<QByteArray>("dxf");
        QTest::addColumn<QString>("said"); // in the notes or the counts of what is not drawn
        const auto entities = [](const QByteArray& blocks) {
            DxfWriter w;
            w.beginLayerTable().layer("0", 0, 7).endLayerTable().pair(0, "SECTION").pair(2, "BLOCKS");
            for (const QByteArray& name : blocks.split(' '))
                w.beginBlock(name.left(1)).line("0", 0, 0, 1, 1).insert("0", name.mid(1), 0.5, 0.5).insert("0", name.mid(1), 1, 0).endBlock();
            return w.endSection().beginEntities();
        };
        const auto done = [](DxfWriter w) { return w.endSection().end().data(); };
        QTest::newRow("a block that inserts itself twice") << done(entities("AA").insert("0", "A", 0, 0)) << "inserts itself";
        QTest::newRow("blocks that insert each other") << done(entities("AB BA").insert("0", "A", 0, 0)) << "inserts itself";
        DxfWriter only;
        only.beginLayerTable().layer("0", 0, 7).endLayerTable().pair(0, "SECTION").pair(2, "BLOCKS").beginBlock("S");
        for (int i = 0; i < 10; ++i)
            only.insert("0", "S", 0, 0);
        only.endBlock().endSection().beginEntities().insert("0", "S", 0, 0).circle("0", 0, 0, 1);
        QTest::newRow("a block of nothing but ten references to itself") << done(only) << "inserts itself";
        QTest::newRow("a reference to a missing block") << done(entities("AZ").insert("0", "A", 0, 0)) << "not defined";
        QTest::newRow("an array of 10,000 by 10,000")
            << done(entities("AZ").insert("0", "A", 0, 0).pair(70, "10000").pair(71, "10000").pair(44, 2.0).pair(45, 2.0))
            << "of a missing block";
        QTest::newRow("a zero scale") << done(entities("AZ").insert("0", "A", 0, 0).pair(41, 0.0)) << "not defined";
        QTest::newRow("an enormous scale") << done(entities("AZ").insert("0", "A", 0, 0).pair(41, 1e14).pair(42, 1e14))
                                          << "not defined";
        DxfWriter w = entities("AZ");
        w.pair(0, "SPLINE").pair(8, "0").pair(71, "3").pair(72, "3").pair(40, 5.0).pair(40, 1.0).pair(40, -3.0);
        w.pair(10, 0.0).pair(20, 0.0).pair(10, 1.0).pair(20, 1.0).pair(0, "HATCH").pair(8, "0").pair(91, "3").pair(92, "1");
        w.pair(93, "9").pair(72, "1").pair(10, 0.0).pair(20, 0.0).pair(0, "HATCH").pair(8, "0").pair(91, "1000000");
        QTest::newRow("a spline with a bad knot vector and hatches with open or no boundaries")
            << done(w) << "HATCH without a shape";
    }

    void badInputIsDrawnAsFarAsItGoesInBoundedTime()
    {
        QFETCH(QByteArray, dxf);
        QFETCH(QString, said);
        const DxfImportResult r = DxfImport::readData(dxf);
        QVERIFY2(r.ok, qPrintable(r.error));
        const QString told = r.drawing.notes.join(' ') + QStringList(r.drawing.skipped.keys()).join(' ');
        QVERIFY2(told.contains(said), qPrintable(told));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!drawnBy(dxf).isEmpty());
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    }

    void aLayerHoldingBlocksOrHatchesOnlyIsNotDeleted()
    {
        DxfWriter w = blockDrawing();
        w.insert("Own", "Door", 0, 0).insert("Own", "Nowhere", 0, 0).pair(0, "HATCH").pair(8, "Own");
        w.pair(0, "LINE").pair(8, "Red").pair(67, "1");
        const DxfImportResult r = DxfImport::readData(w.endSection().end().data());
        DrawingDocument doc;
        doc.load(r.drawing);
        // The block's circle counts on "Own" where it is defined, the paper space line on "Red".
        QCOMPARE(doc.deleteLayer(QStringLiteral("Own")),
                 QStringLiteral("Layer \"Own\" holds 4 objects: 2 INSERT, 1 CIRCLE, 1 HATCH; it cannot be deleted."));
        QCOMPARE(doc.deleteLayer(QStringLiteral("Red")),
                 QStringLiteral("Layer \"Red\" holds 1 object: 1 LINE; it cannot be deleted."));
    }
};

KVCC_TEST_MAIN(TestDrawingView)
#include "tst_drawingview.moc"
