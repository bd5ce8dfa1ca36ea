#include "kvcctest.h"

#include "drawingsession.h"
#include "dxflayerstatereader.h"
#include "dxfrawpair.h"
#include "dxfwriter.h"
#include "layerbatchedit.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

using namespace Demo;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kSample = QStringLiteral("acadsharp_sample_AC1032_ascii.dxf");

QString sharedDir()
{
    return qEnvironmentVariable("KVCC_SHARED_DXF_DIR", QStringLiteral(KVCC_SHARED_DXF_DIR));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using kvcctest::writeScratch;

struct OpenDrawing {
    DrawingSession session;
    DrawingDocument& document = *session.document();
    LayerBatchEdit edit{session.document(), session.history()};
    DrawingLayerStateStore store{session.document(), session.history()};
    QString error;

    explicit OpenDrawing(const QString& path) : error(session.openFile(path)) {}
    QString save() { QString m; return session.saveTo(session.file().path(), false, m) == DrawingFile::Saved ? QString() : m; }
};

// The states as tests/demo/dxf/dxfcheck.py prints them, sorted.
QStringList stateLines(const DrawingLayerStates& states)
{
    QStringList lines;
    for (const DrawingLayerState& s : states.states) {
        lines << QStringList{QStringLiteral("state"), s.name, QString::number(s.mask), s.description, s.currentLayer}.join('\t');
        for (const DrawingLayerStateEntry& e : s.layers)
            lines << QStringList{QStringLiteral("statelayer"), s.name, e.layerName, QString::number(e.flags),
                                 QString::number(e.colorIndex), QString::number(e.lineWeight), e.linetype}.join('\t');
    }
    lines.sort();
    return lines;
}

// What the independent reader prints of a file, sorted: its states of
// these names, or its audit findings.
QStringList independent(const QString& path, const QString& tag = QStringLiteral("state"), const QStringList& names = {})
{
    QProcess python;
    python.start(kPython, {QStringLiteral(KVCC_SOURCE_DIR "/tests/demo/dxf/dxfcheck.py"), path});
    if (!python.waitForFinished(240000) || python.exitCode() != 0)
        QTest::qFail(python.readAllStandardError().constData(), __FILE__, __LINE__);
    QStringList lines = QString::fromUtf8(python.readAllStandardOutput()).split('\n').filter(QRegularExpression('^' + tag));
    if (tag == QLatin1String("state"))
        lines.erase(std::remove_if(lines.begin(), lines.end(), [&](const QString& l) { return !names.contains(l.section('\t', 1, 1)); }),
                    lines.end());
    lines.sort();
    return lines;
}

// The file's bytes without the objects of the given handles, the layer
// table's link to one of them and the handle seed.
QByteArray without(const QByteArray& data, const QSet<QByteArray>& handles)
{
    const QVector<DxfRawPair> pairs = DxfRawPair::split(data);
    QByteArray out;
    bool skipping = false;
    for (int i = 0; i < pairs.size(); ++i) {
        if (pairs.at(i).code == 0) {
            int h = i + 1;
            while (h < pairs.size() && pairs.at(h).code != 0 && pairs.at(h).code != 5)
                ++h;
            skipping = h < pairs.size() && pairs.at(h).code == 5 && handles.contains(pairs.at(h).value.trimmed().toUpper());
        }
        const bool link = i + 2 < pairs.size() && pairs.at(i).is(102, "{ACAD_XDICTIONARY")
                          && handles.contains(pairs.at(i + 1).value.trimmed().toUpper());
        if (link)
            i += 2;
        else if (!skipping && !(i > 0 && pairs.at(i - 1).is(9, "$HANDSEED")))
            out += pairs.at(i).raw;
    }
    return out;
}

// The state dictionaries of the original and every object the saved file adds.
QSet<QByteArray> touched(const QByteArray& original, const QByteArray& saved)
{
    const DxfText text("AC1032", "");
    const DxfLayerStateReader a(original, text), b(saved, text);
    QSet<QByteArray> handles{a.layout().tableDictionary, a.layout().statesDictionary};
    for (const auto* objects : {&b.layout().records, &b.layout().dictionaries}) {
        for (auto it = objects->cbegin(); it != objects->cend(); ++it) {
            if (!a.layout().records.contains(it.key()) && !a.layout().dictionaries.contains(it.key()))
                handles.insert(it.key());
        }
    }
    return handles;
}

// A drawing of the given version whose layer table (handle 2) owns the
// dictionary 30 that holds the states dictionary 31 with these entries
// (name, record handle) and these records (handle, pairs after the head).
QByteArray drawingWithStates(const QByteArray& version, const QVector<QPair<QByteArray, QByteArray>>& entries,
                             const QVector<QPair<QByteArray, QByteArray>>& records)
{
    DxfWriter w;
    w.pair(0, "SECTION").pair(2, "HEADER").pair(9, "$ACADVER").pair(1, version).pair(9, "$DWGCODEPAGE").pair(3, "ANSI_1252");
    w.pair(9, "$HANDSEED").pair(5, "100").endSection().pair(0, "SECTION").pair(2, "TABLES");
    w.pair(0, "TABLE").pair(2, "LTYPE").pair(5, "5").pair(100, "AcDbSymbolTable").pair(70, "1").pair(0, "LTYPE").pair(5, "14")
        .pair(100, "AcDbSymbolTableRecord").pair(100, "AcDbLinetypeTableRecord").pair(2, "Continuous").pair(70, "0")
        .pair(3, "Solid line").pair(72, "65").pair(73, "0").pair(40, "0.0").pair(0, "ENDTAB");
    w.pair(0, "TABLE").pair(2, "LAYER").pair(5, "2").pair(102, "{ACAD_XDICTIONARY").pair(360, "30").pair(102, "}")
        .pair(100, "AcDbSymbolTable").pair(70, "2");
    for (const char* layer : {"0:10", "Walls:11"}) {
        const QList<QByteArray> f = QByteArray(layer).split(':');
        w.pair(0, "LAYER").pair(5, f.at(1)).pair(330, "2").pair(100, "AcDbSymbolTableRecord")
            .pair(100, "AcDbLayerTableRecord").pair(2, f.at(0)).pair(70, "0").pair(62, "7").pair(6, "Continuous");
    }
    w.pair(0, "ENDTAB").endSection().beginEntities().line("Walls", 0, 0, 1, 1).endSection();
    w.pair(0, "SECTION").pair(2, "OBJECTS").pair(0, "DICTIONARY").pair(5, "C").pair(330, "0").pair(100, "AcDbDictionary");
    w.pair(0, "DICTIONARY").pair(5, "30").pair(330, "2").pair(100, "AcDbDictionary").pair(3, "ACAD_LAYERSTATES").pair(360, "31");
    w.pair(0, "DICTIONARY").pair(5, "31").pair(330, "30").pair(100, "AcDbDictionary");
    for (const auto& e : entries)
        w.pair(3, e.first).pair(350, e.second);
    QByteArray data = w.data();
    for (const auto& r : records)
        data += DxfWriter().pair(0, "XRECORD").pair(5, r.first).pair(330, "31").pair(100, "AcDbXrecord").pair(280, "1").data()
                + r.second;
    return data + DxfWriter().endSection().end().data();
}

// A record of layer Walls with these flags; without its mask it is no state the demo reads.
QByteArray record(const QByteArray& flags, bool withMask = true)
{
    DxfWriter w;
    if (withMask)
        w.pair(91, "255");
    return w.pair(301, "").pair(302, "0").pair(330, "11").pair(90, flags).pair(62, "3").pair(370, "-3").pair(331, "14")
        .pair(1, "Color_3").pair(440, "0").data();
}

} // namespace

