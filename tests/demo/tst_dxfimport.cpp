#include "kvcctest.h"

#include "acipalette.h"
#include "drawingdocument.h"
#include "dxfimport.h"
#include "dxftext.h"
#include "dxfwriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

using namespace Demo;

namespace {

QString sharedDxf(const QString& name)
{
    // KVCC_SHARED_DXF_DIR in the environment points elsewhere, e.g. from a worktree.
    const QString dir = qEnvironmentVariable("KVCC_SHARED_DXF_DIR", QStringLiteral(KVCC_SHARED_DXF_DIR));
    return QDir(dir).filePath(name);
}

const DrawingLayer* findLayer(const Drawing& d, const QString& name)
{
    const int i = d.layerIndex(name);
    return i < 0 ? nullptr : &d.layers.at(i);
}

QByteArray twoLayerDrawing()
{
    DxfWriter w;
    w.beginHeader().variable("$ACADVER", 1, "AC1015").variable("$CLAYER", 8, "Walls").endSection();
    w.beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1).endLayerTable();
    w.beginEntities().line("Walls", 0, 0, 10, 0).endSection().end();
    return w.data();
}

} // namespace

class TestDxfImport : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }

    void decodesText_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("expected");

        QTest::newRow("files from 2007 on are UTF-8 whatever the code page says")
            << QByteArray("AC1021") << QByteArray("ANSI_1252") << QByteArray("\xEC\x88\x98\xEB\xA1\x9C")
            << QStringLiteral("수로");
        QTest::newRow("older files use their code page") << QByteArray("AC1015") << QByteArray("ANSI_1251")
                                                          << QByteArray("\xCC\xE5\xE1\xE5\xEB\xFC")
                                                          << QStringLiteral("Мебель");
        QTest::newRow("older files without a code page are read as cp1252")
            << QByteArray("AC1009") << QByteArray() << QByteArray("Stra\xDF" "e") << QStringLiteral("Straße");
        QTest::newRow("escapes are resolved in lower-case hex")
            << QByteArray("AC1015") << QByteArray("ANSI_1252") << QByteArray("Gr\\U+00fcn") << QStringLiteral("Grün");
        QTest::newRow("escapes mix with code page bytes")
            << QByteArray("AC1009") << QByteArray("ANSI_1252") << QByteArray("\\U+039B\\U+0391\xC4")
            << QStringLiteral("ΛΑÄ");
        QTest::newRow("a broken escape stays as written")
            << QByteArray("AC1015") << QByteArray("ANSI_1252") << QByteArray("a\\U+12G4") << QStringLiteral("a\\U+12G4");
        QTest::newRow("an escape cut off at the end stays as written")
            << QByteArray("AC1015") << QByteArray("ANSI_1252") << QByteArray("a\\U+12") << QStringLiteral("a\\U+12");
        QTest::newRow("Korean code page for older files") << QByteArray("AC1018") << QByteArray("ANSI_949")
                                                          << QByteArray("\xBC\xF6\xB7\xCE") << QStringLiteral("수로");
    }

    void decodesText()
    {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, codePage);
        QFETCH(QByteArray, raw);
        QFETCH(QString, expected);
        QCOMPARE(DxfText(version, codePage).decode(raw), expected);
    }

    void indexColorsFollowTheStandardPalette_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("color");
        QTest::newRow("1 is red") << 1 << QColor(255, 0, 0);
        QTest::newRow("8 is dark grey") << 8 << QColor(128, 128, 128);
        QTest::newRow("9 is light grey") << 9 << QColor(192, 192, 192);
        QTest::newRow("20 is orange red") << 20 << QColor(255, 63, 0);
        QTest::newRow("23 is a dim pale orange") << 23 << QColor(204, 127, 102);
        QTest::newRow("250 is the darkest grey") << 250 << QColor(51, 51, 51);
        QTest::newRow("by layer has no color of its own") << 256 << QColor(255, 255, 255);
        QTest::newRow("a negative index gives white") << -4 << QColor(255, 255, 255);
    }

    void indexColorsFollowTheStandardPalette()
    {
        QFETCH(int, index);
        QFETCH(QColor, color);
        QCOMPARE(aciColor(index), color);
    }

    void readsTheLayerTable()
    {
        DxfWriter w;
        w.beginHeader().variable("$ACADVER", 1, "AC1015").variable("$CLAYER", 8, "Doors").endSection();
        w.beginLayerTable()
            .layer("Walls", 0, 1, "CONTINUOUS", 50)
            .layer("0", 0, 7)
            .layer("Doors", 4, 3, "DASHED", 25)
            .layer("Off", 0, -5)
            .layer("Frozen", 1, 30)
            .layer("True", 0, 1, "CONTINUOUS", -3, 0x1192EE)
            .layer("NoPlot", 0, 7, "CONTINUOUS", -3, -1, false)
            .layer("Odd weight", 0, 7, "CONTINUOUS", 33)
            .endLayerTable();
        w.beginEntities().endSection().end();
        for (bool crlf : {false, true}) {
            const DxfImportResult r = DxfImport::readData(w.data(crlf));
            QVERIFY2(r.ok, qPrintable(r.error));
            const Drawing& d = r.drawing;
            QCOMPARE(d.layers.size(), 8);
            QCOMPARE(d.layers.at(0).name, QStringLiteral("Walls")); // table order kept, "0" not first
            QCOMPARE(d.layers.at(1).name, QStringLiteral("0"));
            QCOMPARE(d.currentLayer, QStringLiteral("Doors"));
            const DrawingLayer* walls = findLayer(d, QStringLiteral("Walls"));
            QVERIFY(walls);
            QCOMPARE(walls->color, QColor(255, 0, 0));
            QCOMPARE(walls->lineWeight, 50);
            const DrawingLayer* doors = findLayer(d, QStringLiteral("Doors"));
            QVERIFY(doors);
            QVERIFY(doors->locked);
            QCOMPARE(doors->linetype, QStringLiteral("DASHED"));
            QCOMPARE(doors->lineWeight, 25);
            const DrawingLayer* off = findLayer(d, QStringLiteral("Off"));
            QVERIFY(off);
            QVERIFY(!off->on);
            QCOMPARE(off->color, QColor(0, 0, 255));
            QVERIFY(findLayer(d, QStringLiteral("Frozen"))->frozen);
            QCOMPARE(findLayer(d, QStringLiteral("True"))->color, QColor(0x11, 0x92, 0xEE));
            QVERIFY(!findLayer(d, QStringLiteral("NoPlot"))->plottable);
            QVERIFY(findLayer(d, QStringLiteral("Walls"))->plottable);
            QCOMPARE(findLayer(d, QStringLiteral("Odd weight"))->lineWeight, int(LineWeightDefault));
            QCOMPARE(findLayer(d, QStringLiteral("0"))->lineWeight, int(LineWeightDefault));
        }
    }

    void layerWithoutCurrentLayerVariableLeavesZeroCurrent()
    {
        DxfWriter w;
        w.beginHeader().variable("$ACADVER", 1, "AC1015").endSection();
        w.beginLayerTable().layer("A", 0, 1).layer("0", 0, 7).endLayerTable().end();
        const DxfImportResult r = DxfImport::readData(w.data());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.drawing.currentLayer, QStringLiteral("0"));

        // A table without "0" gets one, since every drawing has it.
        DxfWriter w2;
        w2.beginLayerTable().layer("A", 0, 1).endLayerTable().end();
        const DxfImportResult r2 = DxfImport::readData(w2.data());
        QVERIFY2(r2.ok, qPrintable(r2.error));
        QVERIFY(findLayer(r2.drawing, QStringLiteral("0")));
        QCOMPARE(r2.drawing.currentLayer, QStringLiteral("0"));
    }

    void readsEntitiesAndCountsTheOthers()
    {
        DxfWriter w;
        w.beginHeader().variable("$ACADVER", 1, "AC1021").endSection();
        w.beginLayerTable().layer("0", 0, 7).layer("A", 0, 2).endLayerTable();
        w.beginEntities();
        w.line("A", 0, 0, 10, 0);
        w.line("A", 0, 0, 0, 10, 1);
        w.pair(0, "CIRCLE").pair(8, "A").pair(10, 5.0).pair(20, 5.0).pair(30, 0.0).pair(40, 2.0);
        w.pair(0, "ARC").pair(8, "A").pair(10, 5.0).pair(20, 5.0).pair(30, 0.0).pair(40, 3.0).pair(50, 0.0).pair(51, 90.0);
        w.pair(0, "LWPOLYLINE").pair(8, "A").pair(90, "3").pair(70, "1");
        w.pair(10, 0.0).pair(20, 0.0).pair(10, 1.0).pair(20, 0.0).pair(10, 1.0).pair(20, 1.0);
        w.pair(0, "POLYLINE").pair(8, "A").pair(66, "1").pair(70, "0");
        w.pair(0, "VERTEX").pair(8, "A").pair(10, 0.0).pair(20, 0.0);
        w.pair(0, "VERTEX").pair(8, "A").pair(10, 2.0).pair(20, 2.0);
        w.pair(0, "SEQEND").pair(8, "A");
        w.pair(0, "POINT").pair(8, "A").pair(10, 3.0).pair(20, 3.0).pair(30, 0.0);
        w.pair(0, "TEXT").pair(8, "A").pair(10, 1.0).pair(20, 1.0).pair(30, 0.0).pair(40, 0.5).pair(1, "Hall \xC3\xBC");
        w.pair(0, "MTEXT").pair(8, "Undeclared").pair(10, 1.0).pair(20, 1.0).pair(30, 0.0).pair(40, 0.5).pair(1, "{\\fArial|b0;Two}\\Plines");
        w.pair(0, "INSERT").pair(8, "A").pair(2, "BLOCK1").pair(10, 0.0).pair(20, 0.0);
        w.pair(0, "INSERT").pair(8, "A").pair(2, "BLOCK1").pair(10, 0.0).pair(20, 0.0);
        w.pair(0, "HATCH").pair(8, "A");
        w.pair(0, "LINE").pair(8, "A").pair(67, "1").pair(10, 0.0).pair(20, 0.0).pair(11, 1.0).pair(21, 1.0);
        w.endSection().end();

        const DxfImportResult r = DxfImport::readData(w.data());
        QVERIFY2(r.ok, qPrintable(r.error));
        const Drawing& d = r.drawing;
        QCOMPARE(d.entities.size(), 9);
        QCOMPARE(d.entities.at(0).kind, DrawingEntity::Line);
        QVERIFY(!d.entities.at(0).color.isValid());
        QCOMPARE(d.entities.at(1).color, QColor(255, 0, 0));
        QCOMPARE(d.entities.at(2).kind, DrawingEntity::Circle);
        QCOMPARE(d.entities.at(2).radius, 2.0);
        QCOMPARE(d.entities.at(3).kind, DrawingEntity::Arc);
        QCOMPARE(d.entities.at(3).endAngle, 90.0);
        QCOMPARE(d.entities.at(4).kind, DrawingEntity::Polyline);
        QCOMPARE(d.entities.at(4).points.size(), 3);
        QVERIFY(d.entities.at(4).closed);
        QCOMPARE(d.entities.at(5).kind, DrawingEntity::Polyline);
        QCOMPARE(d.entities.at(5).points.size(), 2);
        QCOMPARE(d.entities.at(6).kind, DrawingEntity::Point);
        QCOMPARE(d.entities.at(7).text, QStringLiteral("Hall ü"));
        QCOMPARE(d.entities.at(8).text, QStringLiteral("Two\nlines"));
        QVERIFY(findLayer(d, QStringLiteral("Undeclared")));
        QCOMPARE(d.skipped.value(QStringLiteral("INSERT")), 2);
        QCOMPARE(d.skipped.value(QStringLiteral("HATCH")), 1);
        QCOMPARE(d.skipped.value(QStringLiteral("in paper space")), 1);
    }

    void aLyingCountIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::newRow("a count of two billion") << QByteArray("2000000000");
        QTest::newRow("a count too small") << QByteArray("1");
        QTest::newRow("a negative count") << QByteArray("-7");
        QTest::newRow("a count of zero") << QByteArray("0");
    }

    // Polylines keep the vertices they hold and tables the layers they hold,
    // whatever their count says: nothing is reserved from it.
    void aLyingCountIsIgnored()
    {
        QFETCH(QByteArray, count);
        DxfWriter w;
        w.pair(0, "SECTION").pair(2, "TABLES").pair(0, "TABLE").pair(2, "LAYER").pair(70, count);
        w.layer("0", 0, 7).layer("A", 0, 1).endLayerTable().beginEntities();
        w.pair(0, "LWPOLYLINE").pair(8, "0").pair(90, count).pair(70, "0");
        w.pair(10, 0.0).pair(20, 0.0).pair(10, 4.0).pair(20, 0.0).pair(10, 4.0).pair(20, 4.0);
        w.endSection().end();
        const DxfImportResult r = DxfImport::readData(w.data());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.drawing.layers.size(), 2);
        QCOMPARE(r.drawing.entities.size(), 1);
        QCOMPARE(r.drawing.entities.first().points.size(), 3);
    }

    void objectCoordinatesAreTurnedIntoPlan()
    {
        DxfWriter w;
        w.beginLayerTable().layer("0", 0, 7).endLayerTable().beginEntities();
        // An arc mirrored by its extrusion: centre (10, 0) in object space is
        // (-10, 0) in plan, and its quarter from 0 to 90 degrees runs from 90 to 180.
        w.pair(0, "ARC").pair(8, "0").pair(10, 10.0).pair(20, 0.0).pair(30, 0.0).pair(40, 2.0).pair(50, 0.0).pair(51, 90.0);
        w.pair(210, 0.0).pair(220, 0.0).pair(230, -1.0);
        // A plain arc after it keeps its own coordinates.
        w.pair(0, "ARC").pair(8, "0").pair(10, 10.0).pair(20, 0.0).pair(30, 0.0).pair(40, 2.0).pair(50, 0.0).pair(51, 90.0);
        // A polyline in a vertical plane facing +x, at elevation 5 along it.
        w.pair(0, "LWPOLYLINE").pair(8, "0").pair(90, "2").pair(70, "0").pair(38, 5.0);
        w.pair(10, 1.0).pair(20, 7.0).pair(10, 3.0).pair(20, 8.0).pair(210, 1.0).pair(220, 0.0).pair(230, 0.0);
        w.endSection().end();
        const DxfImportResult r = DxfImport::readData(w.data());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.drawing.entities.size(), 3);
        const DrawingEntity& mirrored = r.drawing.entities.at(0);
        QCOMPARE(mirrored.points.first(), QPointF(-10, 0));
        QCOMPARE(qRound(mirrored.startAngle), 90);
        QCOMPARE(qRound(mirrored.endAngle), 180);
        const DrawingEntity& plain = r.drawing.entities.at(1);
        QCOMPARE(plain.points.first(), QPointF(10, 0));
        QCOMPARE(plain.startAngle, 0.0);
        QCOMPARE(plain.endAngle, 90.0);
        // Ax = Wz x N = (0, 1, 0); Ay = N x Ax = (0, 0, 1): plan point = (elevation, x).
        const DrawingEntity& vertical = r.drawing.entities.at(2);
        QCOMPARE(vertical.points.size(), 2);
        QCOMPARE(vertical.points.at(0), QPointF(5, 1));
        QCOMPARE(vertical.points.at(1), QPointF(5, 3));
    }

    void badFilesEndInAMessage_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");

        const QByteArray good = twoLayerDrawing();
        QTest::newRow("an empty file") << QByteArray() << QStringLiteral("empty");
        QTest::newRow("a binary DXF file") << QByteArray("AutoCAD Binary DXF\r\n\x1a\0\0\0", 24)
                                           << QStringLiteral("binary DXF");
        QTest::newRow("a file with NUL bytes") << QByteArray("  0\nSECTION\n\0\0\0", 16) << QStringLiteral("not a text file");
        QTest::newRow("a text file that is not DXF") << QByteArray("hello\nworld\n") << QStringLiteral("group code");
        QTest::newRow("a DXF that does not start with a section")
            << QByteArray("  0\nLINE\n  8\n0\n") << QStringLiteral("not an ASCII DXF");
        QTest::newRow("a file cut off in the middle of the layer table")
            << good.left(good.indexOf("Walls") + 8) << QStringLiteral("cut off");
        QTest::newRow("a file cut off after a group code") << good.left(good.indexOf("ENTITIES") + 9) + " 10\n"
                                                           << QStringLiteral("ends after the group code");

        const auto oneLayer = [](const QByteArray& name) {
            return DxfWriter().beginLayerTable().layer(name, 0, 7).endLayerTable().end().data();
        };
        QTest::newRow("a layer name of 10,000 characters") << oneLayer(QByteArray(10000, 'N'))
                                                           << QStringLiteral("10000 characters");
        QTest::newRow("a layer name of 300 characters") << oneLayer(QByteArray(300, 'N')) << QStringLiteral("at most 255");
        DxfWriter longEntityLayer;
        longEntityLayer.beginLayerTable().layer("0", 0, 7).endLayerTable().beginEntities();
        longEntityLayer.line(QByteArray(1200, 'L'), 0, 0, 1, 1).endSection().end();
        QTest::newRow("an entity on a layer of 1200 characters") << longEntityLayer.data() << QStringLiteral("at most 255");
        QTest::newRow("a group code that is no number") << QByteArray("  0\nSECTION\n  x\nHEADER\n")
                                                         << QStringLiteral("group code");
        QTest::newRow("a group code out of range") << QByteArray("  0\nSECTION\n99999\nHEADER\n")
                                                   << QStringLiteral("group code");
        QTest::newRow("a section without a name") << QByteArray("  0\nSECTION\n  8\nX\n  0\nENDSEC\n  0\nEOF\n")
                                                  << QStringLiteral("without a name");
        QTest::newRow("a section that never ends") << QByteArray("  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n")
                                                   << QStringLiteral("cut off");
        QTest::newRow("a line of a million characters") << QByteArray("  0\nSECTION\n  2\n") + QByteArray(1000000, 'x')
                                                        << QStringLiteral("1000000 characters");
    }

    void badFilesEndInAMessage()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        const DxfImportResult r = DxfImport::readData(data);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(message, Qt::CaseInsensitive), qPrintable(r.error));
    }

    void randomBytesNeverCrash()
    {
        // Mangled copies of a good file: each ends in a drawing or a message.
        const QByteArray good = twoLayerDrawing();
        QRandomGenerator rng(20261206);
        for (int i = 0; i < 400; ++i) {
            QByteArray data = good;
            const int edits = 1 + rng.bounded(8);
            for (int e = 0; e < edits; ++e) {
                const int at = rng.bounded(data.size());
                switch (rng.bounded(3)) {
                case 0: data[at] = static_cast<char>(rng.bounded(1, 256)); break;
                case 1: data.remove(at, rng.bounded(1, 20)); break;
                default: data.insert(at, data.mid(rng.bounded(data.size()), rng.bounded(1, 40))); break;
                }
            }
            const DxfImportResult r = DxfImport::readData(data);
            QVERIFY(r.ok || !r.error.isEmpty());
        }
    }

    void missingFileGivesAMessage()
    {
        const DxfImportResult r = DxfImport::readFile(QDir(kvcctest::scratchDir()).filePath(QStringLiteral("nothing.dxf")));
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QLatin1String("does not exist")), qPrintable(r.error));
        const DxfImportResult dir = DxfImport::readFile(kvcctest::scratchDir());
        QVERIFY(!dir.ok);
        QVERIFY2(dir.error.contains(QLatin1String("not a file")), qPrintable(dir.error));
    }

    void readingLeavesTheFileUntouched()
    {
        const QString path = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("untouched.dxf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(twoLayerDrawing());
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QDateTime before = QFileInfo(path).lastModified();
        const DxfImportResult r = DxfImport::readFile(path);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(QFileInfo(path).lastModified(), before);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), twoLayerDrawing());
    }

    void hundredThousandLayersLoad()
    {
        DxfWriter w;
        w.beginHeader().variable("$ACADVER", 1, "AC1027").variable("$CLAYER", 8, "L99999").endSection();
        w.beginLayerTable().layer("0", 0, 7);
        for (int i = 0; i < 100000; ++i)
            w.layer("L" + QByteArray::number(i), i % 7 == 0 ? 1 : 0, 1 + i % 255);
        w.endLayerTable().end();
        const DxfImportResult r = DxfImport::readData(w.data());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.drawing.layers.size(), 100001);
        QCOMPARE(r.drawing.currentLayer, QStringLiteral("L99999"));
        QVERIFY(r.drawing.layers.at(8).frozen); // "L7"
        QCOMPARE(r.drawing.layers.at(100000).name, QStringLiteral("L99999"));
    }

    void realDrawings_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("layers");
        QTest::addColumn<QString>("current");
        QTest::newRow("R2007 with Korean names") << "cad_reprojection_sample01_EPSG5187.dxf" << 143 << "0";
        QTest::newRow("R2007 with a Korean current layer") << "cad_reprojection_sample04_EPSG5187.dxf" << 64
                                                           << QStringLiteral("수로");
        QTest::newRow("R2010 with Cyrillic names") << "dxf_postgis_ex3.dxf" << 35 << QStringLiteral("_Аммиак");
        QTest::newRow("R2018 with every layer state") << "acadsharp_sample_AC1032_ascii.dxf" << 19 << "0";
        QTest::newRow("R12 with every layer state") << "acadsharp_sample_AC1009_ascii.dxf" << 21 << "0";
        QTest::newRow("R2000 without a current layer variable") << "qcad_dl3dl_01.dxf" << 29 << "0";
        QTest::newRow("R2004 with CRLF line ends") << "bjnortier_floorplan.dxf" << 24 << "0";
        QTest::newRow("R12 mixing escapes and cp1252") << "ezdxf_ASCII_R12.dxf" << 2 << QStringLiteral("ΛΑΓΕΡÄÜÖ");
    }

    void realDrawings()
    {
        QFETCH(QString, file);
        QFETCH(int, layers);
        QFETCH(QString, current);
        const QString path = sharedDxf(file);
        if (!QFileInfo::exists(path))
            QSKIP(qPrintable(QStringLiteral("the shared drawings are not here (%1); a clone of the project alone has none")
                                 .arg(path)));
        const DxfImportResult r = DxfImport::readFile(path);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.drawing.layers.size(), layers);
        QCOMPARE(r.drawing.currentLayer, current);
        for (const DrawingLayer& l : r.drawing.layers)
            QVERIFY2(!l.name.contains(QChar::ReplacementCharacter), qPrintable(l.name));
        DrawingDocument doc;
        doc.load(r.drawing);
        QCOMPARE(doc.currentLayerName(), current);
        QCOMPARE(doc.database()->openObjectCount(), 0);
    }

    void realDrawingDetails()
    {
        if (!QFileInfo::exists(sharedDxf(QStringLiteral("acadsharp_sample_AC1032_ascii.dxf"))))
            QSKIP("the shared drawings are not here; a clone of the project alone has none");
        const DxfImportResult r = DxfImport::readFile(sharedDxf(QStringLiteral("acadsharp_sample_AC1032_ascii.dxf")));
        QVERIFY2(r.ok, qPrintable(r.error));
        const Drawing& d = r.drawing;
        QVERIFY(!findLayer(d, QStringLiteral("Layer_Off"))->on);
        QVERIFY(findLayer(d, QStringLiteral("Layer_Freeze"))->frozen);
        QVERIFY(findLayer(d, QStringLiteral("Layer_Lock"))->locked);
        QVERIFY(!findLayer(d, QStringLiteral("Layer_NoPlot"))->plottable);
        QCOMPARE(findLayer(d, QStringLiteral("Layer_true_color"))->color, QColor(17, 146, 238));
        QCOMPARE(findLayer(d, QStringLiteral("Layer_lw_035"))->lineWeight, 35);

        const DxfImportResult q = DxfImport::readFile(sharedDxf(QStringLiteral("qcad_dl3dl_01.dxf")));
        QVERIFY2(q.ok, qPrintable(q.error));
        bool escaped = false;
        for (const DrawingLayer& l : q.drawing.layers) {
            QVERIFY2(!l.name.contains(QLatin1String("\\U+"), Qt::CaseInsensitive), qPrintable(l.name));
            escaped = escaped || l.name.contains(QChar(0xFC));
        }
        QVERIFY(escaped);
    }
};

KVCC_TEST_MAIN(TestDxfImport)
#include "tst_dxfimport.moc"
