#include "kvcctest.h"

#include "drawingsession.h"
#include "dxflayerstatereader.h"
#include "dxfrawpair.h"
#include "dxfsaver.h"
#include "dxfwriter.h"
#include "layerbatchedit.h"
#include "samplefloorplan.h"

#include <KvDatabase.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Demo;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// A drawing opened as the window opens one, with its history and commands.
struct OpenDrawing {
    DrawingSession session;
    DrawingDocument& document = *session.document();
    LayerBatchEdit edit{session.document(), session.history()};

    explicit OpenDrawing(const QString& path) { session.openFile(path); }
    QString save() { QString message; return session.saveTo(session.file().path(), false, message) == DrawingFile::Saved ? QString() : message; }
    DrawingFile::Outcome saveTo(const QString& path, bool overwrite, QString& message) { return session.saveTo(path, overwrite, message); }
};

// A layer as the independent reader prints it.
QString layerLine(const DrawingLayer& l, bool modern)
{
    const QString color = l.colorIndex > 0 ? QStringLiteral("aci:%1").arg(l.colorIndex)
                                           : QStringLiteral("rgb:%1,%2,%3").arg(l.color.red()).arg(l.color.green()).arg(l.color.blue());
    return QStringList{QStringLiteral("layer"), l.name, QString::number(l.on), QString::number(l.frozen),
                       QString::number(l.locked), color, l.linetype, QString::number(modern ? l.lineWeight : -3),
                       QString::number(modern ? l.plottable : 1), l.description}.join(QLatin1Char('\t'));
}

// What the independent reader says of each file, one list of lines per file.
QList<QStringList> check(const QStringList& files)
{
    QProcess python;
    python.start(kPython, QStringList{QStringLiteral(KVCC_SOURCE_DIR "/tests/demo/dxf/dxfcheck.py")} + files);
    if (!python.waitForFinished(240000) || python.exitCode() != 0)
        QTest::qFail(python.readAllStandardError().constData(), __FILE__, __LINE__);
    QList<QStringList> out;
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("file\t")))
            out.append(QStringList());
        else if (!out.isEmpty() && !line.isEmpty())
            out.last().append(line);
    }
    return out;
}

QMap<QString, int> tagged(const QStringList& lines, const QString& tag)
{
    QMap<QString, int> found;
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.first() == tag)
            found[f.at(1)] = f.at(2).toInt();
    }
    return found;
}

// The pairs of a file without its LAYER and APPID tables, its $CLAYER and
// the records of its layer states (a deleted layer leaves them).
QVector<DxfRawPair> outsideTables(const QByteArray& data)
{
    const DxfLayerStateReader states(data, DxfText("AC1032", ""));
    QMap<int, int> records; // -begin -> end, the last record first
    for (const DxfLayerStateLayout::Entry& e : states.layout().entries) {
        const auto record = states.layout().records.constFind(e.handle);
        if (record != states.layout().records.constEnd())
            records.insert(-record->begin, record->end);
    }
    QByteArray kept = data;
    for (auto it = records.cbegin(); it != records.cend(); ++it)
        kept.remove(-it.key(), it.value() + it.key());
    QVector<DxfRawPair> pairs = DxfRawPair::split(kept);
    for (int i = 0; i + 1 < pairs.size(); ++i) {
        if (pairs.at(i).is(9, "$CLAYER"))
            pairs.remove(i, 2);
    }
    for (const char* table : {"LAYER", "APPID"}) {
        for (int i = 0; i + 1 < pairs.size(); ++i) {
            if (!pairs.at(i).is(0, "TABLE") || !pairs.at(i + 1).is(2, table))
                continue;
            int end = i;
            while (end < pairs.size() && !pairs.at(end).is(0, "ENDTAB"))
                ++end;
            pairs.remove(i, end - i);
            break;
        }
    }
    return pairs;
}