class TestDemoLayerStates : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void layerEditsReachStates();
    void restoreSampleState_data();
    void restoreSampleState();
    void refusals_data();
    void refusals();
};

void TestDemoLayerStates::roundTrip_data()
{
    QTest::addColumn<QString>("path");
    for (const QString& f : QDir(sharedDir()).entryList({QStringLiteral("*.dxf")}, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(f)) << writeScratch(readAll(QDir(sharedDir()).filePath(f)), f);
    QTest::newRow("written drawing whose layer table's dictionary holds no states")
        << writeScratch(drawingWithStates("AC1018", {}, {}).replace("  3\nACAD_LAYERSTATES\n360\n31\n", ""), "nostates.dxf");
    QTest::newRow("written drawing with a record, an entry naming nothing, a broken record and a name given twice")
        << writeScratch(drawingWithStates("AC1018", {{"Good", "40"}, {"Dangling", "4F"}, {"Broken", "41"}, {"BROKEN", "42"}},
                                          {{"40", record("9")}, {"41", record("8", false)}, {"42", record("8")}}),
                        "hostile.dxf");
}

// States the file holds read as the independent reader reads them; states
// saved (by a command and through the store), renamed and deleted are
// written so, and the file stays byte for byte as it was outside them.
void TestDemoLayerStates::roundTrip()
{
    QFETCH(QString, path);
    if (!QFileInfo::exists(kPython))
        QSKIP("the independent reader runs on /usr/bin/python3 with ezdxf (scripts/bootstrap.sh installs it)");
    const QByteArray original = readAll(path);
    OpenDrawing drawing(path);
    QCOMPARE(drawing.error, QString());
    QCOMPARE(stateLines(drawing.document.layerStates()), independent(path, QStringLiteral("state"), drawing.store.stateNames()));
    const QStringList audit = independent(path, QStringLiteral("audit"));
    const QString first = drawing.store.stateNames().value(0);
    const QString error = drawing.edit.runLine(QStringLiteral("state save \"Plan \u00e4 \u20ac \u65e5 1\""));
    if (!drawing.document.layerStates().storable) {
        QVERIFY2(error.contains(QLatin1String("no place for layer states")), qPrintable(error));
        return;
    }
    QCOMPARE(error, QString());
    QCOMPARE(drawing.store.saveState(KvCc::LayerState::capture(QStringLiteral("Window"), QStringLiteral("from \"there\""))), QString());
    // A line break would end the group early in the file.
    QVERIFY(drawing.store.saveState(KvCc::LayerState::capture(QStringLiteral("Two"), QStringLiteral("a\nb"))).contains("line breaks"));
    if (!first.isEmpty())
        QCOMPARE(drawing.edit.runLine(QStringLiteral("state rename \"%1\" \"%1 (2)\"").arg(first)), QString());
    QVERIFY(drawing.session.hasUnsavedChanges());
    QCOMPARE(drawing.save(), QString());
    QVERIFY(!drawing.session.hasUnsavedChanges());

    const QByteArray saved = readAll(path);
    OpenDrawing reread(path);
    QCOMPARE(stateLines(reread.document.layerStates()), stateLines(drawing.document.layerStates()));
    QCOMPARE(independent(path, QStringLiteral("state"), reread.store.stateNames()), stateLines(reread.document.layerStates()));
    // The audit finds nothing new (an entry that named nothing is gone).
    for (const QString& finding : independent(path, QStringLiteral("audit"))) {
        const QString before = audit.filter(QRegularExpression('^' + finding.section('\t', 0, 1) + '\t')).value(0);
        QVERIFY2(finding.section('\t', 2).toInt() <= before.section('\t', 2).toInt(), qPrintable(finding));
    }
    QCOMPARE(reread.store.stateNames().size(), drawing.store.stateNames().size());
    QCOMPARE(without(saved, touched(original, saved)), without(original, touched(original, saved)));

    // Deleting the new states and renaming the old one back gives the file's
    // own bytes again, but for entries that named nothing.
    QCOMPARE(drawing.edit.runLine(QStringLiteral("state delete \"plan \u00e4 \u20ac \u65e5 1\"")), QString());
    QCOMPARE(drawing.store.removeState(QStringLiteral("WINDOW")), QString());
    if (!first.isEmpty())
        QCOMPARE(drawing.edit.runLine(QStringLiteral("state rename \"%1 (2)\" \"%1\"").arg(first)), QString());
    QCOMPARE(drawing.save(), QString());
    const bool hadStates = !DxfLayerStateReader(original, DxfText("AC1032", "")).layout().statesDictionary.isEmpty()
                           && !drawing.document.drawing().notes.join(' ').contains(QLatin1String("name no record"));
    const QSet<QByteArray> changed = hadStates ? QSet<QByteArray>() : touched(original, readAll(path));
    QCOMPARE(without(readAll(path), changed), without(original, changed));
}

// States name layers by handle: a renamed layer stays in them (a new one
// too), a deleted one leaves them when the drawing is saved.
void TestDemoLayerStates::layerEditsReachStates()
{
    const QString path = QDir(sharedDir()).filePath(kSample);
    if (!QFileInfo::exists(path) || !QFileInfo::exists(kPython))
        QSKIP("the shared drawings or /usr/bin/python3 with ezdxf are missing");
    OpenDrawing drawing(path);
    const int layers = drawing.document.layerStates().states.value(0).layers.size();
    for (const char* line : {"new Fresh", "state save Later", "rename Fresh Fresh2", "rename Layer1 \"Layer One\"",
                             "delete Layer_Off"})
        QCOMPARE(drawing.edit.runLine(QString::fromLatin1(line)), QString());
    const QString copy = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("edited.dxf"));
    QString message;
    QCOMPARE(drawing.session.saveTo(copy, false, message), DrawingFile::Saved);
    OpenDrawing reread(copy);
    const QStringList lines = stateLines(reread.document.layerStates());
    QCOMPARE(lines, independent(copy, QStringLiteral("state"), reread.store.stateNames()));
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^statelayer\tACAD"))).size(), layers - 1);
    QCOMPARE(lines.filter(QStringLiteral("\tLayer One\t")).size(), 2);
    QCOMPARE(lines.filter(QStringLiteral("statelayer\tLater\tFresh2\t")).size(), 1);
}

