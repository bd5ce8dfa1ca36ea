#include "kvcctest.h"

#include "drawingcanvas.h"
#include "drawingdocument.h"
#include "dxfwriter.h"
#include "layercolumns.h"
#include "layercombobox.h"
#include "layercontrol.h"
#include "layeritem.h"
#include "kvlayerutility.h"
#include "layermanager.h"
#include "layertablewidget.h"
#include "mainwindow.h"
#include "minmaxbutton.h"
#include "samplefloorplan.h"
#include "stackwidget.h"

#include <KvAppBase.h>

#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QToolButton>

#include <memory>

using namespace Demo;

namespace {

QAbstractItemModel* paletteModel(MainWindow& w)
{
    return w.paletteTable() ? w.paletteTable()->model() : nullptr;
}

int paletteRow(MainWindow& w, const QString& name)
{
    QAbstractItemModel* model = paletteModel(w);
    for (int r = 0; model && r < model->rowCount(); ++r) {
        if (model->index(r, KvCc::NameColumn).data().toString() == name)
            return r;
    }
    return -1;
}

bool paletteFlag(MainWindow& w, const QString& name, int column)
{
    const int row = paletteRow(w, name);
    return row >= 0 && KvCc::layerCellIsTrue(paletteModel(w)->index(row, column).data());
}

KvCc::LayerItem* comboRow(MainWindow& w, const QString& name)
{
    QListWidget* list = w.layerCombo()->listWidget();
    for (int r = 0; list && r < list->count(); ++r) {
        auto* item = qobject_cast<KvCc::LayerItem*>(list->itemWidget(list->item(r)));
        if (item && item->currentLayerData().name == name)
            return item;
    }
    return nullptr;
}

QStringList comboNames(MainWindow& w)
{
    QStringList names;
    QListWidget* list = w.layerCombo()->listWidget();
    for (int r = 0; list && r < list->count(); ++r) {
        if (auto* item = qobject_cast<KvCc::LayerItem*>(list->itemWidget(list->item(r))))
            names << item->currentLayerData().name;
    }
    return names;
}

const DkDbLayerTableRecord* record(MainWindow& w, const QString& name)
{
    DkDbDatabase* db = w.document()->database();
    return db->peekLayer(db->layerId(name.toStdWString()));
}

int layerIndex(MainWindow& w, const QString& name)
{
    return w.document()->drawing().layerIndex(name);
}

void selectPaletteRow(MainWindow& w, const QString& name)
{
    const int row = paletteRow(w, name);
    QVERIFY(row >= 0);
    w.paletteTable()->selectionModel()->select(paletteModel(w)->index(row, KvCc::NameColumn),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Clicks a state cell of the palette as a user does.
void clickPaletteCell(MainWindow& w, const QString& name, int column)
{
    const int row = paletteRow(w, name);
    QVERIFY(row >= 0);
    KvCc::LayerTableWidget* table = w.paletteTable();
    const QModelIndex index = paletteModel(w)->index(row, column);
    static_cast<QAbstractItemView*>(table)->scrollTo(index);
    const QPoint at = table->visualRect(index).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// Lets the host's deferred refreshes run.
void settle()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

void expectNoOpenObjects(MainWindow& w)
{
    QCOMPARE(w.document()->database()->openObjectCount(), 0);
    QCOMPARE(w.document()->database()->liveIteratorCount(), 0);
    QCOMPARE(dkutOutstandingBuffers(), 0LL);
}

} // namespace

class TestDemoWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }

    void opensTheSampleDrawing();
    void listsEveryLayerOfAFileWithItsFlags();
    void togglingInTheDropDownHidesEntitiesAndFlipsThePalette();
    void togglingInThePaletteUpdatesTheDropDownAndTheCanvas();
    void paletteNoticesDoNotReloadThePalette();
    void pickInTheDropDownMakesTheLayerCurrent();
    void setCurrentFromThePalette();
    void setCurrentRefusesAFrozenLayer();
    void newLayerIsCreatedInTheDrawing();
    void typingTheNewLayersNameRenamesIt();
    void renameIsCarriedIntoTheDrawing_data();
    void renameIsCarriedIntoTheDrawing();
    void deleteRefusesWhatCadProgramsRefuse_data();
    void deleteRefusesWhatCadProgramsRefuse();
    void deleteRemovesAnEmptyLayer();
    void aBadFileKeepsTheOpenDrawing();
    void theFoldStripFoldsTheRibbon();
    void theLayerRowUnfoldsThePropertyPage();
    void screenshotsAreWritten();
};

void TestDemoWindow::opensTheSampleDrawing()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle();
    const Drawing& d = window.document()->drawing();
    QVERIFY(d.layers.size() >= 18);
    QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-WALL"));
    QTRY_VERIFY(window.canvas()->drawnCount() > 0);
    // Off and frozen layers are not drawn.
    QVERIFY(!window.canvas()->isLayerShown(layerIndex(window, QStringLiteral("A-FLOR-PATT"))));
    QVERIFY(!window.canvas()->isLayerShown(layerIndex(window, QStringLiteral("A-AREA"))));
    QVERIFY(window.canvas()->isLayerShown(layerIndex(window, QStringLiteral("A-WALL"))));
    bool nonLatin = false;
    for (const DrawingLayer& l : d.layers)
        nonLatin = nonLatin || l.name.at(0).unicode() > 0x24F;
    QVERIFY(nonLatin);
    QCOMPARE(comboNames(window).size(), d.layers.size());
    QCOMPARE(paletteModel(window)->rowCount(), d.layers.size());
    expectNoOpenObjects(window);
}

