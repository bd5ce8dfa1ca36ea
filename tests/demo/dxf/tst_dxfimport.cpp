#include "kvcctest.h"

#include "acipalette.h"
#include "drawingdocument.h"
#include "dxfimport.h"
#include "dxftext.h"
#include "dxfwriter.h"
#include "lineweights.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

using namespace Demo;

namespace {

// Every field the reader fills in, one line per layer, in table order.
QStringList describe(const Drawing& d)
{
    QStringList lines;
    for (const DrawingLayer& l : d.layers)
        lines << QStringLiteral("%1 %2 %3 %4").arg(l.name, l.color.name(), l.linetype).arg(l.lineWeight)
                     + (l.on ? "" : " off") + (l.frozen ? " frozen" : "") + (l.locked ? " locked" : "")
                     + (l.plottable ? "" : " no plot");
    return lines;
}

// Reads data that must be taken; a refusal fails the test with its message.
DxfImportResult readChecked(const QByteArray& data, int line = __builtin_LINE())
{
    const DxfImportResult r = DxfImport::readData(data);
    if (!r.ok)
        QTest::qFail(qPrintable(r.error), __FILE__, line);
    return r;
}

QByteArray twoLayerDrawing()
{
    return DxfWriter().header("AC1015", "Walls").beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1)
        .endLayerTable().beginEntities().line("Walls", 0, 0, 10, 0).endSection().end().data();
}

} // namespace