// The commands for a drawing: a new layer with every property set, and
// changes of its layers; a layer the reader finds empty is deleted.
QStringList commandsFor(const DrawingDocument& d, bool modern, const QMap<QString, int>& objects)
{
    QStringList names;
    for (const DrawingLayer& l : d.layerState().layers) {
        if (l.name != QLatin1String("0") && l.name.compare(d.currentLayerName(), Qt::CaseInsensitive) != 0)
            names << l.name;
    }
    QStringList c{QStringLiteral("new \"Neue Ebene \u00fc\u4e00\""),
                  QStringLiteral("color \"Neue Ebene \u00fc\u4e00\" %1").arg(modern ? "10,20,30" : "30"),
                  QStringLiteral("description \"Neue Ebene \u00fc\u4e00\" Beschreibung \u20ac \u65e5\u672c"),
                  QStringLiteral("current \"Neue Ebene \u00fc\u4e00\"")};
    if (names.size() > 0)
        c << QStringLiteral("freeze \"%1\"").arg(names.at(0)) << QStringLiteral("rename \"%1\" \"%1-R\"").arg(names.at(0));
    if (names.size() > 1) {
        c << QStringLiteral("color \"%1\" 3").arg(names.at(1)) << QStringLiteral("off \"%1\"").arg(names.at(1));
        if (modern)
            c << QStringLiteral("lineweight \"%1\" 50").arg(names.at(1)) << QStringLiteral("noplot \"%1\"").arg(names.at(1));
    }
    for (const QString& n : names.mid(2)) {
        if (!objects.contains(n.toLower())) {
            c << QStringLiteral("delete \"%1\"").arg(n);
            break;
        }
    }
    return c;
}

// How many handles a file gives to more than one object.
int handlesGivenTwice(const QByteArray& data)
{
    const QVector<DxfRawPair> pairs = DxfRawPair::split(data);
    QSet<QByteArray> seen;
    int twice = 0;
    for (int i = 1; i < pairs.size(); ++i) {
        if ((pairs.at(i).code != 5 && pairs.at(i).code != 105) || pairs.at(i - 1).code == 9)
            continue;
        const QByteArray handle = pairs.at(i).value.trimmed().toUpper();
        twice += seen.contains(handle) ? 1 : 0;
        seen.insert(handle);
    }
    return twice;
}

QString copyToScratch(const QString& from, const QString& name)
{
    const QString copy = QDir(kvcctest::scratchDir()).filePath(name);
    QFile::remove(copy);
    QFile::copy(from, copy);
    QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

using kvcctest::writeScratch;

// A small drawing of the given version: layers "0", Walls (one line) and Empty.
QByteArray smallDrawing(const QByteArray& version)
{
    return DxfWriter().pair(0, "SECTION").pair(2, "HEADER").pair(9, "$ACADVER").pair(1, version).pair(9, "$DWGCODEPAGE")
        .pair(3, "ANSI_1252").endSection().beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1).layer("Empty", 0, 3)
        .endLayerTable().beginEntities().line("Walls", 0, 0, 10, 0).endSection().end().data();
}

// A drawing whose layer table is written pair by pair (the table's head and
// its end are the caller's), with one line on Walls.
QByteArray drawingWithTable(const QByteArray& tableBody)
{
    return DxfWriter().header("AC1015").pair(0, "SECTION").pair(2, "TABLES").data() + tableBody
           + DxfWriter().endSection().beginEntities().line("Walls", 0, 0, 1, 1).endSection().end().data();
}

QByteArray layerTable(const QByteArray& entries)
{
    return DxfWriter().pair(0, "TABLE").pair(2, "LAYER").pair(70, "2").layer("0", 0, 7).data() + entries;
}

QByteArray layerEntry(const QByteArray& name, int color)
{
    return DxfWriter().layer(name, 0, color).data();
}

// An R2000 drawing whose empty layer Old owns an extension dictionary,
// which owns an entry of its own.
QByteArray drawingWithLayerDictionary()
{
    DxfWriter w;
    w.header("AC1015").pair(0, "SECTION").pair(2, "TABLES").pair(0, "TABLE").pair(2, "LAYER").pair(5, "2")
        .pair(100, "AcDbSymbolTable").pair(70, "2").data();
    w.pair(0, "LAYER").pair(5, "10").pair(330, "2").pair(100, "AcDbSymbolTableRecord").pair(100, "AcDbLayerTableRecord")
        .pair(2, "0").pair(70, "0").pair(62, "7").pair(6, "CONTINUOUS");
    w.pair(0, "LAYER").pair(5, "11").pair(102, "{ACAD_XDICTIONARY").pair(360, "20").pair(102, "}").pair(330, "2")
        .pair(100, "AcDbSymbolTableRecord").pair(100, "AcDbLayerTableRecord").pair(2, "Old").pair(70, "0")
        .pair(62, "5").pair(6, "CONTINUOUS");
    w.pair(0, "ENDTAB").endSection().beginEntities().line("0", 0, 0, 1, 1).endSection();
    w.pair(0, "SECTION").pair(2, "OBJECTS").pair(0, "DICTIONARY").pair(5, "C").pair(330, "0").pair(100, "AcDbDictionary")
        .pair(281, "1");
    w.pair(0, "DICTIONARY").pair(5, "20").pair(330, "11").pair(100, "AcDbDictionary").pair(281, "1").pair(3, "NOTE")
        .pair(350, "21");
    w.pair(0, "XRECORD").pair(5, "21").pair(330, "20").pair(100, "AcDbXrecord").pair(280, "1").pair(1, "kept with Old");
    return w.endSection().end().data();
}

} // namespace