void TestDemoWindow::listsEveryLayerOfAFileWithItsFlags()
{
    DxfWriter w;
    w.beginHeader().variable("$ACADVER", 1, "AC1024").variable("$CLAYER", 8, "Doors").endSection();
    w.beginLayerTable()
        .layer("0", 0, 7)
        .layer("Walls", 0, 1)
        .layer("Doors", 4, 3)
        .layer("Hidden", 0, -2)
        .layer("Cold", 1, 5)
        .layer("Стены", 0, 0x20, "CONTINUOUS", -3, 0x336699)
        .endLayerTable();
    w.beginEntities().line("Walls", 0, 0, 10, 0).line("Hidden", 0, 0, 0, 10).line("Cold", 0, 0, 5, 5).endSection().end();
    const QString path = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("flags.dxf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(w.data());
    file.close();

    MainWindow window;
    window.setQuiet(true);
    QVERIFY(window.openFile(path));
    window.show();
    settle();
    const QStringList names = {"0", "Walls", "Doors", "Hidden", "Cold", QStringLiteral("Стены")};
    QCOMPARE(comboNames(window), names);
    QCOMPARE(paletteModel(window)->rowCount(), names.size());
    for (const QString& name : names)
        QVERIFY2(paletteRow(window, name) >= 0, qPrintable(name));
    QCOMPARE(window.document()->currentLayerName(), QStringLiteral("Doors"));
    QVERIFY(comboRow(window, QStringLiteral("Doors"))->currentLayerData().locked);
    QVERIFY(!comboRow(window, QStringLiteral("Hidden"))->currentLayerData().on);
    QVERIFY(comboRow(window, QStringLiteral("Cold"))->currentLayerData().frozen);
    QCOMPARE(comboRow(window, QStringLiteral("Стены"))->currentLayerData().color, QColor(0x33, 0x66, 0x99));
    QVERIFY(!paletteFlag(window, QStringLiteral("Hidden"), KvCc::OnColumn));
    QVERIFY(!paletteFlag(window, QStringLiteral("Cold"), KvCc::FreezeColumn));   // "true" means thawed
    QVERIFY(!paletteFlag(window, QStringLiteral("Doors"), KvCc::LockColumn));    // "true" means unlocked
    QVERIFY(paletteFlag(window, QStringLiteral("Walls"), KvCc::OnColumn));
    QVERIFY(paletteFlag(window, QStringLiteral("Doors"), KvCc::CurrentColumn));
    QCOMPARE(window.canvas()->drawnCount(), 1);
}

void TestDemoWindow::togglingInTheDropDownHidesEntitiesAndFlipsThePalette()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle();
    const QString layer = QStringLiteral("A-FURN");
    QVERIFY(window.canvas()->isLayerShown(layerIndex(window, layer)));
    QVERIFY(paletteFlag(window, layer, KvCc::OnColumn));
    const int drawnBefore = window.canvas()->drawnCount();

    window.layerCombo()->showPopup();
    KvCc::LayerItem* row = comboRow(window, layer);
    QVERIFY(row);
    const QList<QPushButton*> buttons = row->findChildren<QPushButton*>(QStringLiteral("layerItemBtn"));
    QVERIFY(buttons.size() >= 1);
    QPushButton* light = buttons.first();
    QVERIFY(light->isVisible());
    QTest::mouseClick(light, Qt::LeftButton);
    settle();
    QVERIFY(record(window, layer)->isOff());
    QVERIFY(!window.canvas()->isLayerShown(layerIndex(window, layer)));
    QTRY_VERIFY(window.canvas()->drawnCount() < drawnBefore);
    QVERIFY(!paletteFlag(window, layer, KvCc::OnColumn));
    window.layerCombo()->hidePopup();
    expectNoOpenObjects(window);
}

