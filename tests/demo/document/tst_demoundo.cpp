#include "kvcctest.h"
#include "modaldriver.h"

#include "dxfwriter.h"
#include "layeractions.h"
#include "layercolordialog.h"
#include "layerhistory.h"
#include "layerstatesdialog.h"
#include "readprogress.h"
#include "samplewindow.h"

#include <QAction>
#include <QLineEdit>
#include <QFileDialog>
#include <QMessageBox>
#include <QToolButton>
#include <QTreeWidget>

using namespace Demo;

namespace {

// The sample window that also tells what every display and the drawing hold.
struct Window : SampleWindow {
    // What every display shows of the layers, for comparing with the drawing.
    QStringList shown() const
    {
        QStringList rows, combo;
        for (int r = 0; r < palette()->rowCount(); ++r) {
            const QString name = palette()->index(r, KvCc::NameColumn).data().toString();
            rows << name + (paletteFlag(name, KvCc::FreezeColumn) ? "" : " frozen");
        }
        for (const KvCc::LayerItemData& row : comboRows())
            combo << row.name + (row.frozen ? " frozen" : "");
        rows.sort();
        combo.sort();
        return rows == combo ? rows : rows + QStringList{QStringLiteral("-- the drop-down differs:")} + combo;
    }
    QStringList held() const
    {
        QStringList names;
        const LayerTableState s = document()->layerState();
        for (int i = 0; i < s.layers.size(); ++i) {
            if (s.isAlive(i))
                names << s.layers.at(i).name + (s.layers.at(i).frozen ? " frozen" : "");
        }
        names.sort();
        return names;
    }
    QString undoText() const { return history()->undoText(); }
};

using Change = std::function<void(Window&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestDemoUndo : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }
    void undoAndRedoBringEveryDisplayBack_data();
    void undoAndRedoBringEveryDisplayBack();
    void theTitleMarksChangesUntilSavedOrUndone();
    void aLayerStateRestoredFromTheLayerMenuIsOneStep();
    void aCancelledReadStopsAtItsFirstChunk();
    void closingAsksWhatToDoWithChanges_data();
    void closingAsksWhatToDoWithChanges();
};