class TestDxfSave : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void failedSaveKeepsTheOldFile();
    void sampleSavesAsNewFile();
    void batchEdit_data();
    void batchEdit();
    void hostileBatch_data();
    void hostileBatch();
    void pairsAcrossChunks_data();
    void pairsAcrossChunks();
    void fileChangedBetweenPasses();
    void windowSavesWhatItOpened();
    void changesBehindTheDocumentAreSavedEachTime();
};

void TestDxfSave::roundTrip_data()
{
    QTest::addColumn<QString>("path");
    const QString dir = qEnvironmentVariable("KVCC_SHARED_DXF_DIR", QStringLiteral(KVCC_SHARED_DXF_DIR));
    for (const QString& f : QDir(dir).entryList({QStringLiteral("*.dxf")}, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(f)) << copyToScratch(QDir(dir).filePath(f), f);
    const DxfWriter written = DxfWriter().header("AC1015", "Walls").beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1)
        .layer("Doors", 0, 2, "CONTINUOUS", 25).layer("Empty", 0, 3).endLayerTable().beginEntities()
        .line("Walls", 0, 0, 10, 0).line("Doors", 0, 0, 0, 5).line("walls", 1, 1, 2, 2).endSection().end();
    QTest::newRow("written R2000 drawing with CR LF line ends") << writeScratch(written.data(true), "crlf.dxf");
    const DxfWriter r12 = DxfWriter().header("AC1009").beginLayerTable().layer("0", 0, 7).layer("A", 0, 1).layer("B", 0, 5)
        .layer("C", 0, 6).endLayerTable().beginEntities().line("A", 0, 0, 1, 1).line("B", 0, 0, 2, 2).endSection().end();
    QTest::newRow("written R12 drawing in a code page") << writeScratch(r12.data(), "r12.dxf");
    const DxfWriter utf8 = DxfWriter().pair(0, "SECTION").pair(2, "HEADER").pair(9, "$ACADVER").pair(1, "AC1021")
        .pair(9, "$DWGCODEPAGE").pair(3, "ANSI_1252").endSection().beginLayerTable().layer("0", 0, 7).layer("\xc3\x84ra", 0, 1)
        .layer("B", 0, 5).layer("C", 0, 6).endLayerTable().beginEntities().line("\xc3\x84ra", 0, 0, 1, 1).endSection().end();
    QTest::newRow("written 2007 drawing in UTF-8") << writeScratch(utf8.data(), "utf8.dxf");
    // Layer "0" carries a handle, so the new layer gets one; nothing says
    // where handles end. The highest handle lies after the tables, or in them.
    for (const char* line : {"2A", "0F"}) {
        const DxfWriter unseeded = DxfWriter().header("AC1015").beginLayerTable().pair(0, "LAYER").pair(5, "10")
            .pair(100, "AcDbSymbolTableRecord").pair(100, "AcDbLayerTableRecord").pair(2, "0").pair(70, "0").pair(62, "7")
            .pair(6, "CONTINUOUS").layer("A", 0, 1).layer("B", 0, 2).layer("C", 0, 3).endLayerTable().beginEntities()
            .pair(0, "LINE").pair(5, line).pair(8, "A").pair(10, "0").pair(20, "0").pair(11, "1").pair(21, "1").endSection().end();
        QTest::addRow("written drawing with handles up to %s and no seed", line == QLatin1String("2A") ? "2A" : "10")
            << writeScratch(unseeded.data(), QStringLiteral("unseeded%1.dxf").arg(QLatin1String(line)));
    }
}