void TestDemoWindow::togglingInThePaletteUpdatesTheDropDownAndTheCanvas()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle();
    const QString layer = QStringLiteral("A-DOOR");
    clickPaletteCell(window, layer, KvCc::FreezeColumn);
    settle();
    QVERIFY(record(window, layer)->isFrozen());
    QVERIFY(!window.canvas()->isLayerShown(layerIndex(window, layer)));
    QVERIFY(comboRow(window, layer)->currentLayerData().frozen);
    clickPaletteCell(window, layer, KvCc::FreezeColumn);
    settle();
    QVERIFY(!record(window, layer)->isFrozen());
    QVERIFY(window.canvas()->isLayerShown(layerIndex(window, layer)));
    QVERIFY(!comboRow(window, layer)->currentLayerData().frozen);
    expectNoOpenObjects(window);
}

void TestDemoWindow::paletteNoticesDoNotReloadThePalette()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle();
    // The user sorts, selects and searches; notices from the palette itself
    // (raised on every press in its table) must leave all of that alone.
    KvCc::LayerTableWidget* table = window.paletteTable();
    table->sortByColumn(KvCc::NameColumn, Qt::DescendingOrder);
    const QString top = paletteModel(window)->index(0, KvCc::NameColumn).data().toString();
    QCOMPARE(top, QStringLiteral("Мебель-кухня"));
    selectPaletteRow(window, QStringLiteral("E-LITE"));
    const int selectedRow = paletteRow(window, QStringLiteral("E-LITE"));
    clickPaletteCell(window, QStringLiteral("E-LITE"), KvCc::LockColumn);
    kvSetLayerTableChanges();
    settle();
    QVERIFY(record(window, QStringLiteral("E-LITE"))->isLocked());
    QCOMPARE(paletteRow(window, QStringLiteral("E-LITE")), selectedRow);
    QVERIFY(table->selectionModel()->isRowSelected(selectedRow, QModelIndex()));
    QCOMPARE(paletteModel(window)->index(0, KvCc::NameColumn).data().toString(), top);
    // A change from the drop-down does reach the palette, after the click.
    window.layerCombo()->showPopup();
    QPushButton* lock = comboRow(window, QStringLiteral("E-LITE"))->findChildren<QPushButton*>(QStringLiteral("layerItemBtn")).value(2);
    QVERIFY(lock);
    QTest::mouseClick(lock, Qt::LeftButton);
    settle();
    window.layerCombo()->hidePopup();
    QVERIFY(!record(window, QStringLiteral("E-LITE"))->isLocked());
    QVERIFY(paletteFlag(window, QStringLiteral("E-LITE"), KvCc::LockColumn));
}

void TestDemoWindow::pickInTheDropDownMakesTheLayerCurrent()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    const QStringList names = comboNames(window);
    const int row = names.indexOf(QStringLiteral("A-GLAZ"));
    QVERIFY(row >= 0);
    QSignalSpy activated(window.layerCombo(), SIGNAL(activated(int)));
    emit window.layerCombo()->activated(row);
    settle();
    QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-GLAZ"));
    QVERIFY(paletteFlag(window, QStringLiteral("A-GLAZ"), KvCc::CurrentColumn));
    QVERIFY(!paletteFlag(window, QStringLiteral("A-WALL"), KvCc::CurrentColumn));
    QCOMPARE(window.layerCombo()->listWidget()->currentRow(), comboNames(window).indexOf(QStringLiteral("A-GLAZ")));
}