class TestDxfImport : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }

    // The drawing's lineweight list is its own copy of the library's table.
    void lineWeightsAreTheLibrarys()
    {
        for (int w = 0; w <= 250; ++w)
            QCOMPARE(isStandardLineWeight(w), KvCc::standardLineWeights().contains(w));
    }

    void decodesText_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* version, const char* codePage, const QByteArray& raw,
                            const QString& expected) {
            QTest::newRow(name) << QByteArray(version) << QByteArray(codePage) << raw << expected;
        };
        row("files from 2007 on are UTF-8 whatever the code page says", "AC1021", "ANSI_1252",
            "\xEC\x88\x98\xEB\xA1\x9C", "수로");
        row("older files use their code page", "AC1015", "ANSI_1251", "\xCC\xE5\xE1\xE5\xEB\xFC", "Мебель");
        row("the Korean code page of older files", "AC1018", "ANSI_949", "\xBC\xF6\xB7\xCE", "수로");
        row("the Japanese code page of older files is Shift_JIS", "AC1015", "ANSI_932", "\x93\xFA\x96\x7B", "日本");
        row("older files without a code page are read as cp1252", "AC1009", "", "Stra\xDF" "e", "Straße");
        row("escapes are resolved in lower-case hex", "AC1015", "ANSI_1252", "Gr\\U+00fcn", "Grün");
        row("escapes mix with code page bytes", "AC1009", "ANSI_1252", "\\U+039B\\U+0391\xC4", "ΛΑÄ");
        row("a broken escape stays as written", "AC1015", "ANSI_1252", "a\\U+12G4", "a\\U+12G4");
        row("an escape cut off at the end stays as written", "AC1015", "ANSI_1252", "a\\U+12", "a\\U+12");
    }

    void decodesText()
    {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, codePage);
        QFETCH(QByteArray, raw);
        QFETCH(QString, expected);
        QCOMPARE(DxfText(version, codePage).decode(raw), expected);
    }

    void indexColorsFollowTheStandardPalette()
    {
        const QList<QPair<int, QColor>> colors = {
            {1, QColor(255, 0, 0)},       {8, QColor(128, 128, 128)},   {9, QColor(192, 192, 192)},
            {20, QColor(255, 63, 0)},     {23, QColor(204, 127, 102)},  {250, QColor(51, 51, 51)},
            {255, QColor(255, 255, 255)}, {256, QColor(255, 255, 255)}, {-4, QColor(255, 255, 255)}};
        for (const auto& c : colors)
            QVERIFY2(aciColor(c.first) == c.second, qPrintable(QString::number(c.first)));
    }

    void readsEveryFieldOfTheLayerTable()
    {
        DxfWriter w;
        w.header("AC1015", "Doors").beginLayerTable().layer("Walls", 0, 1, "CONTINUOUS", 50).layer("0", 0, 7);
        w.layer("Doors", 4, 3, "DASHED", 25).layer("Off", 0, -5).layer("Frozen", 1, 30);
        w.layer("True", 0, 1, "CONTINUOUS", -3, 0x1192EE).layer("NoPlot", 0, 7, "CONTINUOUS", -3, -1, false);
        w.layer("Odd weight", 0, 7, "CONTINUOUS", 33).layer("Thin", 0, 7, "CONTINUOUS", 0).layer("WALLS", 0, 2);
        w.layer("Black", 0, 1, "CONTINUOUS", -3, 0).endLayerTable().end();
        for (bool crlf : {false, true}) {
            const DxfImportResult r = readChecked(w.data(crlf));
            QCOMPARE(r.drawing.currentLayer, QStringLiteral("Doors"));
            // Table order kept ("0" is not moved first); a lineweight no CAD
            // program offers falls back to default, while 0 is a width.
            QCOMPARE(describe(r.drawing),
                     QStringList({"Walls #ff0000 CONTINUOUS 50", "0 #ffffff CONTINUOUS -3", "Doors #00ff00 DASHED 25 locked",
                                  "Off #0000ff CONTINUOUS -3 off", "Frozen #ff7f00 CONTINUOUS -3 frozen",
                                  "True #1192ee CONTINUOUS -3", "NoPlot #ffffff CONTINUOUS -3 no plot",
                                  "Odd weight #ffffff CONTINUOUS -3", "Thin #ffffff CONTINUOUS 0",
                                  "Black #000000 CONTINUOUS -3"}));
            // A name taken in another letter case is the same layer: the first one stays.
            QVERIFY(r.drawing.notes.contains(QStringLiteral("Layer \"WALLS\" appears twice; the first one is kept.")));
        }
    }

    void theCurrentLayerIsOneTheDrawingHolds_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("layers");
        QTest::addColumn<QString>("current");
        const auto table = [](const QByteArray& current, int flags) {
            return DxfWriter().header("AC1015", current).beginLayerTable().layer("0", 0, 7).layer("Cold", flags, 5)
                .endLayerTable().end().data();
        };
        const QStringList both = {"0 #ffffff CONTINUOUS -3", "Cold #0000ff CONTINUOUS -3"};
        QTest::newRow("the header names it") << table("Cold", 0) << both << "Cold";
        QTest::newRow("without a current layer variable 0 is current") << table("", 0) << both << "0";
        QTest::newRow("a current layer missing from the table leaves 0 current") << table("Ghost", 0) << both << "0";
        QTest::newRow("a frozen current layer is thawed") << table("Cold", 1) << both << "Cold";
        QTest::newRow("a table without layer 0 gets one first")
            << DxfWriter().beginLayerTable().layer("A", 0, 1).endLayerTable().end().data()
            << QStringList({"0 #ffffff Continuous -3", "A #ff0000 CONTINUOUS -3"}) << "0";
    }

    void theCurrentLayerIsOneTheDrawingHolds()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, layers);
        QFETCH(QString, current);
        const DxfImportResult r = readChecked(data);
        QCOMPARE(describe(r.drawing), layers);
        QCOMPARE(r.drawing.currentLayer, current);
    }

    void readsEntitiesAndCountsTheOthers()
    {
        DxfWriter w;
        w.header("AC1021").beginLayerTable().layer("0", 0, 7).layer("A", 0, 2).endLayerTable().beginEntities();
        w.line("A", 0, 0, 10, 0).line("A", 0, 0, 0, 10, 1).pair(0, "CIRCLE").pair(8, "A").pair(10, 5.0).pair(20, 5.0);
        w.pair(40, 2.0).pair(0, "ARC").pair(8, "A").pair(10, 5.0).pair(20, 5.0).pair(40, 3.0).pair(50, 0.0).pair(51, 90.0);
        // The vertex count is a lie; the vertices that follow are the truth.
        w.pair(0, "LWPOLYLINE").pair(8, "A").pair(90, "1").pair(70, "1");
        w.pair(10, 0.0).pair(20, 0.0).pair(10, 1.0).pair(20, 0.0).pair(10, 1.0).pair(20, 1.0);
        w.pair(0, "POLYLINE").pair(8, "A").pair(66, "1").pair(70, "0").pair(0, "VERTEX").pair(8, "A").pair(10, 0.0);
        w.pair(20, 0.0).pair(0, "VERTEX").pair(8, "A").pair(10, 2.0).pair(20, 2.0).pair(0, "SEQEND").pair(8, "A");
        w.pair(0, "POINT").pair(8, "A").pair(10, 3.0).pair(20, 3.0);
        w.pair(0, "TEXT").pair(8, "A").pair(10, 1.0).pair(20, 1.0).pair(40, 0.5).pair(1, "Hall \xC3\xBC");
        w.pair(0, "MTEXT").pair(8, "Undeclared").pair(10, 1.0).pair(20, 1.0).pair(40, 0.5).pair(1, "{\\fArial|b0;Two}\\Pl\\S1#2;");
        w.pair(0, "INSERT").pair(8, "A").pair(2, "B").pair(0, "INSERT").pair(8, "A").pair(2, "B").pair(0, "HATCH");
        w.pair(0, "LINE").pair(8, "A").pair(67, "1").pair(10, 0.0).pair(20, 0.0).pair(11, 1.0).pair(21, 1.0);
        const DxfImportResult r = readChecked(w.endSection().end().data());
        const EntityList& e = r.drawing.entities;
        QList<int> kinds;
        for (const DrawingEntity& entity : e)
            kinds << entity.kind;
        using E = DrawingEntity;
        QCOMPARE(kinds, QList<int>({E::Line, E::Line, E::Circle, E::Arc, E::Polyline, E::Polyline, E::Point, E::Text, E::Text}));
        QVERIFY(!e.at(0).color.isValid()); // by layer, not white
        QCOMPARE(e.at(1).color, QColor(255, 0, 0));
        QCOMPARE(QPointF(e.at(2).radius, e.at(3).endAngle), QPointF(2, 90));
        QCOMPARE(e.at(4).points, QVector<QPointF>({QPointF(0, 0), QPointF(1, 0), QPointF(1, 1)}));
        QCOMPARE(e.at(5).points, QVector<QPointF>({QPointF(0, 0), QPointF(2, 2)}));
        QCOMPARE(qMakePair(e.at(4).closed, e.at(5).closed), qMakePair(true, false));
        QCOMPARE(e.at(7).text + e.at(8).text, QStringLiteral("Hall üTwo\nl1/2"));
        QCOMPARE(r.drawing.layers.at(e.at(8).layer).name, QStringLiteral("Undeclared"));
        QCOMPARE(r.drawing.skipped,
                 (QMap<QString, int>{{"of a missing block", 2}, {"HATCH without a shape", 1}, {"in paper space", 1}}));
        QCOMPARE(r.drawing.objectSummary(r.drawing.layerIndex("A")),
                 QStringLiteral("11 objects: 3 LINE, 2 INSERT, 1 ARC, 1 CIRCLE, 1 LWPOLYLINE, 1 POINT, 1 POLYLINE, 1 TEXT"));
    }

    void objectCoordinatesAreTurnedIntoPlan()
    {
        DxfWriter w;
        w.beginLayerTable().layer("0", 0, 7).endLayerTable().beginEntities();
        // Centre (10, 0) of an arc mirrored by its extrusion is (-10, 0) in
        // plan, and its quarter from 0 to 90 degrees runs from 90 to 180.
        for (double z : {-1.0, 1.0}) {
            w.pair(0, "ARC").pair(8, "0").pair(10, 10.0).pair(20, 0.0).pair(40, 2.0).pair(50, 0.0).pair(51, 90.0);
            w.pair(210, 0.0).pair(220, 0.0).pair(230, z);
        }
        // A polyline in a vertical plane facing +x, at elevation 5 along it:
        // Ax = (0, 1, 0), Ay = (0, 0, 1), so a plan point is (elevation, x).
        w.pair(0, "LWPOLYLINE").pair(8, "0").pair(90, "2").pair(70, "0").pair(38, 5.0).pair(10, 1.0).pair(20, 7.0);
        w.pair(10, 3.0).pair(20, 8.0).pair(210, 1.0).pair(220, 0.0).pair(230, 0.0);
        const EntityList e = readChecked(w.endSection().end().data()).drawing.entities;
        QCOMPARE(e.size(), 3);
        QCOMPARE(e.at(0).points.first(), QPointF(-10, 0));
        QCOMPARE(QPointF(e.at(0).startAngle, e.at(0).endAngle).toPoint(), QPoint(90, 180));
        QCOMPARE(e.at(1).points.first(), QPointF(10, 0));
        QCOMPARE(QPointF(e.at(1).startAngle, e.at(1).endAngle), QPointF(0, 90));
        QCOMPARE(e.at(2).points, QVector<QPointF>({QPointF(5, 1), QPointF(5, 3)}));
    }

    void textsRunningTopToBottomStandOnOneLineUnwrapped()
    {
        DxfWriter w;
        w.beginLayerTable().layer("0", 0, 7).endLayerTable().beginEntities();
        for (const char* direction : {"1", "3"}) {
            w.pair(0, "MTEXT").pair(8, "0").pair(10, 0.0).pair(20, 0.0).pair(40, 1.0).pair(41, 2.0).pair(72, direction);
            w.pair(1, "Top\\PLow");
            w.pair(0, "MULTILEADER").pair(8, "0").pair(300, "CONTEXT_DATA{").pair(304, "Top\\PLow").pair(43, 2.0);
            w.pair(172, direction).pair(301, "}");
        }
        const EntityList e = readChecked(w.endSection().end().data()).drawing.entities;
        QCOMPARE(e.size(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(qMakePair(e.at(i).text, e.at(i).wrapWidth), i < 2 ? qMakePair(QStringLiteral("Top\nLow"), 2.0)
                                                                       : qMakePair(QStringLiteral("Top Low"), 0.0));
    }

    // Every field of every kind reads back from the packed list as it went
    // in, also when read into an entity that held another kind before.
    void packedEntitiesReadBackAsAppended()
    {
        DrawingEntity text;
        text.kind = DrawingEntity::Text;
        text.layer = 3;
        text.color = QColor(10, 20, 30);
        text.linetype = QStringLiteral("DASHED");
        text.lineWeight = 211;
        text.points = {QPointF(1, 2)};
        text.height = 2.5;
        text.rotation = 30;
        text.text = QStringLiteral("Ü\nB");
        text.hAlign = DrawingEntity::Fit;
        text.wrapWidth = 40;
        text.frameGap = 0.5;
        text.scale = QPointF(0.8, 1);
        text.vAlign = DrawingEntity::Top;
        DrawingEntity insert;
        insert.kind = DrawingEntity::Insert;
        insert.colorByBlock = true;
        insert.lineWeight = LineWeightByBlock;
        insert.points = {QPointF(-4, 5)};
        insert.block = 2;
        insert.rotation = -90;
        insert.scale = QPointF(-1, 2);
        insert.columns = 3;
        insert.rows = 4;
        insert.spacing = QPointF(7, 8);
        insert.attributes = {text, text};
        DrawingEntity fill;
        fill.kind = DrawingEntity::Fill;
        fill.points = {QPointF(0, 0), QPointF(1, 0), QPointF(0, 1), QPointF(2, 2), QPointF(3, 2), QPointF(2, 3)};
        fill.loops = {3, 3};
        fill.patterned = true;
        fill.closed = true;
        DrawingEntity arc;
        arc.kind = DrawingEntity::Arc;
        arc.points = {QPointF(9, 9)};
        arc.radius = 4;
        arc.startAngle = 350;
        arc.endAngle = 10;
        DrawingEntity plainInsert;
        plainInsert.kind = DrawingEntity::Insert;
        plainInsert.points = {QPointF(6, 7)};
        plainInsert.block = 1;
        plainInsert.rotation = 45;
        DrawingEntity scaledInsert = plainInsert;
        scaledInsert.scale = QPointF(1, 1.0000001);
        const QVector<DrawingEntity> all{text, insert, fill, arc, text, plainInsert, scaledInsert};
        EntityList list;
        for (const DrawingEntity& e : all)
            list << e;
        DrawingEntity into = insert;
        for (int i : {0, 1, 2, 3, 4, 1, 5, 1, 6, 5, 0}) {
            list.read(i, into);
            const DrawingEntity& e = all.at(i);
            QCOMPARE(int(into.kind), int(e.kind));
            QCOMPARE(QVariantList({into.layer, into.color, into.colorByBlock, into.linetype, into.lineWeight, into.closed,
                                   into.radius, into.startAngle, into.endAngle, into.height, into.rotation, into.text,
                                   int(into.hAlign), int(into.vAlign), into.block, into.scale, into.columns, into.rows,
                                   into.spacing, into.patterned, int(into.attributes.size()), into.wrapWidth,
                                   into.frameGap}),
                     QVariantList({e.layer, e.color, e.colorByBlock, e.linetype, e.lineWeight, e.closed, e.radius,
                                   e.startAngle, e.endAngle, e.height, e.rotation, e.text, int(e.hAlign), int(e.vAlign),
                                   e.block, e.scale, e.columns, e.rows, e.spacing, e.patterned, int(e.attributes.size()),
                                   e.wrapWidth, e.frameGap}));
            QCOMPARE(into.points, e.points);
            QCOMPARE(into.loops, e.loops);
        }
        QCOMPARE(list.at(1).attributes.at(1).text, text.text);
    }

    void filesAreCheckedBeforeTheyAreParsed_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message"); // empty: the file is read
        const QByteArray good = twoLayerDrawing();
        const auto named = [](const QByteArray& name) {
            return DxfWriter().beginLayerTable().layer(name, 0, 7).endLayerTable().end().data();
        };
        const auto onLayer = [](const QByteArray& name) {
            return DxfWriter().beginLayerTable().endLayerTable().beginEntities().line(name, 0, 0, 1, 1).endSection().data();
        };
        // One more pair in the header, which the reader passes over.
        const auto headed = [&good](int code, const QByteArray& value) {
            return QByteArray(good).insert(good.indexOf("HEADER\n") + 7, DxfWriter().pair(code, value).data());
        };
        QTest::newRow("an empty file") << QByteArray() << "empty";
        QTest::newRow("a binary DXF file") << QByteArray("AutoCAD Binary DXF\r\n\x1a\0\0\0", 24) << "binary DXF";
        QTest::newRow("a file with NUL bytes") << QByteArray("  0\nSECTION\n\0\0\0", 16) << "not a text file";
        QTest::newRow("a text file that is not DXF") << QByteArray("hello\nworld\n") << "group code";
        QTest::newRow("a DXF that does not start with a section") << QByteArray("  0\nLINE\n") << "not an ASCII DXF";
        QTest::newRow("a file cut off in the layer table") << good.left(good.indexOf("Walls") + 8) << "cut off";
        QTest::newRow("a file cut off after a group code") << good.left(good.indexOf("ENTITIES") + 9) + " 10\n"
                                                           << "ends after the group code";
        QTest::newRow("a section without a name") << QByteArray("  0\nSECTION\n  8\nX\n  0\nENDSEC\n") << "without a name";
        QTest::newRow("a section that never ends") << QByteArray("  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n") << "cut off";
        QTest::newRow("a group code that is no number") << headed(999, "x").replace("999", " x ") << "holds \"x\"";
        QTest::newRow("a group code of 1071 is taken") << headed(1071, "5") << "";
        QTest::newRow("a group code of 1072 is refused") << headed(1072, "5") << "holds \"1072\"";
        QTest::newRow("a negative group code is refused") << headed(-1, "5") << "holds \"-1\"";
        QTest::newRow("a line of 2049 characters is taken") << headed(999, QByteArray(2049, 'c')) << "";
        QTest::newRow("a line of 2050 characters is refused") << headed(999, QByteArray(2050, 'c')) << "2050 characters";
        QTest::newRow("a line longer than a chunk of the read is refused with its whole length")
            << headed(999, QByteArray(100000, 'c') + '\r') << "100000 characters";
        QTest::newRow("lines across the ends of the read's chunks are taken")
            << headed(999, (QByteArray(2000, 'c') + "\r\n999\r\n").repeated(100) + 'c') << "";
        QTest::newRow("a layer name of 255 characters is taken") << named(QByteArray(255, 'N')) << "";
        QTest::newRow("a layer name of 256 characters is refused") << named(QByteArray(256, 'N')) << "256 characters";
        QTest::newRow("an entity on a layer of 255 characters is taken") << onLayer(QByteArray(255, 'L')) << "";
        QTest::newRow("an entity on a layer of 256 characters is refused") << onLayer(QByteArray(256, 'L')) << "256 ch";
    }

    void filesAreCheckedBeforeTheyAreParsed()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        const DxfImportResult r = DxfImport::readData(data);
        QCOMPARE(r.ok, message.isEmpty());
        QVERIFY2(r.error.contains(message, Qt::CaseInsensitive), qPrintable(r.error));
    }

    void filesAreOnlyRead()
    {
        const QDir scratch(kvcctest::scratchDir());
        QVERIFY(DxfImport::readFile(scratch.filePath(QStringLiteral("nothing.dxf"))).error.endsWith("does not exist."));
        QVERIFY(DxfImport::readFile(scratch.path()).error.endsWith("is not a file."));
        QFile file(scratch.filePath(QStringLiteral("kept.dxf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(twoLayerDrawing()) > 0);
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner));
        const DxfImportResult r = DxfImport::readFile(file.fileName());
        QCOMPARE(r.drawing.title + r.error, QStringLiteral("kept.dxf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), twoLayerDrawing());
    }

    void hundredThousandLayersLoad()
    {
        DxfWriter w;
        w.header("AC1027", "L99999").beginLayerTable().layer("0", 0, 7);
        for (int i = 0; i < 100000; ++i)
            w.layer("L" + QByteArray::number(i), i % 7 == 0 ? 1 : 0, 1 + i % 255);
        const DxfImportResult r = readChecked(w.endLayerTable().end().data());
        QCOMPARE(r.drawing.layers.size(), 100001);
        QCOMPARE(r.drawing.currentLayer, QStringLiteral("L99999"));
        QVERIFY(r.drawing.layers.at(8).frozen); // "L7"
    }

    void realDrawings_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("layers");
        QTest::addColumn<QString>("current");
        QTest::newRow("R2007 with Korean names") << "cad_reprojection_sample01_EPSG5187.dxf" << 143 << "0";
        QTest::newRow("R2007 with a Korean current layer") << "cad_reprojection_sample04_EPSG5187.dxf" << 64 << "수로";
        QTest::newRow("R2010 with Cyrillic names") << "dxf_postgis_ex3.dxf" << 35 << "_Аммиак";
        QTest::newRow("R2018 with every layer state") << "acadsharp_sample_AC1032_ascii.dxf" << 19 << "0";
        QTest::newRow("R12 with every layer state") << "acadsharp_sample_AC1009_ascii.dxf" << 21 << "0";
        QTest::newRow("R2000 without a current layer variable") << "qcad_dl3dl_01.dxf" << 29 << "0";
        QTest::newRow("R2004 with CRLF line ends") << "bjnortier_floorplan.dxf" << 24 << "0";
        QTest::newRow("R12 mixing escapes and cp1252") << "ezdxf_ASCII_R12.dxf" << 2 << "ΛΑΓΕΡÄÜÖ";
    }

    void realDrawings()
    {
        QFETCH(QString, file);
        QFETCH(int, layers);
        QFETCH(QString, current);
        const QString dir = qEnvironmentVariable("KVCC_SHARED_DXF_DIR", QStringLiteral(KVCC_SHARED_DXF_DIR));
        if (!QFileInfo::exists(QDir(dir).filePath(file)))
            QSKIP(qPrintable(QStringLiteral("the shared drawings are not in %1; a clone of the project alone has none")
                                 .arg(dir)));
        // The import reads a copy: a fault in it must never damage the shared drawings.
        const QString copy = QDir(kvcctest::scratchDir()).filePath(file);
        QFile::remove(copy);
        QVERIFY(QFile::copy(QDir(dir).filePath(file), copy));
        const DxfImportResult r = DxfImport::readFile(copy);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.drawing.layers.size(), layers);
        QCOMPARE(r.drawing.currentLayer, current);
        // A read for a layer edit keeps no more of an object than its layer, and counts the same.
        QFile f(copy);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const DxfImportResult light = DxfImport::readDevice(f, file, DxfImport::Extent::Layers);
        QCOMPARE(light.drawing.layerObjects, r.drawing.layerObjects);
        QCOMPARE(describe(light.drawing), describe(r.drawing));
        const QStringList states = describe(r.drawing);
        QVERIFY2(!states.join(QString()).contains(QChar::ReplacementCharacter), qPrintable(states.join('\n')));
        DrawingDocument doc;
        doc.load(r.drawing);
        QCOMPARE(doc.currentLayerName(), current);
        QCOMPARE(doc.database()->openObjectCount(), 0);
    }

    void objectCountsAgreeWithAnIndependentReader_data() { realDrawings_data(); }

    // Objects on each layer, as --list-layers prints them, against ezdxf's
    // count over model space, paper space and every block definition.
    void objectCountsAgreeWithAnIndependentReader()
    {
        QFETCH(QString, file);
        const QString path = QDir(qEnvironmentVariable("KVCC_SHARED_DXF_DIR", QStringLiteral(KVCC_SHARED_DXF_DIR))).filePath(file);
        if (!QFileInfo::exists(path) || !QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
            QSKIP("the shared drawings or /usr/bin/python3 with ezdxf are missing");
        // ezdxf cannot tell the layer of a few kinds (tables); those count under "?".
        const char* script = R"(
import sys, re, collections
from ezdxf import recover
doc, _ = recover.readfile(sys.argv[1])
counts = collections.Counter()
for block in doc.blocks:
    for e in block:
        name = e.dxf.all_existing_dxf_attribs().get('layer', '?')
        counts[re.sub(r'\\U\+([0-9A-Fa-f]{4})', lambda m: chr(int(m.group(1), 16)), name).lower()] += 1
for name, n in counts.items():
    print(f'{name}\t{n}')
)";
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), path});
        QVERIFY(python.waitForFinished(120000));
        if (python.exitCode() != 0 && python.readAllStandardError().contains("No module named"))
            QSKIP("ezdxf is not installed for /usr/bin/python3");
        QMap<QString, int> theirs;
        for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
            theirs.insert(line.section('\t', 0, 0), line.section('\t', 1).toInt());
        const int unknown = theirs.take(QStringLiteral("?"));
        const Drawing d = DxfImport::readFile(path).drawing;
        int more = 0;
        for (int i = 0; i < d.layers.size(); ++i) {
            const int ours = d.objectCount(i), expected = theirs.take(d.layers.at(i).name.toLower());
            QVERIFY2(ours >= expected, qPrintable(QStringLiteral("%1: %2, not %3").arg(d.layers.at(i).name).arg(ours).arg(expected)));
            more += ours - expected;
        }
        QCOMPARE(more, unknown);
        QVERIFY2(theirs.isEmpty(), qPrintable(QStringList(theirs.keys()).join(',')));
    }
};

KVCC_TEST_MAIN(TestDxfImport)
#include "tst_dxfimport.moc"