void TestDemoLayerStates::restoreSampleState_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("every property") << int(KvCc::LayerState::AllProperties);
    QTest::newRow("on and off only") << int(KvCc::LayerState::On);
}

// The sample's one state, restored, gives its layers the flags and colors
// it records as one undo step; undo brings the layers back.
void TestDemoLayerStates::restoreSampleState()
{
    QFETCH(int, which);
    const QString path = QDir(sharedDir()).filePath(kSample);
    if (!QFileInfo::exists(path))
        QSKIP("the shared drawings are missing");
    OpenDrawing drawing(path);
    const DrawingLayerState stored = drawing.document.layerStates().states.value(0);
    QCOMPARE(stored.name, QStringLiteral("ACAD_VIEWS_view_custom"));
    for (const char* line : {"off Layer1", "on Layer_Off", "thaw Layer_Freeze", "unlock Layer_Lock", "color Layer_color_80 5"})
        QCOMPARE(drawing.edit.runLine(QString::fromLatin1(line)), QString());
    const LayerTableState before = drawing.document.layerState();
    QCOMPARE(drawing.store.restoreState(stored.name, KvCc::LayerState::Properties(which), false), QString());
    QCOMPARE(drawing.session.history()->undoText(), DrawingLayerStateStore::restoreText(stored.name));
    for (const DrawingLayerStateEntry& e : stored.layers) {
        DrawingLayer now;
        QVERIFY(drawing.document.findLayerProperties(e.layerName, now));
        const int slot = drawing.document.slotOfHandle(e.layer);
        QVERIFY(slot >= 0);
        const DrawingLayer& was = before.layers.at(slot);
        QCOMPARE(now.on, !(e.flags & DrawingLayerStateEntry::Off));
        const bool all = which == KvCc::LayerState::AllProperties;
        QCOMPARE(now.frozen, all ? bool(e.flags & DrawingLayerStateEntry::Frozen) : was.frozen);
        QCOMPARE(now.locked, all ? bool(e.flags & DrawingLayerStateEntry::Locked) : was.locked);
        QCOMPARE(now.plottable, all ? bool(e.flags & DrawingLayerStateEntry::Plot) : was.plottable);
        QCOMPARE(now.colorIndex, all && !e.trueColor.isValid() ? e.colorIndex : was.colorIndex);
    }
    drawing.session.history()->undo();
    QVERIFY(drawing.document.layerState() == before);
}