void TestDemoWindow::setCurrentFromThePalette()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    selectPaletteRow(window, QStringLiteral("P-FIXT"));
    QTest::mouseClick(window.currentLayerButton(), Qt::LeftButton);
    settle();
    QCOMPARE(window.document()->currentLayerName(), QStringLiteral("P-FIXT"));
    QVERIFY(paletteFlag(window, QStringLiteral("P-FIXT"), KvCc::CurrentColumn));
    KvCc::LayerItemData face;
    QVERIFY(KvLayerUtility().getCurrentLayer(face));
    QCOMPARE(face.name, QStringLiteral("P-FIXT"));
}

void TestDemoWindow::setCurrentRefusesAFrozenLayer()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    selectPaletteRow(window, QStringLiteral("A-AREA"));
    QTest::mouseClick(window.currentLayerButton(), Qt::LeftButton);
    settle();
    QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-WALL"));
    QVERIFY2(window.lastMessage().contains(QLatin1String("frozen")), qPrintable(window.lastMessage()));
    QVERIFY(paletteFlag(window, QStringLiteral("A-WALL"), KvCc::CurrentColumn));
}

void TestDemoWindow::newLayerIsCreatedInTheDrawing()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    const int rows = paletteModel(window)->rowCount();
    QTest::mouseClick(window.newLayerButton(), Qt::LeftButton);
    settle();
    QCOMPARE(paletteModel(window)->rowCount(), rows + 1);
    QVERIFY(window.document()->layerExists(QStringLiteral("Layer1")));
    QCOMPARE(comboNames(window).last(), QStringLiteral("Layer1"));
    // The row shows the new layer as the drawing holds it, and its state
    // cells write to it.
    const int row = paletteRow(window, QStringLiteral("Layer1"));
    QCOMPARE(paletteModel(window)->index(row, KvCc::LineweightColumn).data().toString(), QStringLiteral("Default"));
    clickPaletteCell(window, QStringLiteral("Layer1"), KvCc::OnColumn);
    settle();
    QVERIFY(record(window, QStringLiteral("Layer1"))->isOff());
    expectNoOpenObjects(window);
}

void TestDemoWindow::typingTheNewLayersNameRenamesIt()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle();
    QTest::mouseClick(window.newLayerButton(), Qt::LeftButton);
    settle();
    QLineEdit* editor = nullptr;
    for (QLineEdit* edit : window.paletteTable()->findChildren<QLineEdit*>()) {
        if (edit->isVisible() && edit->text() == QLatin1String("Layer1"))
            editor = edit;
    }
    QVERIFY(editor);
    // The whole proposed name is selected, so typing replaces it.
    QCOMPARE(editor->selectedText(), QStringLiteral("Layer1"));
    QTest::keyClicks(editor, QStringLiteral("Stairs"));
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    QVERIFY(window.document()->layerExists(QStringLiteral("Stairs")));
    QVERIFY(!window.document()->layerExists(QStringLiteral("Layer1")));
    QVERIFY(comboNames(window).contains(QStringLiteral("Stairs")));
    expectNoOpenObjects(window);
}

void TestDemoWindow::renameIsCarriedIntoTheDrawing_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message"); // empty: accepted

    QTest::newRow("a plain new name is taken") << "A-FURN" << "A-FURN-LOOSE" << "";
    QTest::newRow("the current layer may be renamed") << "A-WALL" << "A-WALL-EXT" << "";
    QTest::newRow("a change of letter case only is taken") << "E-LITE" << "e-lite" << "";
    QTest::newRow("an empty name is refused") << "A-FURN" << "" << "empty";
    QTest::newRow("a name taken in another case is refused") << "A-FURN" << "a-door" << "already exists";
    QTest::newRow("a name with a forbidden character is refused") << "A-FURN" << "A/FURN" << "cannot contain";
    QTest::newRow("a name with a comma is refused") << "A-FURN" << "A,FURN" << "cannot contain";
    QTest::newRow("layer 0 keeps its name") << "0" << "Zero" << "cannot be renamed";
}