void TestDxfSave::roundTrip()
{
    QFETCH(QString, path);
    if (!QFileInfo::exists(kPython))
        QSKIP("the independent reader runs on /usr/bin/python3 with ezdxf (scripts/bootstrap.sh installs it)");
    const QByteArray original = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    const QString before = path + QStringLiteral(".orig");
    QFile::remove(before);
    QVERIFY(QFile::copy(path, before));
    OpenDrawing drawing(path);
    const bool modern = !original.contains("AC1009");
    const QList<QStringList> first = check({before});
    QCOMPARE(first.size(), 1);
    const QStringList commands = commandsFor(drawing.document, modern, tagged(first.first(), "objects"));
    for (const QString& c : commands) {
        const QString error = drawing.edit.runLine(c);
        QVERIFY2(error.isEmpty(), qPrintable(c + ": " + error));
    }
    QCOMPARE(drawing.save(), QString());

    // The demo's own reader sees the layers as the drawing holds them.
    OpenDrawing reread(path);
    QCOMPARE(reread.document.layerState().layers.size(), drawing.document.layerState().alive.count(true));
    QStringList shown;
    const LayerTableState state = drawing.document.layerState();
    for (int s = 0; s < state.layers.size(); ++s) {
        if (state.isAlive(s))
            shown << layerLine(state.layers.at(s), modern);
    }
    QStringList read;
    for (const DrawingLayer& l : reread.document.layerState().layers)
        read << layerLine(l, modern);
    shown.sort();
    read.sort();
    QCOMPARE(read, shown);
    QCOMPARE(reread.document.currentLayerName(), drawing.document.currentLayerName());

    // So does the independent one; every object is on its layer and its audit finds nothing new.
    const QStringList after = check({path}).value(0);
    QStringList independent = after.filter(QRegularExpression(QStringLiteral("^layer\t")));
    independent.sort();
    // Each reader adds the layers it always has ("0", "Defpoints") to a drawing that lacks them.
    const QRegularExpression added(QStringLiteral("^layer\t(0|Defpoints)\t"));
    if (independent.filter(added).size() > shown.filter(added).size())
        independent.erase(std::remove_if(independent.begin(), independent.end(),
                                         [&](const QString& l) { return l.contains(added) && !shown.contains(l); }),
                          independent.end());
    else if (independent.filter(added).size() < shown.filter(added).size())
        shown.erase(std::remove_if(shown.begin(), shown.end(),
                                   [&](const QString& l) { return l.contains(added) && !independent.contains(l); }),
                    shown.end());
    QCOMPARE(independent, shown);
    QMap<QString, int> objects = tagged(first.first(), "objects");
    for (const QString& c : commands) {
        QStringList w;
        LayerBatchEdit::split(c, w);
        if (w.first() == QLatin1String("rename") && objects.contains(w.at(1).toLower()))
            objects[w.at(2).toLower()] = objects.take(w.at(1).toLower());
    }
    QCOMPARE(tagged(after, "objects"), objects);
    const QMap<QString, int> findings = tagged(first.first(), "audit");
    const QMap<QString, int> newFindings = tagged(after, "audit");
    for (auto it = newFindings.cbegin(); it != newFindings.cend(); ++it)
        QVERIFY2(it.value() <= findings.value(it.key()), qPrintable(QStringLiteral("audit finding %1").arg(it.key())));

    // Outside the layer and application tables only layer names, $CLAYER and $HANDSEED changed.
    const QByteArray saved = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    QCOMPARE(DxfRawPair::lineEndOf(saved), DxfRawPair::lineEndOf(original));
    QCOMPARE(handlesGivenTwice(saved), handlesGivenTwice(original));
    const QVector<DxfRawPair> a = outsideTables(original), b = outsideTables(saved);
    QCOMPARE(b.size(), a.size());
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).raw != b.at(i).raw && a.at(i).code != 8 && !(a.at(i).code == 5 && i > 0 && a.at(i - 1).is(9, "$HANDSEED")))
            QFAIL(qPrintable(QStringLiteral("pair %1 changed: %2").arg(i).arg(QString::fromLatin1(a.at(i).raw))));
    }
}

// A save that fails leaves the file as it was: changed meanwhile by
// another program, or a folder that is not there.
void TestDxfSave::failedSaveKeepsTheOldFile()
{
    const QByteArray data = DxfWriter().header("AC1015").beginLayerTable().layer("0", 0, 7).endLayerTable().end().data();
    const QString path = writeScratch(data, "meanwhile.dxf");
    OpenDrawing drawing(path);
    QVERIFY(drawing.edit.runLine(QStringLiteral("new X")).isEmpty());
    const QByteArray other = data + "999\nchanged by someone else\n";
    writeScratch(other, "meanwhile.dxf");
    QString message;
    QCOMPARE(drawing.saveTo(path, false, message), DrawingFile::ChangedOnDisk);
    QVERIFY(message.contains(QLatin1String("changed by another program")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), other);
    const QString nowhere = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("no/such/folder/x.dxf"));
    QVERIFY(drawing.saveTo(nowhere, false, message) != DrawingFile::Saved);
    QVERIFY(!QFileInfo::exists(nowhere));
    QCOMPARE(drawing.saveTo(path, true, message), DrawingFile::Saved);
}

