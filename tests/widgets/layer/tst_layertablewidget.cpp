#include "kvcctest.h"
#include "layertestdrawing.h"

#include <frozentablewidget.h>
#include <layeraction.h>
#include <layercolumns.h>
#include <layermanager.h>
#include <layertablewidget.h>
#include <searchlayeredit.h>

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>

using namespace KvCc;

// The palette's table as a user meets it: loading, new and removed rows,
// the current mark, typing into the search box, the column menu and its
// choices kept from one run to the next.
class TestLayerTableWidget : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;

    // The names of every row of the model, or only of the rows view shows.
    static QStringList names(const QAbstractItemModel* model, const QTableView* view = nullptr)
    {
        QStringList result;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!view || !view->isRowHidden(row))
                result << model->index(row, NameColumn).data().toString();
        }
        return result;
    }

    static QStringList shownNames(const QTableView* view) { return names(view->model(), view); }

    // Right-clicks a header and clicks the menu entry labelled text.
    static void clickColumnMenuEntry(QHeaderView* header, const QString& text)
    {
        QTimer::singleShot(0, [text]() {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (action->text() == text)
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
            if (menu->isVisible())
                menu->close();
        });
        rightClick(header);
    }

    // A right click on a header as the window system delivers it.
    static void rightClick(QHeaderView* header)
    {
        const QPoint pos(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, header->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(header->viewport(), &event);
    }

    static QAction* menuEntry(LayerTableWidget& table, const QString& text)
    {
        for (auto* action : table.horizontalHeader()->findChildren<LayerAction*>()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

private slots:
    void initTestCase() { useScratchSettings(); }

    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("VantorViewer"));
        QVERIFY(settings.fileName().startsWith(kvcctest::scratchDir()));
        settings.clear();
    }

    void cleanup() { drawing.reset(); }

    void loadingShowsEveryLayerSortedWithTheCurrentOneSelected()
    {
        drawing->add(QStringLiteral("Walls"));
        drawing->add(QStringLiteral("Doors"));
        drawing->makeCurrent(QStringLiteral("Walls"));
        LayerTableWidget table;
        QSignalSpy current(&table, &LayerTableWidget::updateCurretnLayer);
        table.InitLayerModel();
        QCOMPARE(names(table.model()), (QStringList{"0", "Doors", "Walls"}));
        QCOMPARE(current.count(), 1);
        QCOMPARE(current.last().at(0).toString(), QStringLiteral("Walls"));
        QCOMPARE(table.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(table.selectionModel()->selectedRows().first().row(), 2);
        QVERIFY(drawing->nothingOpen());
    }

    void firstRunShowsEveryColumnButViewportFreeze()
    {
        LayerTableWidget table;
        for (int column = 0; column < LayerColumnCount; ++column)
            QCOMPARE(table.isColumnHidden(column), column == ViewportFreezeColumn);
        QAction* name = menuEntry(table, QStringLiteral("Name"));
        QVERIFY(name && name->isChecked() && !name->isEnabled());
        QVERIFY(!menuEntry(table, QStringLiteral("VP Freeze")));
    }

    void aColumnHiddenFromTheHeaderMenuStaysHiddenAfterARestart()
    {
        {
            LayerTableWidget table;
            table.show();
            QVERIFY(QTest::qWaitForWindowExposed(&table));
            clickColumnMenuEntry(table.horizontalHeader(), QStringLiteral("Lock"));
            QVERIFY(table.isColumnHidden(LockColumn));
            clickColumnMenuEntry(table.horizontalHeader(), QStringLiteral("Color"));
            QVERIFY(table.isColumnHidden(ColorColumn));
            clickColumnMenuEntry(table.horizontalHeader(), QStringLiteral("Color"));
            QVERIFY(!table.isColumnHidden(ColorColumn));
        }
        LayerTableWidget table;
        QVERIFY(table.isColumnHidden(LockColumn));
        QVERIFY(!menuEntry(table, QStringLiteral("Lock"))->isChecked());
        QVERIFY(!table.isColumnHidden(ColorColumn));
    }

    void storedValuesCannotLockAUserOutOfAColumn()
    {
        {
            QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("VantorViewer"));
            settings.setValue(QStringLiteral("Plot/isCheckable"), false);
            settings.setValue(QStringLiteral("Plot/isChecked"), QStringLiteral("false"));
            settings.setValue(QStringLiteral("Name/isChecked"), false);
            settings.setValue(QStringLiteral("Linetype/isChecked"), 0);
        }
        LayerTableWidget table;
        QVERIFY(table.isColumnHidden(PlotColumn));
        QVERIFY(table.isColumnHidden(LinetypeColumn));
        QVERIFY(menuEntry(table, QStringLiteral("Plot"))->isCheckable());
        QVERIFY(!table.isColumnHidden(NameColumn));
        QVERIFY(menuEntry(table, QStringLiteral("Name"))->isChecked());
        table.layerColumnVisiable(NameColumn, false);
        QVERIFY(!table.isColumnHidden(NameColumn));
    }

    void addingNumbersTheNewLayer_data()
    {
        QTest::addColumn<QStringList>("layers");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("added");
        QTest::newRow("a gap is filled") << QStringList{"Layer1", "Layer2", "Layer4"} << false << "Layer3";
        QTest::newRow("no gap appends") << QStringList{"Layer1", "Layer2", "Layer3"} << false << "Layer4";
        QTest::newRow("no numbered layer gives one") << QStringList{"Walls"} << false << "Layer1";
        QTest::newRow("only layer 0 gives one") << QStringList{} << false << "Layer1";
        QTest::newRow("zero-led, bare and lettered names do not count")
            << QStringList{"Layer01", "Layer0", "Layer", "layer7x"} << false << "Layer1";
        QTest::newRow("any letter case counts") << QStringList{"LAYER1", "layer2"} << false << "Layer3";
        QTest::newRow("a number that exists is never given again")
            << QStringList{"Layer1", "LAYER1", "Layer2"} << false << "Layer3";
        QTest::newRow("a numbered layer on the top row is not given again")
            << QStringList{"Layer1", "Layer2"} << true << "Layer3";
    }

    void addingNumbersTheNewLayer()
    {
        QFETCH(QStringList, layers);
        QFETCH(bool, descending);
        for (const QString& name : layers)
            drawing->add(name);
        LayerTableWidget table;
        if (descending)
            table.sortByColumn(NameColumn, Qt::DescendingOrder);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        table.addLayer();
        const int last = table.model()->rowCount() - 1;
        QTEST(table.model()->index(last, NameColumn).data().toString(), "added");
        auto* frozen = table.findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        QVERIFY(frozen && frozen->findChild<QLineEdit*>());
        QCOMPARE(frozen->currentIndex().row(), last);
    }

    void addingToAnEmptyTableTakesTheDefaultRow()
    {
        s_pServices->setWorkingDatabase(nullptr);
        LayerTableWidget table;
        QCOMPARE(table.model()->rowCount(), 0);
        table.addLayer();
        QCOMPARE(table.model()->index(0, NameColumn).data().toString(), QStringLiteral("Layer0"));
        QCOMPARE(table.model()->index(0, CurrentColumn).data().toString(), QStringLiteral("true"));
    }

    void typingIntoTheSearchBoxFiltersBothViews_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("a leading star matches the end") << "*1" << QStringList{"Layer1", "Wall1"};
        QTest::newRow("a trailing star matches the start in any case")
            << "wa*" << QStringList{"WALLS", "Wall1", "wash"};
        QTest::newRow("a star inside matches start and end") << "l*2" << QStringList{"Layer2"};
        QTest::newRow("start and end may not overlap") << "layer1*1" << QStringList{};
        QTest::newRow("a lone star shows all") << "*" << QStringList{"0", "Layer1", "Layer2", "WALLS", "Wall1", "ab*", "wash"};
        QTest::newRow("only the first star is a wildcard") << "*ab*" << QStringList{"ab*"};
        QTest::newRow("no star matches the start") << "la" << QStringList{"Layer1", "Layer2"};
        QTest::newRow("a non-Latin name is found") << "сл" << QStringList{"Слой"};
    }

    void typingIntoTheSearchBoxFiltersBothViews()
    {
        QFETCH(QString, typed);
        for (const char* name : {"Layer1", "Layer2", "WALLS", "Wall1", "ab*", "wash"})
            drawing->add(QString::fromLatin1(name));
        if (typed == QStringLiteral("сл"))
            drawing->add(QStringLiteral("Слой"));
        LayerManager manager;
        manager.show();
        QVERIFY(QTest::qWaitForWindowExposed(&manager));
        auto* table = manager.findChild<LayerTableWidget*>();
        auto* frozen = manager.findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        auto* search = manager.findChild<SearchLayerEdit*>();
        QVERIFY(table && frozen && search);
        // Letter by letter, as a user types, in any script.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QFETCH(QStringList, shown);
        QCOMPARE(shownNames(table), shown);
        QCOMPARE(shownNames(frozen), shown);

        // Deleting letter by letter brings every row back.
        for (int i = 0; i < typed.size(); ++i)
            QTest::keyClick(search, Qt::Key_Backspace);
        QCOMPARE(shownNames(table), names(table->model()));
        QCOMPARE(shownNames(frozen), names(table->model()));
    }

    void removingTakesTheSelectedRowsOnly()
    {
        for (const char* name : {"A", "B", "C", "D"})
            drawing->add(QString::fromLatin1(name));
        LayerTableWidget table;
        table.clearSelection();
        table.remove();
        QCOMPARE(table.model()->rowCount(), 5);
        table.selectionModel()->select(table.model()->index(1, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        table.selectionModel()->select(table.model()->index(3, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        table.remove();
        QCOMPARE(names(table.model()), (QStringList{"0", "B", "D"}));
        QCOMPARE(drawing->db->layerId(L"A").isNull(), false);
    }

    void makingCurrentMovesTheOneMarkAndTheLabel()
    {
        drawing->add(QStringLiteral("Walls"));
        LayerManager manager;
        QLabel* label = nullptr;
        for (auto* candidate : manager.findChildren<QLabel*>())
            label = candidate->text().startsWith(QLatin1String("Current layer")) ? candidate : label;
        QVERIFY(label);
        auto* table = manager.findChild<LayerTableWidget*>();
        QSignalSpy current(table, &LayerTableWidget::updateCurretnLayer);
        table->selectRow(names(table->model()).indexOf(QStringLiteral("0")));
        manager.slotCurrentLayer();
        QCOMPARE(current.count(), 0);
        table->selectRow(names(table->model()).indexOf(QStringLiteral("Walls")));
        manager.slotCurrentLayer();
        QCOMPARE(current.count(), 1);
        QCOMPARE(label->text(), QStringLiteral("Current layer: Walls"));
        int marked = 0;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            marked += layerCellIsTrue(table->model()->index(row, CurrentColumn).data()) ? 1 : 0;
        QCOMPARE(marked, 1);
        QCOMPARE(drawing->db->clayer(), drawing->id(QStringLiteral("0")));
    }

    void widerNameColumnWidensTheOverlayFromEitherHeader()
    {
        LayerTableWidget table;
        table.resize(600, 300);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        auto* frozen = table.findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        QVERIFY(frozen);
        const int before = frozen->width();
        table.setColumnWidth(NameColumn, table.columnWidth(NameColumn) + 40);
        QCOMPARE(frozen->width(), before + 40);
        QCOMPARE(frozen->columnWidth(NameColumn), table.columnWidth(NameColumn));

        // Drag the name column's edge in the overlay's header.
        QHeaderView* header = frozen->horizontalHeader();
        const int edge = header->sectionViewportPosition(NameColumn) + header->sectionSize(NameColumn) - 1;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, 5));
        QMouseEvent move(QEvent::MouseMove, QPoint(edge + 30, 5), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(header->viewport(), &move);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, 5));
        QCOMPARE(table.columnWidth(NameColumn), frozen->columnWidth(NameColumn));
        QCOMPARE(frozen->width(), before + 70);
    }

    void scrollingEitherViewScrollsTheOther()
    {
        for (int i = 0; i < 60; ++i)
            drawing->add(QStringLiteral("L%1").arg(i));
        LayerTableWidget table;
        table.resize(500, 200);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        auto* frozen = table.findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        table.verticalScrollBar()->setValue(100);
        QCOMPARE(frozen->verticalScrollBar()->value(), 100);
        frozen->verticalScrollBar()->setValue(40);
        QCOMPARE(table.verticalScrollBar()->value(), 40);
    }

    void sortingFromEitherHeaderLeavesBothIndicatorsTogether()
    {
        drawing->add(QStringLiteral("b"), false);
        drawing->add(QStringLiteral("a"));
        LayerTableWidget table;
        auto* frozen = table.findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        table.sortByColumn(OnColumn, Qt::AscendingOrder);
        QCOMPARE(frozen->horizontalHeader()->sortIndicatorSection(), int(OnColumn));
        QCOMPARE(table.model()->index(0, NameColumn).data().toString(), QStringLiteral("b"));
        frozen->sortByColumn(NameColumn, Qt::DescendingOrder);
        QCOMPARE(table.horizontalHeader()->sortIndicatorSection(), int(NameColumn));
        QCOMPARE(table.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(names(table.model()), (QStringList{"b", "a", "0"}));
    }

    void theTableModelKeepsItsPromisesThroughSortsAndReloads()
    {
        for (const char* name : {"b", "C", "a", "Walls", "walls"})
            drawing->add(QString::fromLatin1(name), name[0] != 'a');
        LayerTableWidget table;
        QAbstractItemModelTester tester(table.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        table.slotSearchLayer(QStringLiteral("w"));
        table.sortByColumn(OnColumn, Qt::DescendingOrder);
        QCOMPARE(names(table.model()).last(), QStringLiteral("a"));
        // Hidden rows follow their layers through a sort.
        QCOMPARE(shownNames(&table), (QStringList{"Walls", "walls"}));
        table.sortByColumn(NameColumn, Qt::DescendingOrder);
        QCOMPARE(names(table.model()), (QStringList{"walls", "b", "a", "Walls", "C", "0"}));
        QCOMPARE(table.model()->index(0, NameColumn).data(LoadedNameRole).toString(), QStringLiteral("walls"));
        table.addLayer();
        table.selectRow(1);
        table.remove();
        table.InitLayerModel();
        QCOMPARE(table.model()->rowCount(), 6);
    }

    void aReloadShowsTheDrawingAgainWhateverWasDoneInThePalette()
    {
        for (const char* name : {"Doors", "Walls"})
            drawing->add(QString::fromLatin1(name));
        LayerTableWidget table;
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QAbstractItemModelTester tester(table.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto* frozen = table.findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        table.model()->setData(table.model()->index(2, NameColumn), QStringLiteral("Zed"));
        table.model()->setData(table.model()->index(1, OnColumn), false);
        table.slotSearchLayer(QStringLiteral("z"));
        table.addLayer(); // leaves its name editor open
        QVERIFY(frozen->findChild<QLineEdit*>());
        drawing->add(QStringLiteral("Attic"));
        table.InitLayerModel();
        QCOMPARE(names(table.model()), (QStringList{"0", "Attic", "Doors", "Walls"}));
        QCOMPARE(shownNames(&table), names(table.model()));
        QCOMPARE(shownNames(frozen), names(table.model()));
        QCOMPARE(table.model()->index(3, NameColumn).data(LoadedNameRole).toString(), QStringLiteral("Walls"));
        QVERIFY(layerCellIsTrue(table.model()->index(2, OnColumn).data()));
        QTRY_VERIFY(!frozen->findChild<QLineEdit*>());
    }

    void destroyingThePaletteWithTheNameEditorOpen()
    {
        auto manager = std::make_unique<LayerManager>();
        manager->show();
        QVERIFY(QTest::qWaitForWindowExposed(manager.get()));
        manager->slotNewLayer();
        auto* frozen = manager->findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        auto* editor = frozen ? frozen->findChild<QLineEdit*>() : nullptr;
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Ne"));
        manager.reset();
    }

    void destroyingThePaletteWithTheColumnMenuOpen()
    {
        auto* manager = new LayerManager();
        manager->show();
        QVERIFY(QTest::qWaitForWindowExposed(manager));
        auto* table = manager->findChild<LayerTableWidget*>();
        bool menuWasOpen = false;
        QTimer::singleShot(0, [&]() {
            menuWasOpen = qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
            delete manager;
        });
        rightClick(table->horizontalHeader());
        QVERIFY(menuWasOpen);
    }
};

KVCC_TEST_MAIN(TestLayerTableWidget)
#include "tst_layertablewidget.moc"