void TestDemoLayerStates::refusals_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("report");
    QTest::newRow("a name a readable state has in another case") << "state save GOOD" << "already exists";
    QTest::newRow("a name only an unreadable record has") << "state save broken" << "already exists";
    QTest::newRow("renaming onto a taken name") << "state rename Good Broken" << "already exists";
    QTest::newRow("restoring a state there is not") << "state restore Missing" << "There is no layer state";
    QTest::newRow("deleting a state there is not") << "state delete Dangling" << "There is no layer state";
    QTest::newRow("an empty name") << "state save \"\"" << "cannot be empty";
    QTest::newRow("blanks around a name") << "state save \" Good\"" << "start or end with a space";
    QTest::newRow("a control character") << "state save \"a\u0001b\"" << "control characters";
    QTest::newRow("a character beyond what escapes hold") << "state save \"x\U0001F600\"" << "cannot store";
    QTest::newRow("an unknown verb") << "state paint Good" << "\"state\" takes";
    QTest::newRow("a missing name") << "state rename Good" << "\"state\" takes";
    QTest::newRow("renaming in another case is no clash") << "state rename Good GOOD" << "";
}

// Each command is refused as the window refuses it, and changes nothing.
void TestDemoLayerStates::refusals()
{
    QFETCH(QString, line);
    QFETCH(QString, report);
    const QString path = writeScratch(drawingWithStates("AC1018", {{"Good", "40"}, {"Broken", "41"}},
                                                        {{"40", record("9")}, {"41", record("8", false)}}),
                                      "refusals.dxf");
    OpenDrawing drawing(path);
    QCOMPARE(drawing.store.stateNames(), QStringList{QStringLiteral("Good")});
    const QString error = drawing.edit.runLine(line);
    QVERIFY2(report.isEmpty() ? error.isEmpty() : error.contains(report), qPrintable(error));
    QCOMPARE(drawing.session.hasUnsavedChanges(), report.isEmpty());
}

KVCC_TEST_MAIN(TestDemoLayerStates)
#include "tst_demolayerstates.moc"
