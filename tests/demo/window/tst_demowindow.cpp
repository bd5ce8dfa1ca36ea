#include "kvcctest.h"
#include "modaldriver.h"

#include "drawingcanvas.h"
#include "dxfwriter.h"
#include "layeractions.h"
#include "layervisibilityactions.h"
#include "minmaxbutton.h"
#include "samplefloorplan.h"
#include "samplewindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

using namespace Demo;

class TestDemoWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }

    void aFileShowsItsLayersEverywhereAndABadOneKeepsThem()
    {
        DxfWriter dxf;
        dxf.header("AC1024", "Doors").beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1).layer("Doors", 4, 3);
        dxf.layer("Hidden", 0, -2).layer("Cold", 1, 5).layer("Стены", 0, 0x20, "CONTINUOUS", -3, 0x336699).endLayerTable();
        dxf.beginEntities().line("Walls", 0, 0, 10, 0).line("Hidden", 0, 0, 0, 10).line("Cold", 0, 0, 5, 5).endSection();
        const QDir scratch(kvcctest::scratchDir());
        QFile good(scratch.filePath(QStringLiteral("layers.dxf"))), bad(scratch.filePath(QStringLiteral("bad.dxf")));
        QVERIFY(good.open(QIODevice::WriteOnly) && good.write(dxf.end().data()) && bad.open(QIODevice::WriteOnly));
        bad.write(dxf.data().left(dxf.data().indexOf("Cold") + 5));
        good.close();
        bad.close();
        SampleWindow window;
        QVERIFY(window.exposed);
        QVERIFY(window.openFile(good.fileName()));
        QVERIFY(!window.openFile(bad.fileName()));
        QVERIFY2(window.lastMessage().contains(QLatin1String("cut off")), qPrintable(window.lastMessage()));
        window.settle();
        QVERIFY(window.document()->deleteLayer(QStringLiteral("Walls")).contains(QLatin1String("holds 1 object: 1 LINE;")));
        QCOMPARE(window.windowTitle(), QStringLiteral("layers.dxf - KvCc demo viewer"));
        QStringList faces, rows;
        for (const KvCc::LayerItemData& r : window.comboRows())
            faces << QStringLiteral("%1 %2%3%4 %5").arg(r.name).arg(r.on).arg(r.frozen).arg(r.locked).arg(r.color.name());
        QCOMPARE(faces, QStringList({"0 100 #ffffff", "Walls 100 #ff0000", "Doors 101 #00ff00", "Hidden 000 #ffff00",
                                     "Cold 110 #0000ff", "Стены 100 #336699"}));
        for (int r = 0; r < window.palette()->rowCount(); ++r)
            rows << window.palette()->index(r, KvCc::NameColumn).data().toString();
        QCOMPARE(rows, QStringList({"0", "Cold", "Doors", "Hidden", "Walls", "Стены"})); // sorted by name
        QCOMPARE(window.document()->currentLayerName(), QStringLiteral("Doors"));
        QCOMPARE(window.canvas()->drawnCount(), 1);
    }

    void aDrawingOpenedInTheBackgroundShowsWhenReadOrNotAtAll_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("title");
        QTest::newRow("read to its end, the drawing shows") << 10 << false << false << "big.dxf";
        QTest::newRow("cancelled, the drawing before stays") << 400000 << true << false << "";
        QTest::newRow("a folder is refused and the drawing before stays") << 0 << false << true << "";
    }

    // The window stays responsive while a file is read; the drawing it
    // had is replaced only by one read to its end.
    void aDrawingOpenedInTheBackgroundShowsWhenReadOrNotAtAll()
    {
        QFETCH(int, lines);
        QFETCH(bool, cancel);
        QFETCH(bool, folder);
        QFETCH(QString, title);
        DxfWriter dxf;
        dxf.header("AC1024", "0").beginLayerTable().layer("0", 0, 7).layer("Walls", 0, 1).endLayerTable().beginEntities();
        for (int i = 0; i < lines; ++i)
            dxf.line("Walls", i, 0, i, 10);
        const QDir scratch(kvcctest::scratchDir());
        QFile big(scratch.filePath(QStringLiteral("big.dxf")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write(dxf.endSection().end().data()) > 0);
        big.close();
        SampleWindow window;
        const QString before = window.windowTitle();
        window.openInBackground(folder ? scratch.path() : big.fileName());
        QVERIFY(window.openProgress()->isVisible());
        if (cancel)
            window.openProgress()->findChild<QPushButton*>()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.openProgress()->isOpening(), 30000);
        window.settle();
        QVERIFY(!window.openProgress()->isVisible());
        QCOMPARE(window.windowTitle(), title.isEmpty() ? before : title + QStringLiteral(" - KvCc demo viewer"));
        QCOMPARE(window.statusBar()->currentMessage().contains(QLatin1String("was cancelled")), cancel);
        QCOMPARE(window.lastMessage().startsWith(QLatin1String("Cannot open")), folder);
        QCOMPARE(window.document()->layerExists(QStringLiteral("Walls")), title == QLatin1String("big.dxf"));
    }

    void aStateChangeInOneControlReachesTheOtherAndTheCanvas_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("fromDropDown");
        QTest::addColumn<bool>("dropDownHidden");
        QTest::newRow("the bulb in the drop-down") << int(KvCc::OnColumn) << true << false;
        QTest::newRow("the sun in the drop-down") << int(KvCc::FreezeColumn) << true << false;
        QTest::newRow("the bulb in the palette") << int(KvCc::OnColumn) << false << false;
        QTest::newRow("the sun in the palette") << int(KvCc::FreezeColumn) << false << false;
        QTest::newRow("the sun in the palette, the drop-down hidden meanwhile") << int(KvCc::FreezeColumn) << false << true;
    }

    // Each click flips the layer in the drawing, in the other control and on
    // the canvas; the second click brings everything back as it was.
    void aStateChangeInOneControlReachesTheOtherAndTheCanvas()
    {
        QFETCH(int, column);
        QFETCH(bool, fromDropDown);
        QFETCH(bool, dropDownHidden);
        SampleWindow window;
        const QString layer = QStringLiteral("A-FURN");
        const bool bulb = column == KvCc::OnColumn;
        const QImage before = window.canvas()->grab().toImage();
        for (bool shown : {false, true}) {
            if (fromDropDown)
                window.clickComboToggle(layer, bulb ? 0 : 1);
            else
                window.clickPaletteCell(layer, column, dropDownHidden);
            const KvCc::LayerItemData face = window.comboRows().value(window.comboNames().indexOf(layer));
            QCOMPARE(bulb ? !window.record(layer)->isOff() : !window.record(layer)->isFrozen(), shown);
            QCOMPARE(bulb ? face.on : !face.frozen, shown);
            QCOMPARE(window.paletteFlag(layer, column), shown);
            QCOMPARE(window.canvas()->grab().toImage() == before, shown);
        }
        window.verifyNothingOpen();
    }

    // The palette raises the host's notice on every press in its table; a
    // reload then would lose the user's sort and selection.
    void thePalettesOwnNoticesDoNotReloadIt()
    {
        SampleWindow window;
        window.paletteTable()->sortByColumn(KvCc::NameColumn, Qt::DescendingOrder);
        window.selectPaletteRow(QStringLiteral("E-LITE"));
        const int row = window.paletteRow(QStringLiteral("E-LITE"));
        window.clickPaletteCell(QStringLiteral("E-LITE"), KvCc::LockColumn);
        QVERIFY(window.record(QStringLiteral("E-LITE"))->isLocked());
        QCOMPARE(window.paletteRow(QStringLiteral("E-LITE")), row);
        QVERIFY(window.paletteTable()->selectionModel()->isRowSelected(row, QModelIndex()));
        QCOMPARE(window.palette()->index(0, KvCc::NameColumn).data().toString(), QStringLiteral("Мебель-кухня"));
        // A change from the drop-down does reach it.
        window.clickComboToggle(QStringLiteral("E-LITE"), 2);
        QVERIFY(!window.record(QStringLiteral("E-LITE"))->isLocked());
        QVERIFY(window.paletteFlag(QStringLiteral("E-LITE"), KvCc::LockColumn));
    }

    void aLayerIsMadeCurrent_data()
    {
        QTest::addColumn<bool>("fromDropDown");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("current");
        QTest::newRow("a thawed layer picked in the drop-down") << true << "A-GLAZ" << "A-GLAZ";
        QTest::newRow("a frozen layer picked in the drop-down is refused") << true << "A-AREA" << "A-WALL";
        QTest::newRow("a thawed layer set current in the palette") << false << "P-FIXT" << "P-FIXT";
        QTest::newRow("a frozen layer set current in the palette is refused") << false << "A-AREA" << "A-WALL";
    }

    void aLayerIsMadeCurrent()
    {
        QFETCH(bool, fromDropDown);
        QFETCH(QString, picked);
        QFETCH(QString, current);
        SampleWindow window;
        if (fromDropDown) {
            emit window.layerCombo()->activated(window.comboNames().indexOf(picked));
        } else {
            window.selectPaletteRow(picked);
            QTest::mouseClick(window.currentLayerButton(), Qt::LeftButton);
        }
        window.settle();
        QCOMPARE(window.document()->currentLayerName(), current);
        QCOMPARE(window.lastMessage().contains(QLatin1String("is frozen")), picked != current);
        QCOMPARE(window.layerCombo()->listWidget()->currentRow(), window.comboNames().indexOf(current));
        QVERIFY(window.paletteFlag(current, KvCc::CurrentColumn));
        QVERIFY(!window.paletteFlag(picked == current ? QStringLiteral("A-WALL") : picked, KvCc::CurrentColumn));
    }

    void aNewLayerIsNamedByTypingAndCanBeDeleted()
    {
        SampleWindow window;
        const int rows = window.palette()->rowCount();
        QTest::mouseClick(window.newLayerButton(), Qt::LeftButton);
        window.settle();
        QLineEdit* editor = nullptr;
        for (QLineEdit* edit : window.paletteTable()->findChildren<QLineEdit*>())
            editor = edit->isVisible() && edit->text() == QLatin1String("Layer1") ? edit : editor;
        QVERIFY(editor);
        QCOMPARE(editor->selectedText(), QStringLiteral("Layer1")); // typing replaces the proposal
        QTest::keyClicks(editor, QStringLiteral("Stairs"));
        QTest::keyClick(editor, Qt::Key_Return);
        window.settle();
        QVERIFY(!window.document()->layerExists(QStringLiteral("Layer1")));
        QCOMPARE(window.comboNames().last(), QStringLiteral("Stairs"));
        // The row shows the layer as the drawing holds it, and writes to it.
        const int row = window.paletteRow(QStringLiteral("Stairs"));
        QCOMPARE(window.palette()->index(row, KvCc::LineweightColumn).data().toString(), QStringLiteral("Default"));
        window.clickPaletteCell(QStringLiteral("Stairs"), KvCc::OnColumn);
        QVERIFY(window.record(QStringLiteral("Stairs"))->isOff());
        auto* status = window.findChild<QLabel*>(QStringLiteral("layerStatus"));
        QCOMPARE(status->text(), QStringLiteral("Layers: %1").arg(rows + 1));
        window.selectPaletteRow(QStringLiteral("Stairs"));
        QTest::mouseClick(window.deleteLayerButton(), Qt::LeftButton);
        window.settle();
        QVERIFY(!window.document()->layerExists(QStringLiteral("Stairs")));
        QCOMPARE(window.palette()->rowCount(), rows);
        QCOMPARE(window.comboNames().size(), rows);
        QCOMPARE(status->text(), QStringLiteral("Layers: %1").arg(rows));
        window.verifyNothingOpen();
    }

    // The name editor opens as users open it; a refused name goes back into
    // the editor with the old name, which stays the layer's.
    void aRenameIsCarriedIntoTheDrawingOrPutBack_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("F2 on a layer") << "F2" << "A-FURN" << "A-FURN-LOOSE";
        QTest::newRow("Layer > Rename Layer on the current layer") << "menu" << "A-WALL" << "A-WALL-EXT";
        QTest::newRow("a click on the selected name") << "click" << "A-FURN" << "A-FURN-2";
        QTest::newRow("a refused name is put back") << "F2" << "A-FURN" << "A/FURN";
        QTest::newRow("a name taken by another layer is put back") << "menu" << "A-FURN" << "a-wall";
    }

    void aRenameIsCarriedIntoTheDrawingOrPutBack()
    {
        QFETCH(QString, how);
        QFETCH(QString, from);
        QFETCH(QString, to);
        SampleWindow window;
        window.selectPaletteRow(from);
        const QModelIndex name = window.palette()->index(window.paletteRow(from), KvCc::NameColumn);
        auto* names = window.paletteTable()->findChild<QAbstractItemView*>(QStringLiteral("frozenTable"));
        if (how == QLatin1String("F2"))
            QTest::keyClick(names, Qt::Key_F2);
        else if (how == QLatin1String("menu"))
            window.layerActions()->renameLayer()->trigger();
        else
            QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, names->visualRect(name).center());
        QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QCOMPARE(editor->selectedText(), from);
        QTest::keyClicks(editor, to);
        QTest::keyClick(editor, Qt::Key_Return);
        window.settle();
        const bool taken = window.lastMessage().isEmpty();
        QCOMPARE(taken, to.startsWith(from));
        const QString now = taken ? to : from;
        QCOMPARE(name.data().toString(), now);
        QCOMPARE(name.data(KvCc::LoadedNameRole).toString(), now);
        QVERIFY(window.document()->layerExists(now) && (!taken || !window.document()->layerExists(from)));
        QVERIFY(window.comboNames().contains(now));
        if (!taken) {
            auto* again = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY2(again && again->selectedText() == from, "the editor is open again on the old name");
            QTest::keyClick(again, Qt::Key_Escape);
        }
        window.clickPaletteCell(now, KvCc::LockColumn); // the row still writes to its layer
        QVERIFY(window.record(now)->isLocked());
    }

    // The palette's reload selects the current layer; the window puts the
    // user's selection back, so the next command goes to the same layers.
    // A press that changes nothing draws nothing again.
    void theSelectionOutlivesEditsAndReloads()
    {
        SampleWindow window;
        window.selectPaletteRow(QStringLiteral("A-FURN"));
        window.paletteTable()->selectionModel()->select(window.cell(QStringLiteral("E-LITE"), 0),
                                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const int refreshes = window.canvas()->refreshCount();
        window.clickPaletteCell(QStringLiteral("A-FURN"), KvCc::NameColumn);
        QCOMPARE(window.canvas()->refreshCount(), refreshes);
        window.selectPaletteRow(QStringLiteral("A-FURN"));
        window.paletteTable()->selectionModel()->select(window.cell(QStringLiteral("E-LITE"), 0),
                                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        window.clickComboToggle(QStringLiteral("A-DOOR"), 2); // reloads the palette
        QVERIFY(window.canvas()->refreshCount() > refreshes);
        QStringList selected;
        for (const QModelIndex& row : window.paletteTable()->selectionModel()->selectedRows(KvCc::NameColumn))
            selected << row.data().toString();
        selected.sort();
        QCOMPARE(selected, QStringList({"A-FURN", "E-LITE"}));
    }

    void layerNamesFollowTheRulesOfCadPrograms_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message"); // empty: taken
        QTest::newRow("a name of 255 characters is taken") << "A-FURN" << QString(255, 'n') << "";
        QTest::newRow("a name of 256 characters is refused") << "A-FURN" << QString(256, 'n') << "at most 255";
        QTest::newRow("a change of letter case only is taken") << "E-LITE" << "e-lite" << "";
        QTest::newRow("a name taken in another case is refused") << "A-FURN" << "a-door" << "\"A-DOOR\" already exists";
        QTest::newRow("an empty name is refused") << "A-FURN" << "" << "cannot be empty";
        QTest::newRow("a name of spaces is refused") << "A-FURN" << "  " << "cannot be empty";
        QTest::newRow("a leading space is refused") << "A-FURN" << " A" << "start or end with a space";
        QTest::newRow("a trailing space is refused") << "A-FURN" << "A " << "start or end with a space";
        QTest::newRow("a tab is refused") << "A-FURN" << "A\tB" << "cannot contain";
        QTest::newRow("layer 0 keeps its name") << "0" << "Zero" << "cannot be renamed";
        QTest::newRow("a missing layer is named") << "Ghost" << "Spirit" << "no layer \"Ghost\"";
        for (const QChar c : QStringLiteral("<>/\\\":;?*|,=`"))
            QTest::newRow(qPrintable(QStringLiteral("a %1 is refused").arg(c))) << "A-FURN" << QStringLiteral("A%1B").arg(c)
                                                                                << "cannot contain";
    }

    void layerNamesFollowTheRulesOfCadPrograms()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        DrawingDocument document;
        document.load(sampleFloorPlan());
        const QString answer = document.renameLayer(from, to);
        QVERIFY2(message.isEmpty() ? answer.isEmpty() : answer.contains(message), qPrintable(answer));
        QStringList names;
        for (const DkDbObjectId& id : document.layerIds())
            names << HostLayerTable::layerName(document.database()->peekLayer(id));
        QCOMPARE(names.contains(to), message.isEmpty());
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
        window.setQuiet(false);
        const int rows = window.palette()->rowCount();
        window.selectPaletteRow(layer);
        // Outside quiet mode the refusal also comes as a message box.
        modaldriver::answer<QMessageBox>([&window] { QTest::mouseClick(window.deleteLayerButton(), Qt::LeftButton); },
                                         [&message](QMessageBox* box) {
                                             QVERIFY2(box->text().contains(message), qPrintable(box->text()));
                                             box->accept();
                                         });
        QCOMPARE(window.palette()->rowCount(), rows);
        QVERIFY(window.document()->layerExists(layer) && window.comboNames().contains(layer));
    }

    // Each row prepares by a click on a palette cell (or by isolating), runs
    // one command as a user does and finds A-FURN shown or hidden by it.
    void theVisibilityCommandsRunFromMenusAndShortcuts_data()
    {
        QTest::addColumn<QString>("how");
        // Index into LayerVisibilityActions::actions(); 2, Isolate by Freezing, checks it and isolates.
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("prepare"); // palette column clicked on A-FURN first; -1 isolates it away
        QTest::addColumn<int>("column");  // of A-FURN that shows the result
        QTest::addColumn<QString>("undoText");
        QTest::newRow("Isolate from the row menu turns the others off") << "row menu" << 0 << 0 << int(KvCc::OnColumn) << "Isolate A-DOOR";
        QTest::newRow("Isolate by Freezing with the shortcut freezes them") << "Ctrl+Shift+I" << 2 << 0 << int(KvCc::FreezeColumn) << "Isolate A-DOOR";
        QTest::newRow("Unisolate from the Layer menu") << "menu" << 1 << -1 << int(KvCc::OnColumn) << "Unisolate Layers";
        QTest::newRow("Turn All Layers On with the shortcut") << "Ctrl+Shift+A" << 3 << int(KvCc::OnColumn) << int(KvCc::OnColumn) << "Turn On All Layers";
        QTest::newRow("Thaw All Layers from the row menu") << "row menu" << 4 << int(KvCc::FreezeColumn) << int(KvCc::FreezeColumn) << "Thaw All Layers";
    }

    void theVisibilityCommandsRunFromMenusAndShortcuts()
    {
        QFETCH(QString, how);
        QFETCH(int, command);
        QFETCH(int, prepare);
        QFETCH(int, column);
        QFETCH(QString, undoText);
        SampleWindow window;
        auto* visibility = window.findChild<LayerVisibilityActions*>();
        QVERIFY(visibility);
        window.paletteTable()->clearSelection();
        QVERIFY(!visibility->isolate()->isEnabled() && !visibility->unisolate()->isEnabled());
        window.selectPaletteRow(QStringLiteral("A-DOOR"));
        if (prepare > 0)
            window.clickPaletteCell(QStringLiteral("A-FURN"), prepare);
        else if (prepare < 0)
            visibility->isolate()->trigger();
        window.settle();
        QCOMPARE(visibility->unisolate()->isEnabled(), prepare < 0);
        QAction* action = visibility->actions().at(command);
        visibility->isolateByFreezing()->setChecked(command == 2);
        if (command == 2)
            action = visibility->isolate();
        const bool wasShown = window.paletteFlag(QStringLiteral("A-FURN"), column);
        if (how == QLatin1String("menu")) {
            QMenu* layerMenu = nullptr;
            for (QAction* entry : window.menuBar()->actions())
                layerMenu = entry->text() == QLatin1String("&Layer") ? entry->menu() : layerMenu;
            QVERIFY(layerMenu && layerMenu->actions().contains(action));
            action->trigger();
        } else if (how == QLatin1String("row menu")) {
            bool offered = false;
            QTimer::singleShot(0, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                offered = menu && menu->actions().contains(action);
                if (offered)
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                else if (menu)
                    menu->close();
            });
            const QPoint at = window.centerOf(window.cell(QStringLiteral("A-DOOR"), KvCc::ColorColumn));
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, window.paletteTable()->viewport()->mapToGlobal(at));
            QApplication::sendEvent(window.paletteTable()->viewport(), &event);
            QVERIFY(offered);
        } else {
            QApplication::setActiveWindow(&window);
            QTest::keySequence(&window, QKeySequence(how));
            QTest::keyRelease(&window, Qt::Key_Shift);
        }
        window.settle();
        QCOMPARE(window.history()->undoText(), undoText);
        QCOMPARE(window.paletteFlag(QStringLiteral("A-FURN"), column), !wasShown);
        QCOMPARE(window.document()->currentLayerName(), QLatin1String(command == 0 || command == 2 ? "A-DOOR" : "A-WALL"));
        QCOMPARE(visibility->unisolate()->isEnabled(), command == 0 || command == 2);
    }

    void theFoldButtonsHideAndShowTheRibbonPanels()
    {
        SampleWindow window;
        emit window.minMaxButton()->clickedMin();
        QVERIFY(!window.ribbonPanels()->isVisible());
        emit window.minMaxButton()->clickedNormal();
        QVERIFY(window.ribbonPanels()->isVisible());
        emit window.minMaxButton()->clickedClosed();
        QVERIFY(!window.ribbonPanels()->isVisible());
    }

    void screenshotsAreWritten()
    {
        SampleWindow window;
        const QDir dir(QDir(kvcctest::scratchDir()).filePath(QStringLiteral("shots")));
        QStringList names;
        for (const QString& file : window.saveScreenshots(dir.path()))
            names << (QImage(file).isNull() ? QString() : QFileInfo(file).fileName());
        QCOMPARE(names, QStringList({"main-window.png", "layer-dropdown.png", "property-page.png", "layer-palette.png",
                                     "dialog-lineweight-settings.png", "dialog-layer-linetype.png",
                                     "dialog-layer-lineweight.png", "dialog-current-layer-warning.png"}));
    }
};

KVCC_TEST_MAIN(TestDemoWindow)
#include "tst_demowindow.moc"