// The built-in sample has no file: Save As writes a new one that both
// readers take with every layer and object.
void TestDxfSave::sampleSavesAsNewFile()
{
    DrawingDocument document;
    document.load(sampleFloorPlan());
    DrawingFile file;
    const QString path = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("sample.dxf"));
    QString message;
    QCOMPARE(file.save(document, path, false, message), DrawingFile::Saved);
    OpenDrawing reread(path);
    QCOMPARE(reread.document.drawing().entities.size(), document.drawing().entities.size());
    QStringList names, read;
    for (const DrawingLayer& l : document.layerState().layers)
        names << l.name;
    for (const DrawingLayer& l : reread.document.layerState().layers)
        read << l.name;
    QCOMPARE(read, names);
    if (QFileInfo::exists(kPython))
        QCOMPARE(check({path}).value(0).filter(QRegularExpression(QStringLiteral("^layer\t"))).size(), names.size());
}

void TestDxfSave::batchEdit_data()
{
    QTest::addColumn<QByteArray>("commands");
    QTest::addColumn<QString>("report");
    QTest::newRow("good commands save the drawing") << QByteArray("# renames\nrename Walls \"Outer Walls\"\n\ncolor \"Outer Walls\" 0,255,0\n") << QString();
    QTest::newRow("a refused line is reported with its number and nothing is written")
        << QByteArray("new Walls2\ndelete Walls\n") << QStringLiteral(":2: Layer \"Walls\" is the current layer");
    QTest::newRow("a malformed line is reported") << QByteArray("color Walls red\n") << QStringLiteral(":1: \"red\" is not a color");
    QTest::newRow("an unknown command is reported") << QByteArray("paint Walls\n") << QStringLiteral(":1: unknown command");
    QTest::newRow("an open quote is reported") << QByteArray("new \"Walls 3\n") << QStringLiteral(":1: a double quote");
    QTest::newRow("a layer-wide command with a word after it is reported")
        << QByteArray("all-on\nthaw-all Walls\n") << QStringLiteral(":2: \"thaw-all\" takes no arguments");
}

void TestDxfSave::batchEdit()
{
    QFETCH(QByteArray, commands);
    QFETCH(QString, report);
    const QByteArray data = DxfWriter().header("AC1015", "Walls").beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1)
        .endLayerTable().beginEntities().line("Walls", 0, 0, 10, 0).endSection().end().data();
    const QString in = writeScratch(data, "batch.dxf");
    const QString out = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("batch-out.dxf"));
    QFile::remove(out);
    QString errors;
    QTextStream err(&errors);
    const int status = LayerBatchEdit::run(writeScratch(commands, "commands.txt"), in, out, err);
    err.flush();
    QCOMPARE(status != 0, !report.isEmpty());
    QCOMPARE(QFileInfo::exists(out), report.isEmpty());
    QVERIFY2(report.isEmpty() ? errors.isEmpty() : errors.contains(report), qPrintable(errors));
    if (report.isEmpty()) {
        OpenDrawing saved(out);
        DrawingLayer walls;
        QVERIFY(saved.document.findLayerProperties(QStringLiteral("Outer Walls"), walls));
        QCOMPARE(walls.colorIndex, 3);
        QCOMPARE(saved.document.currentLayerName(), QStringLiteral("Outer Walls"));
        QCOMPARE(saved.document.drawing().entities.size(), 1);
    }
}