void TestDemoWindow::renameIsCarriedIntoTheDrawing()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    const int row = paletteRow(window, from);
    QVERIFY(row >= 0);
    // The palette's name editor commits through the model as this does.
    paletteModel(window)->setData(paletteModel(window)->index(row, KvCc::NameColumn), to, Qt::DisplayRole);
    settle();
    if (message.isEmpty()) {
        QVERIFY(window.document()->layerExists(to));
        QCOMPARE(DrawingDocument::layerName(record(window, to)), to);
        QVERIFY(comboNames(window).contains(to));
        QCOMPARE(paletteModel(window)->index(row, KvCc::NameColumn).data(KvCc::LoadedNameRole).toString(), to);
        // The renamed row still writes to its layer.
        clickPaletteCell(window, to, KvCc::LockColumn);
        settle();
        QCOMPARE(record(window, to)->isLocked(), from != QLatin1String("C-SITE"));
    } else {
        QVERIFY2(window.lastMessage().contains(message), qPrintable(window.lastMessage()));
        QCOMPARE(paletteModel(window)->index(row, KvCc::NameColumn).data().toString(), from);
        QVERIFY(window.document()->layerExists(from));
        QVERIFY(comboNames(window).contains(from));
    }
}

void TestDemoWindow::deleteRefusesWhatCadProgramsRefuse_data()
{
    QTest::addColumn<QString>("layer");
    QTest::addColumn<QString>("message");
    QTest::newRow("layer 0") << "0" << "cannot be deleted";
    QTest::newRow("the current layer") << "A-WALL" << "current layer";
    QTest::newRow("a layer that holds objects") << "A-FURN" << "holds";
}

void TestDemoWindow::deleteRefusesWhatCadProgramsRefuse()
{
    QFETCH(QString, layer);
    QFETCH(QString, message);
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    const int rows = paletteModel(window)->rowCount();
    selectPaletteRow(window, layer);
    QTest::mouseClick(window.deleteLayerButton(), Qt::LeftButton);
    settle();
    QVERIFY2(window.lastMessage().contains(message), qPrintable(window.lastMessage()));
    QCOMPARE(paletteModel(window)->rowCount(), rows);
    QVERIFY(window.document()->layerExists(layer));
    QVERIFY(comboNames(window).contains(layer));
}

void TestDemoWindow::deleteRemovesAnEmptyLayer()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    QTest::mouseClick(window.newLayerButton(), Qt::LeftButton);
    settle();
    QVERIFY(window.document()->layerExists(QStringLiteral("Layer1")));
    const int rows = paletteModel(window)->rowCount();
    selectPaletteRow(window, QStringLiteral("Layer1"));
    QTest::mouseClick(window.deleteLayerButton(), Qt::LeftButton);
    settle();
    QVERIFY(!window.document()->layerExists(QStringLiteral("Layer1")));
    QCOMPARE(paletteModel(window)->rowCount(), rows - 1);
    QVERIFY(!comboNames(window).contains(QStringLiteral("Layer1")));
    expectNoOpenObjects(window);
}

void TestDemoWindow::aBadFileKeepsTheOpenDrawing()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    settle();
    const QString path = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("bad.dxf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  0\nLAYER\n  2\nCut");
    file.close();
    QVERIFY(!window.openFile(path));
    QVERIFY2(window.lastMessage().contains(QLatin1String("cut off")), qPrintable(window.lastMessage()));
    QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-WALL"));
    QVERIFY(window.canvas()->drawnCount() > 0);
}

void TestDemoWindow::theFoldStripFoldsTheRibbon()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.ribbonPanels()->isVisible());
    emit window.minMaxButton()->clickedMin();
    QVERIFY(!window.ribbonPanels()->isVisible());
    emit window.minMaxButton()->clickedNormal();
    QVERIFY(window.ribbonPanels()->isVisible());
}

void TestDemoWindow::theLayerRowUnfoldsThePropertyPage()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.propertyPage()->isVisible());
    window.layerControl()->folderClicked();
    QVERIFY(window.propertyPage()->isVisible());
    QCOMPARE(window.propertyPage()->currentIndex(), 0);
    window.layerControl()->folderClicked();
    QCOMPARE(window.propertyPage()->currentIndex(), 1);
}

void TestDemoWindow::screenshotsAreWritten()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    const QString dir = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("shots"));
    const QStringList files = window.saveScreenshots(dir);
    for (const char* name : {"main-window.png", "layer-dropdown.png", "property-page.png", "layer-palette.png",
                                "dialog-lineweight-settings.png", "dialog-current-layer-warning.png"}) {
        const QString path = QDir(dir).filePath(QLatin1String(name));
        QVERIFY2(files.contains(path), qPrintable(name));
        QVERIFY(!QImage(path).isNull());
    }
}

KVCC_TEST_MAIN(TestDemoWindow)
#include "tst_demowindow.moc"