void TestDemoUndo::undoAndRedoBringEveryDisplayBack_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("a freeze click in the palette") << Change([](Window& w) {
        QTest::mouseClick(w.paletteTable()->viewport(), Qt::LeftButton, {}, w.centerOf(w.cell("A-DOOR", KvCc::FreezeColumn)));
    }) << "Freeze A-DOOR";
    QTest::newRow("set current with the palette button") << Change([](Window& w) {
        w.paletteTable()->selectRow(w.cell("A-DOOR", 0).row());
        w.currentLayerButton()->click();
    }) << "Set Current A-DOOR";
    QTest::newRow("a rename typed in the palette") << Change([](Window& w) {
        w.palette()->setData(w.cell("A-DOOR", KvCc::NameColumn), QStringLiteral("A-DOOR-NEW"));
    }) << "Rename A-DOOR to A-DOOR-NEW";
    QTest::newRow("a new layer named as it is made") << Change([](Window& w) {
        w.layerActions()->newLayer()->trigger();
        Window::settle();
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("P-NEW"));
        QTest::keyClick(editor, Qt::Key_Return);
    }) << "New Layer P-NEW";
    QTest::newRow("a color picked after a double click on the cell") << Change([](Window& w) {
        // A double click as the mouse sends it: a click, then the second press.
        const QPoint at = w.centerOf(w.cell("A-DOOR", KvCc::ColorColumn));
        QTest::mouseClick(w.paletteTable()->viewport(), Qt::LeftButton, {}, at);
        modaldriver::answer<LayerColorDialog>([&w, at] {
            QTest::mouseDClick(w.paletteTable()->viewport(), Qt::LeftButton, {}, at);
        }, [](LayerColorDialog* d) {
            d->indexList()->setCurrentRow(40);
            d->accept();
        });
    }) << "Color of A-DOOR";
    QTest::newRow("Delete on two empty layers") << Change([](Window& w) {
        w.paletteTable()->selectRow(w.cell("X1", 0).row());
        w.paletteTable()->selectionModel()->select(w.cell("X2", 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(w.paletteTable(), Qt::Key_Delete);
    }) << "Delete 2 Layers";
}

void TestDemoUndo::undoAndRedoBringEveryDisplayBack()
{
    QFETCH(Change, change);
    QFETCH(QString, undoText);
    Window window;
    QVERIFY(window.exposed);
    // Two empty layers, in the palette too.
    for (const QString& name : {QStringLiteral("X1"), QStringLiteral("X2")})
        window.document()->addLayer(name);
    window.history()->record();
    window.history()->undo();
    window.history()->redo();
    window.settle();
    const LayerTableState before = window.document()->layerState();
    change(window);
    window.settle();
    const LayerTableState after = window.document()->layerState();
    QVERIFY(after != before);
    QCOMPARE(window.undoText(), undoText);
    QCOMPARE(window.shown(), window.held());
    // Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z both redo. A dialog that was
    // open may have left the window inactive on the offscreen platform.
    QApplication::setActiveWindow(&window);
    for (const Qt::KeyboardModifiers redo : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        window.settle();
        QVERIFY(window.document()->layerState() == before);
        QCOMPARE(window.shown(), window.held());
        QTest::keyClick(&window, redo & Qt::ShiftModifier ? Qt::Key_Z : Qt::Key_Y, redo);
        window.settle();
        QVERIFY(window.document()->layerState() == after);
        QCOMPARE(window.shown(), window.held());
    }
    // A shortcut's press never reaches the window, so Qt still thinks Shift
    // is down; a release tells it otherwise before the next test.
    QTest::keyRelease(&window, Qt::Key_Shift);
}

void TestDemoUndo::theTitleMarksChangesUntilSavedOrUndone()
{
    Window window;
    const QString clean = window.windowTitle();
    QVERIFY(!clean.contains(QLatin1Char('*')));
    QVERIFY(window.document()->setLayerProperties(QStringLiteral("A-DOOR"), [&] {
        DrawingLayer l;
        window.document()->findLayerProperties(QStringLiteral("A-DOOR"), l);
        l.locked = true;
        return l;
    }()).isEmpty());
    QVERIFY(window.history()->record());
    QVERIFY(window.windowTitle().contains(QLatin1String("* - ")));
    window.history()->undo();
    QCOMPARE(window.windowTitle(), clean);
    window.history()->redo();
    QVERIFY(window.saveTo(QDir(kvcctest::scratchDir()).filePath(QStringLiteral("sample.dxf"))));
    QCOMPARE(window.windowTitle(), QStringLiteral("sample.dxf - KvCc demo viewer"));
    window.history()->undo();
    QVERIFY(window.windowTitle().contains(QLatin1String("* - ")));

    // Save As gives a name typed without an extension ".dxf"; Open starts
    // in the open drawing's folder.
    const QDir scratch(kvcctest::scratchDir());
    modaldriver::answer<QFileDialog>([&] { QVERIFY(window.saveAs()); }, [&](QFileDialog* dialog) {
        dialog->setDirectory(scratch);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("plan"));
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(window.windowTitle(), QStringLiteral("plan.dxf - KvCc demo viewer"));
    QVERIFY(QFile::exists(scratch.filePath(QStringLiteral("plan.dxf"))));
    QString folder;
    modaldriver::answer<QFileDialog>([&] { window.slotOpen(); }, [&](QFileDialog* dialog) {
        folder = dialog->directory().absolutePath();
        dialog->reject();
    });
    QCOMPARE(folder, scratch.absolutePath());
}

// Layer > Layer States opens the palette's dialog on the drawing's own
// states; a restore there is one undo step named after the state, and
// every display shows it.
void TestDemoUndo::aLayerStateRestoredFromTheLayerMenuIsOneStep()
{
    const QString path = QStringLiteral(KVCC_SHARED_DXF_DIR "/acadsharp_sample_AC1032_ascii.dxf");
    if (!QFileInfo::exists(path))
        QSKIP("the shared drawings are missing");
    Window window;
    QVERIFY(window.openFile(path));
    QVERIFY(window.findChild<QToolButton*>(QStringLiteral("layerStatesBtn"))->isVisible());
    for (const char* name : {"Layer_Off", "Layer1"})
        QVERIFY(window.document()->editLayer(QString::fromLatin1(name), [](DrawingLayer& l) { l.on = !l.on; return QString(); }).isEmpty());
    window.history()->record();
    window.settle();
    window.selectPaletteRow(QStringLiteral("Layer_Off"));
    const LayerTableState before = window.document()->layerState();
    modaldriver::answer<KvCc::LayerStatesDialog>([&] { window.layerActions()->layerStates()->trigger(); },
                                                 [](KvCc::LayerStatesDialog* d) {
        auto* list = d->findChild<QTreeWidget*>(QStringLiteral("stateList"));
        list->setCurrentItem(list->topLevelItem(0));
        d->findChild<QPushButton*>(QStringLiteral("restoreBtn"))->click();
        d->reject();
    });
    window.settle();
    QCOMPARE(window.undoText(), QStringLiteral("Restore Layer State ACAD_VIEWS_view_custom"));
    QVERIFY(window.document()->layerState() != before);
    QCOMPARE(window.paletteTable()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(window.paletteTable()->selectionModel()->selectedRows().first().row(), window.paletteRow(QStringLiteral("Layer_Off")));
    QCOMPARE(window.shown(), window.held());
    window.history()->undo();
    window.settle();
    QVERIFY(window.document()->layerState() == before);
    QCOMPARE(window.shown(), window.held());
}

// Cancel stops the read itself, not only what the window does with it.
void TestDemoUndo::aCancelledReadStopsAtItsFirstChunk()
{
    DxfWriter dxf;
    dxf.header("AC1015").beginLayerTable().layer("0", 0, 7).endLayerTable().beginEntities();
    for (int i = 0; i < 20000; ++i)
        dxf.line("0", i, 0, i, 1);
    const QString path = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("cancelled.dxf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(dxf.endSection().end().data()) > 0);
    f.close();
    ReadProgress progress;
    progress.cancelled = true;
    DrawingFile file;
    QVERIFY(!file.open(path, DxfImport::Extent::Whole, &progress).ok);
    QCOMPARE(progress.done.load(), 0LL);
    QVERIFY(!file.hasFile());
}

void TestDemoUndo::closingAsksWhatToDoWithChanges_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Save writes the file and closes") << int(QMessageBox::Save) << true << true;
    QTest::newRow("Discard closes without writing") << int(QMessageBox::Discard) << true << false;
    QTest::newRow("Cancel keeps the window and the changes") << int(QMessageBox::Cancel) << false << false;
}

void TestDemoUndo::closingAsksWhatToDoWithChanges()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    const QByteArray data = DxfWriter().header("AC1015").beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1).endLayerTable().end().data();
    const QString path = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("close.dxf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
    f.close();
    Window window;
    QVERIFY(window.openFile(path));
    QVERIFY(window.document()->renameLayer(QStringLiteral("Walls"), QStringLiteral("Outer")).isEmpty());
    QVERIFY(window.history()->record());
    bool result = true;
    modaldriver::answer<QMessageBox>([&] { result = window.close(); },
                                     [answer](QMessageBox* box) { box->button(QMessageBox::StandardButton(answer))->click(); });
    QCOMPARE(result, closed);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().contains("Outer"), saved);
}

KVCC_TEST_MAIN(TestDemoUndo)
#include "tst_demoundo.moc"