// Each row edits a drawing from a command file into an output that already
// holds a file (or is a pipe or a device). A row with a report must fail:
// exit status 1, the report, and the output as it was. A row without one
// must save, and both readers must see the layer line given.
void TestDxfSave::hostileBatch_data()
{
    QTest::addColumn<QByteArray>("drawing");
    QTest::addColumn<QByteArray>("commands");
    QTest::addColumn<QString>("output"); // file, fifo, device, full
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("layer"); // the start of a layer line both readers print
    QTest::addColumn<QString>("absent"); // the start of a layer line neither prints
    const QByteArray r2000 = smallDrawing("AC1015"), utf8 = smallDrawing("AC1021");
    const QString file = QStringLiteral("file");
    const QByteArray cyrillic = QString(QChar(0x0416)).repeated(128).toUtf8();
    const QByteArray endTab = DxfWriter().pair(0, "ENDTAB").data();

    QTest::newRow("a full disk fails the save of a small drawing and keeps the old file")
        << r2000 << QByteArray("freeze Walls\n") << QStringLiteral("full") << QStringLiteral("could not be saved") << QString() << QString();
    QTest::newRow("a pipe as output is refused, not replaced")
        << r2000 << QByteArray("freeze Walls\n") << QStringLiteral("fifo") << QStringLiteral("not a regular file") << QString() << QString();
    QTest::newRow("a device as output is refused, not replaced")
        << r2000 << QByteArray("freeze Walls\n") << QStringLiteral("device") << QStringLiteral("not a regular file") << QString() << QString();
    QTest::newRow("a NUL byte refuses the command file at its line")
        << r2000 << QByteArray("new A\nnew B\0\nnew C\n", 19) << file << QStringLiteral(":2: the line holds a NUL byte") << QString() << QString();
    QTest::newRow("a Latin-1 command file is refused at its line")
        << r2000 << QByteArray("# ok\nnew Gr\xfcn\n") << file << QStringLiteral(":2: the line is not UTF-8") << QString() << QString();
    QTest::newRow("an overlong UTF-8 slash is refused")
        << r2000 << QByteArray("new A\xc0\xaf\n") << file << QStringLiteral(":1: the line is not UTF-8") << QString() << QString();
    QTest::newRow("a surrogate encoded as UTF-8 is refused")
        << r2000 << QByteArray("new A\xed\xa0\x80\n") << file << QStringLiteral(":1: the line is not UTF-8") << QString() << QString();
    QTest::newRow("CR LF line ends and a BOM are plain text")
        << r2000 << QByteArray("\xef\xbb\xbf" "color Walls 3\r\n") << file << QString() << QStringLiteral("layer\tWalls\t1\t0\t0\taci:3\t") << QString();

    QTest::newRow("a character beyond U+FFFF in a code-page drawing is refused, not halved")
        << r2000 << QByteArray("new A\xf0\x9f\x98\x80\nnew A\xf0\x9f\x98\x81\n") << file << QStringLiteral(":1: \"A") << QString() << QString();
    QTest::newRow("a character beyond U+FFFF in a UTF-8 drawing is kept")
        << utf8 << QByteArray("new A\xf0\x9f\x98\x80\ncolor A\xf0\x9f\x98\x80 5\n") << file << QString()
        << QStringLiteral("layer\tA\U0001F600\t1\t0\t0\taci:5\t") << QString();
    QTest::newRow("a name of 128 Cyrillic letters is too long for a UTF-8 drawing")
        << utf8 << "new " + cyrillic << file << QStringLiteral("at most 255 bytes") << QString() << QString();
    QTest::newRow("a name of 40 Cyrillic letters, escaped, is too long for a code-page drawing")
        << r2000 << "new " + cyrillic.left(80) << file << QStringLiteral("at most 255 bytes") << QString() << QString();
    QTest::newRow("a description longer than an extended data string is refused")
        << r2000 << "description Walls " + QByteArray(256, 'x') << file << QStringLiteral("at most 255 bytes") << QString() << QString();
    QTest::newRow("a control character inside a description is refused")
        << r2000 << QByteArray("description Walls a\x1b[2Jb\n") << file << QStringLiteral("control characters") << QString() << QString();
    QTest::newRow("a description that spells an escape reads back as written")
        << utf8 << QByteArray("description Walls \\U+0041\n") << file << QString()
        << QStringLiteral("layer\tWalls\t1\t0\t0\taci:1\tCONTINUOUS\t-3\t1\t\\U+0041") << QString();
    QTest::newRow("a change to a drawing without a LAYER table is refused, not dropped")
        << DxfWriter().header("AC1015").beginEntities().line("Walls", 0, 0, 1, 1).endSection().end().data()
        << QByteArray("color Walls 3\n") << file << QStringLiteral("no complete LAYER table") << QString() << QString();
    QTest::newRow("a change to a LAYER table without ENDTAB is refused, not dropped")
        << drawingWithTable(layerTable(layerEntry("Walls", 1)) + DxfWriter().pair(0, "TABLE").pair(2, "LTYPE").pair(0, "ENDTAB").data())
        << QByteArray("color Walls 3\n") << file
        << QStringLiteral("no complete LAYER table") << QString() << QString();
    QTest::newRow("an entry whose name ends in blanks is renamed, not doubled")
        << drawingWithTable(layerTable(layerEntry("Walls  ", 1)) + endTab) << QByteArray("rename Walls Outer\ncolor Outer 3\n")
        << file << QString() << QStringLiteral("layer\tOuter\t1\t0\t0\taci:3\t") << QStringLiteral("layer\tWalls");
    QTest::newRow("a change to a layer the table holds twice, in two cases, is refused")
        << drawingWithTable(layerTable(layerEntry("Walls", 1) + layerEntry("WALLS", 2)) + endTab)
        << QByteArray("color Walls 3\n") << file << QStringLiteral("2 entries for layer") << QString() << QString();
    QTest::newRow("all-on turns on every layer, the current one too, and thaws none")
        << r2000 << QByteArray("off Empty\nfreeze Empty\noff 0\nall-on\n") << file << QString()
        << QStringLiteral("layer\tEmpty\t1\t1\t") << QStringLiteral("layer\t0\t0\t");
    QTest::newRow("thaw-all thaws every layer and turns none on")
        << r2000 << QByteArray("off Empty\nfreeze Empty\nfreeze Walls\nthaw-all\n") << file << QString()
        << QStringLiteral("layer\tEmpty\t0\t0\t") << QStringLiteral("layer\tWalls\t1\t1\t");
    QTest::newRow("a deleted layer takes its extension dictionary and what that owns")
        << drawingWithLayerDictionary() << QByteArray("delete Old\n") << file << QString()
        << QStringLiteral("layer\t0\t") << QStringLiteral("layer\tOld");
}

