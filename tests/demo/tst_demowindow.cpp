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

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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

QStringList comboNames(MainWindow& w)
{
    QStringList names;
    QListWidget* list = w.layerCombo()->listWidget();
    for (int r = 0; list && r < list->count(); ++r) {
        auto* item = qobject_cast<KvCc::LayerItem*>(list->itemWidget(list->item(r)));
        names << (item ? item->currentLayerData().name : QString());
    }
    return names;
}

KvCc::LayerItem* comboRow(MainWindow& w, const QString& name)
{
    const int r = comboNames(w).indexOf(name);
    return r < 0 ? nullptr : qobject_cast<KvCc::LayerItem*>(w.layerCombo()->listWidget()->itemWidget(w.layerCombo()->listWidget()->item(r)));
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

QString writeScratchFile(const QString& name, const QByteArray& data)
{
    const QString path = QDir(kvcctest::scratchDir()).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
    return path;
}

// The window with the sample drawing open, shown and settled.
struct SampleWindow : MainWindow {
    SampleWindow()
    {
        setQuiet(true);
        openSample();
        show();
        exposed = QTest::qWaitForWindowExposed(this);
        settle();
    }
    bool exposed = false;
};

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

    void opensTheSampleDrawing()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
        const Drawing& d = window.document()->drawing();
        QVERIFY(d.layers.size() >= 18);
        QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-WALL"));
        QTRY_VERIFY(window.canvas()->drawnCount() > 0);
        // Off and frozen layers are not drawn.
        QVERIFY(!window.canvas()->isLayerShown(layerIndex(window, QStringLiteral("A-FLOR-PATT"))));
        QVERIFY(!window.canvas()->isLayerShown(layerIndex(window, QStringLiteral("A-AREA"))));
        QVERIFY(window.canvas()->isLayerShown(layerIndex(window, QStringLiteral("A-WALL"))));
        QCOMPARE(comboNames(window).size(), d.layers.size());
        QCOMPARE(paletteModel(window)->rowCount(), d.layers.size());
        expectNoOpenObjects(window);
    }

    void listsEveryLayerOfAFileWithItsFlags()
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
        MainWindow window;
        window.setQuiet(true);
        QVERIFY(window.openFile(writeScratchFile(QStringLiteral("flags.dxf"), w.data())));
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

    void aStateChangeInOneControlReachesTheOtherAndTheCanvas_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("fromDropDown");
        QTest::newRow("the bulb in the drop-down") << int(KvCc::OnColumn) << true;
        QTest::newRow("the sun in the drop-down") << int(KvCc::FreezeColumn) << true;
        QTest::newRow("the bulb in the palette") << int(KvCc::OnColumn) << false;
        QTest::newRow("the sun in the palette") << int(KvCc::FreezeColumn) << false;
    }

    // Each click flips the layer in the drawing, in the other control and on
    // the canvas; the second click brings everything back.
    void aStateChangeInOneControlReachesTheOtherAndTheCanvas()
    {
        QFETCH(int, column);
        QFETCH(bool, fromDropDown);
        SampleWindow window;
        QVERIFY(window.exposed);
        const QString layer = QStringLiteral("A-FURN");
        const bool bulb = column == KvCc::OnColumn;
        const int drawnBefore = window.canvas()->drawnCount();
        for (bool shown : {false, true}) {
            if (fromDropDown) {
                window.layerCombo()->showPopup();
                KvCc::LayerItem* row = comboRow(window, layer);
                QVERIFY(row);
                QPushButton* button = row->findChildren<QPushButton*>(QStringLiteral("layerItemBtn")).value(bulb ? 0 : 1);
                QVERIFY(button && button->isVisible());
                QTest::mouseClick(button, Qt::LeftButton);
                settle();
                window.layerCombo()->hidePopup();
            } else {
                clickPaletteCell(window, layer, column);
                settle();
            }
            const KvCc::LayerItemData face = comboRow(window, layer)->currentLayerData();
            QCOMPARE(bulb ? !record(window, layer)->isOff() : !record(window, layer)->isFrozen(), shown);
            QCOMPARE(bulb ? face.on : !face.frozen, shown);
            QCOMPARE(paletteFlag(window, layer, column), shown);
            QCOMPARE(window.canvas()->isLayerShown(layerIndex(window, layer)), shown);
            if (shown)
                QTRY_COMPARE(window.canvas()->drawnCount(), drawnBefore);
            else
                QTRY_VERIFY(window.canvas()->drawnCount() < drawnBefore);
        }
        expectNoOpenObjects(window);
    }

    void paletteNoticesDoNotReloadThePalette()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
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

    void pickInTheDropDownMakesTheLayerCurrent()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
        const int row = comboNames(window).indexOf(QStringLiteral("A-GLAZ"));
        QVERIFY(row >= 0);
        emit window.layerCombo()->activated(row);
        settle();
        QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-GLAZ"));
        QVERIFY(paletteFlag(window, QStringLiteral("A-GLAZ"), KvCc::CurrentColumn));
        QVERIFY(!paletteFlag(window, QStringLiteral("A-WALL"), KvCc::CurrentColumn));
        QCOMPARE(window.layerCombo()->listWidget()->currentRow(), row);
    }

    void setCurrentFromThePalette_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("message"); // empty: no refusal
        QTest::newRow("a thawed layer becomes current") << "P-FIXT" << "P-FIXT" << "";
        QTest::newRow("a frozen layer is refused") << "A-AREA" << "A-WALL" << "frozen";
    }

    void setCurrentFromThePalette()
    {
        QFETCH(QString, picked);
        QFETCH(QString, current);
        QFETCH(QString, message);
        SampleWindow window;
        QVERIFY(window.exposed);
        selectPaletteRow(window, picked);
        QTest::mouseClick(window.currentLayerButton(), Qt::LeftButton);
        settle();
        QCOMPARE(window.document()->currentLayerName(), current);
        QVERIFY(paletteFlag(window, current, KvCc::CurrentColumn));
        KvCc::LayerItemData face;
        QVERIFY(KvLayerUtility().getCurrentLayer(face));
        QCOMPARE(face.name, current);
        QVERIFY2(window.lastMessage().contains(message), qPrintable(window.lastMessage()));
    }

    void aNewLayerIsCreatedInTheDrawingAndDeletedFromIt()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
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
        // Empty and not current, so it may go.
        selectPaletteRow(window, QStringLiteral("Layer1"));
        QTest::mouseClick(window.deleteLayerButton(), Qt::LeftButton);
        settle();
        QVERIFY(!window.document()->layerExists(QStringLiteral("Layer1")));
        QCOMPARE(paletteModel(window)->rowCount(), rows);
        QVERIFY(!comboNames(window).contains(QStringLiteral("Layer1")));
        expectNoOpenObjects(window);
    }

    void typingTheNewLayersNameRenamesIt()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
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

    void renameIsCarriedIntoTheDrawing_data()
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

    void renameIsCarriedIntoTheDrawing()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        SampleWindow window;
        QVERIFY(window.exposed);
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

    void deleteRefusesWhatCadProgramsRefuse_data()
    {
        QTest::addColumn<QString>("layer");
        QTest::addColumn<QString>("message");
        QTest::newRow("layer 0") << "0" << "cannot be deleted";
        QTest::newRow("the current layer") << "A-WALL" << "current layer";
        QTest::newRow("a layer that holds objects") << "A-FURN" << "holds";
    }

    void deleteRefusesWhatCadProgramsRefuse()
    {
        QFETCH(QString, layer);
        QFETCH(QString, message);
        SampleWindow window;
        QVERIFY(window.exposed);
        const int rows = paletteModel(window)->rowCount();
        selectPaletteRow(window, layer);
        QTest::mouseClick(window.deleteLayerButton(), Qt::LeftButton);
        settle();
        QVERIFY2(window.lastMessage().contains(message), qPrintable(window.lastMessage()));
        QCOMPARE(paletteModel(window)->rowCount(), rows);
        QVERIFY(window.document()->layerExists(layer));
        QVERIFY(comboNames(window).contains(layer));
    }

    void aBadFileKeepsTheOpenDrawing()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
        QVERIFY(!window.openFile(writeScratchFile(
            QStringLiteral("bad.dxf"), "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  0\nLAYER\n  2\nCut")));
        QVERIFY2(window.lastMessage().contains(QLatin1String("cut off")), qPrintable(window.lastMessage()));
        QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-WALL"));
        QVERIFY(window.canvas()->drawnCount() > 0);
    }

    void theRibbonFoldsAndThePropertyPageUnfolds()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
        QVERIFY(window.ribbonPanels()->isVisible());
        emit window.minMaxButton()->clickedMin();
        QVERIFY(!window.ribbonPanels()->isVisible());
        emit window.minMaxButton()->clickedNormal();
        QVERIFY(window.ribbonPanels()->isVisible());

        QVERIFY(!window.propertyPage()->isVisible());
        window.layerControl()->folderClicked();
        QVERIFY(window.propertyPage()->isVisible());
        QCOMPARE(window.propertyPage()->currentIndex(), 0);
        window.layerControl()->folderClicked();
        QCOMPARE(window.propertyPage()->currentIndex(), 1);
    }

    void screenshotsAreWritten()
    {
        SampleWindow window;
        QVERIFY(window.exposed);
        const QString dir = QDir(kvcctest::scratchDir()).filePath(QStringLiteral("shots"));
        const QStringList files = window.saveScreenshots(dir);
        for (const char* name : {"main-window.png", "layer-dropdown.png", "property-page.png", "layer-palette.png",
                                    "dialog-lineweight-settings.png", "dialog-current-layer-warning.png"}) {
            const QString path = QDir(dir).filePath(QLatin1String(name));
            QVERIFY2(files.contains(path), qPrintable(name));
            QVERIFY(!QImage(path).isNull());
        }
    }
};

KVCC_TEST_MAIN(TestDemoWindow)
#include "tst_demowindow.moc"