void TestDxfSave::hostileBatch()
{
    QFETCH(QByteArray, drawing);
    QFETCH(QByteArray, commands);
    QFETCH(QString, output);
    QFETCH(QString, report);
    QFETCH(QString, layer);
    QFETCH(QString, absent);
    const QString in = writeScratch(drawing, "hostile.dxf");
    const QByteArray old("the old file\n");
    QFile::remove(QDir(kvcctest::scratchDir()).filePath(QStringLiteral("hostile-out.dxf"))); // the last row's pipe
    QString out = writeScratch(old, "hostile-out.dxf");
    if (output == QLatin1String("fifo")) {
        QFile::remove(out);
        QCOMPARE(mkfifo(QFile::encodeName(out).constData(), 0600), 0);
    } else if (output == QLatin1String("device")) {
        out = QStringLiteral("/dev/null");
    }
    QString errors;
    QTextStream err(&errors);
    const QString commandsPath = writeScratch(commands, "hostile.txt");
    int status = 0;
    if (output == QLatin1String("full")) {
        // A file system with no room left: writes past the limit fail with EFBIG.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved;
        tight.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &tight);
        status = LayerBatchEdit::run(commandsPath, in, out, err);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    } else {
        status = LayerBatchEdit::run(commandsPath, in, out, err);
    }
    err.flush();
    if (!report.isEmpty()) {
        QVERIFY2(errors.contains(report), qPrintable(errors));
        QCOMPARE(status, 1);
        const QFileInfo info(out);
        if (output == QLatin1String("fifo"))
            QVERIFY(!info.isFile() && info.exists());
        else if (output == QLatin1String("device"))
            QVERIFY(!info.isFile());
        else
            QCOMPARE([&] { QFile f(out); f.open(QIODevice::ReadOnly); return f.readAll(); }(), old);
        return;
    }
    QVERIFY2(status == 0, qPrintable(errors));
    OpenDrawing reread(out);
    QStringList ours;
    for (const DrawingLayer& l : reread.document.layerState().layers)
        ours << layerLine(l, true);
    const auto starting = [](const QString& start) { return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(start)); };
    QVERIFY2(!ours.filter(starting(layer)).isEmpty(), qPrintable(ours.join('\n')));
    QVERIFY(absent.isEmpty() || ours.filter(starting(absent)).isEmpty());
    if (!QFileInfo::exists(kPython))
        QSKIP("the independent reader runs on /usr/bin/python3 with ezdxf");
    const QList<QStringList> both = check({in, out});
    QCOMPARE(both.size(), 2);
    const QStringList& independent = both.at(1);
    QVERIFY2(!independent.filter(starting(layer)).isEmpty(), qPrintable(independent.join('\n')));
    QVERIFY(absent.isEmpty() || independent.filter(starting(absent)).isEmpty());
    const QMap<QString, int> findings = tagged(both.at(0), "audit");
    const QMap<QString, int> newFindings = tagged(independent, "audit");
    for (auto it = newFindings.cbegin(); it != newFindings.cend(); ++it)
        QVERIFY2(it.value() <= findings.value(it.key()), qPrintable(QStringLiteral("audit finding %1").arg(it.key())));
}

// The file is read a chunk at a time: wherever a chunk ends, inside a pair
// that changes or between the two bytes of a line end, the copy is the file
// with only the renamed layer's name changed, its tables before or after
// the entities.
void TestDxfSave::pairsAcrossChunks_data()
{
    QTest::addColumn<bool>("crlf");
    QTest::addColumn<bool>("tablesLast");
    QTest::newRow("LF line ends") << false << false;
    QTest::newRow("CR LF line ends") << true << false;
    QTest::newRow("tables after the entities") << false << true;
}

void TestDxfSave::pairsAcrossChunks()
{
    QFETCH(bool, crlf);
    QFETCH(bool, tablesLast);
    DxfWriter lines = DxfWriter().beginEntities();
    for (int i = 0; i < 3000; ++i)
        lines.line("Walls", 1, 2, 3, 4);
    const QByteArray tables = DxfWriter().beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1).endLayerTable().data();
    const QByteArray entities = lines.endSection().data();
    const QByteArray body = DxfWriter().header("AC1015", "Walls").data() + (tablesLast ? entities + tables : tables + entities)
                            + DxfWriter().end().data();
    const QByteArray commands = "rename Walls Outer\n";
    const QString out = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("chunks-out.dxf"));
    // Padding the file's start by up to one line entity moves each chunk's end over every byte of one.
    for (int pad = 0; pad < DxfWriter().line("Walls", 1, 2, 3, 4).data(crlf).size(); ++pad) {
        QByteArray data = DxfWriter().pair(999, QByteArray(pad, 'x')).data() + body;
        if (crlf)
            data.replace("\n", "\r\n");
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(LayerBatchEdit::run(writeScratch(commands, "chunks.txt"), writeScratch(data, "chunks.dxf"), out, err), 0);
        QFile saved(out);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray(data).replace("Walls", "Outer"));
    }
}

// A save reads its file more than once: a file that changes in between is
// refused rather than written half from each version.
void TestDxfSave::fileChangedBetweenPasses()
{
    const QByteArray data = smallDrawing("AC1015");
    QBuffer source;
    source.setData(data);
    QVERIFY(source.open(QIODevice::ReadOnly));
    DxfSaver saver(source);
    source.buffer().replace("Empty", "Other");
    DxfLayerEdit edit;
    QBuffer out;
    QVERIFY(out.open(QIODevice::WriteOnly));
    QString error;
    QVERIFY(!saver.write(edit, out, error));
    QVERIFY2(error.contains(QLatin1String("changed while it was being saved")), qPrintable(error));

    // Between reading the drawing for a layer edit and saving it.
    const QString path = writeScratch(data, "between.dxf");
    DrawingSession session;
    QCOMPARE(session.openFile(path, DxfImport::Extent::Layers), QString());
    writeScratch(QByteArray(data).replace("Empty", "Other"), "between.dxf");
    QString message;
    QCOMPARE(session.saveTo(QDir(kvcctest::scratchDir()).filePath(QStringLiteral("between-out.dxf")), false, message),
             DrawingFile::Failed);
    QVERIFY2(message.contains(QLatin1String("changed by another program since it was read")), qPrintable(message));
}

// A drawing open in the window saves from a copy of its file as opened:
// Save As still writes it whole once another program removed the file.
void TestDxfSave::windowSavesWhatItOpened()
{
    const QString path = writeScratch(smallDrawing("AC1015"), "opened.dxf");
    OpenDrawing drawing(path);
    QVERIFY(drawing.edit.runLine(QStringLiteral("color Walls 5")).isEmpty());
    QVERIFY(QFile::remove(path));
    const QString copy = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("opened-copy.dxf"));
    QString message;
    QCOMPARE(drawing.saveTo(copy, false, message), DrawingFile::Saved);
    OpenDrawing saved(copy);
    DrawingLayer walls;
    QVERIFY(saved.document.findLayerProperties(QStringLiteral("Walls"), walls));
    QCOMPARE(walls.colorIndex, 5);
    QCOMPARE(saved.document.drawing().entities.size(), 1);
}

// A layer changed in the drawing's database itself, as the library's
// widgets change it, is written by each save: turned off and saved, then
// on again and saved, the file holds it on.
void TestDxfSave::changesBehindTheDocumentAreSavedEachTime()
{
    const QString path = writeScratch(smallDrawing("AC1015"), "behind.dxf");
    OpenDrawing drawing(path);
    for (const bool off : {true, false}) {
        DkDbObject* object = nullptr;
        QCOMPARE(dkdbOpenDkDbObject(object, drawing.document.database()->layerId(L"Walls"), DkDb::kForWrite), Dk::eOk);
        static_cast<DkDbLayerTableRecord*>(object)->setIsOff(off);
        object->close();
        QCOMPARE(drawing.save(), QString());
        OpenDrawing saved(path);
        DrawingLayer walls;
        QVERIFY(saved.document.findLayerProperties(QStringLiteral("Walls"), walls));
        QCOMPARE(walls.on, !off);
    }
}

KVCC_TEST_MAIN(TestDxfSave)
#include "tst_dxfsave.moc"
