#include "layertestdrawing.h"

#include <frozentablewidget.h>
#include <layeraction.h>
#include <layercolumns.h>
#include <layermanager.h>
#include <layertablewidget.h>
#include <searchlayeredit.h>

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>

using namespace KvCc;

// The palette's table as a user meets it: loading, new and removed rows,
// the current mark, searching, the fixed overlay, the column menu and its
// choices kept in the settings from one run to the next.
class TestLayerTableWidget : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;

    static FrozenTableWidget* overlay(QWidget* w) { return w->findChild<FrozenTableWidget*>("frozenTable"); }

    // Right-clicks the header, as the window system delivers it, and clicks
    // the menu entry labelled text (or, with none, runs then).
    static void useColumnMenu(LayerTableWidget* table, const QString& text, const std::function<void()>& then = {})
    {
        bool menuShown = false;
        QTimer::singleShot(0, [&]() {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            menuShown = menu;
            for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
                if (action->text() == text)
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
            if (then)
                return then();
            if (menu && menu->isVisible())
                menu->close();
        });
        QWidget* header = table->horizontalHeader()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), header->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(header, &event);
        QVERIFY(menuShown);
    }

    static QAction* menuEntry(LayerTableWidget& table, const QString& text)
    {
        for (auto* action : table.horizontalHeader()->findChildren<LayerAction*>()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    static QVariant stored(const QString& key) { return QSettings("Quorvane", "VantorViewer").value(key); }

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
        QCOMPARE(rowNames(&table, true), (QStringList{"0", "Doors", "Walls"}));
        QCOMPARE(QList<QVariantList>(current), QList<QVariantList>{{"Walls"}});
        QCOMPARE(table.selectionModel()->selectedRows(), QModelIndexList{table.model()->index(2, 0)});
        QVERIFY(drawing->nothingOpen());
    }

    // The Name entry is checked but disabled, VP Freeze has none.
    void aFirstRunShowsEveryColumnButViewportFreeze()
    {
        LayerTableWidget table;
        for (int column = 0; column < LayerColumnCount; ++column)
            QCOMPARE(table.isColumnHidden(column), column == ViewportFreezeColumn);
        QAction* name = menuEntry(table, QStringLiteral("Name"));
        QVERIFY(name && name->isChecked() && !name->isEnabled());
        QVERIFY(!menuEntry(table, QStringLiteral("VP Freeze")));
    }

    void aColumnHiddenFromTheHeaderMenuIsStoredAndStaysHidden()
    {
        {
            LayerTableWidget table;
            QVERIFY(showExposed(&table));
            for (const char* entry : {"Lock", "Color", "Color"})
                useColumnMenu(&table, QString::fromLatin1(entry));
            QVERIFY(table.isColumnHidden(LockColumn));
            QVERIFY(!table.isColumnHidden(ColorColumn));
        }
        QCOMPARE(stored("Lock/isChecked"), QVariant(false));
        QCOMPARE(stored("Lock/isCheckable"), QVariant(true));
        QCOMPARE(stored("Color/isChecked"), QVariant(true));
        QCOMPARE(stored("Name/isEnabled"), QVariant(false));
        QVERIFY(!stored("VP Freeze/isChecked").isValid());
        LayerTableWidget table;
        QVERIFY(table.isColumnHidden(LockColumn));
        QVERIFY(!menuEntry(table, QStringLiteral("Lock"))->isChecked());
        QVERIFY(!table.isColumnHidden(ColorColumn));
    }

    void storedValuesCannotLockAUserOutOfAColumn()
    {
        QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("VantorViewer"));
        settings.setValue(QStringLiteral("Plot/isCheckable"), false);
        settings.setValue(QStringLiteral("Plot/isChecked"), QStringLiteral("false"));
        settings.setValue(QStringLiteral("Name/isChecked"), false);
        settings.setValue(QStringLiteral("Linetype/isChecked"), 0);
        LayerTableWidget table;
        QVERIFY(table.isColumnHidden(PlotColumn) && table.isColumnHidden(LinetypeColumn));
        QVERIFY(menuEntry(table, QStringLiteral("Plot"))->isCheckable());
        QVERIFY(!table.isColumnHidden(NameColumn));
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
        QTest::newRow("zero-led, bare and lettered names do not count") << QStringList{"Layer01", "Layer0", "Layer", "layer7x"} << false << "Layer1";
        QTest::newRow("any letter case counts") << QStringList{"LAYER1", "layer2"} << false << "Layer3";
        QTest::newRow("a number that exists is never given again") << QStringList{"Layer1", "LAYER1", "Layer2"} << false << "Layer3";
        QTest::newRow("a numbered layer on the top row is not given again") << QStringList{"Layer1", "Layer2"} << true << "Layer3";
    }

    // The new row is the last, with its name editor open in the overlay.
    void addingNumbersTheNewLayer()
    {
        QFETCH(QStringList, layers);
        QFETCH(bool, descending);
        for (const QString& name : layers)
            drawing->add(name);
        LayerTableWidget table;
        if (descending)
            table.sortByColumn(NameColumn, Qt::DescendingOrder);
        QVERIFY(showExposed(&table));
        table.addLayer();
        const int last = table.model()->rowCount() - 1;
        QTEST(table.model()->index(last, NameColumn).data().toString(), "added");
        QLineEdit* editor = overlay(&table)->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(overlay(&table)->currentIndex().row(), last);
        // Another new layer while this one is being named takes the typed
        // name first, then opens its own editor.
        editor->setText(QStringLiteral("Stair"));
        table.addLayer();
        QVERIFY(!table.model()->match(table.model()->index(0, NameColumn), Qt::DisplayRole, QStringLiteral("Stair")).isEmpty());
        QCOMPARE(overlay(&table)->currentIndex().row(), last + 1);
        QVERIFY(overlay(&table)->indexWidget(overlay(&table)->currentIndex()));
    }

    void addingToAnEmptyTableTakesTheDefaultRow()
    {
        s_pServices->setWorkingDatabase(nullptr);
        LayerTableWidget table;
        table.addLayer();
        QCOMPARE(table.model()->rowCount(), 1);
        QCOMPARE(table.model()->index(0, NameColumn).data().toString(), QStringLiteral("Layer0"));
        QCOMPARE(table.model()->index(0, CurrentColumn).data().toString(), QStringLiteral("true"));
    }

    void typingIntoTheSearchBoxFiltersBothViews_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("a leading star matches the end") << "*1" << QStringList{"Layer1", "Wall1"};
        QTest::newRow("a trailing star matches the start in any case") << "wa*" << QStringList{"WALLS", "Wall1", "wash"};
        QTest::newRow("capitals find names in any case") << "WA*" << QStringList{"WALLS", "Wall1", "wash"};
        QTest::newRow("a star inside matches start and end") << "l*2" << QStringList{"Layer2"};
        QTest::newRow("start and end may not overlap") << "layer1*1" << QStringList{};
        QTest::newRow("a lone star shows all") << "*" << QStringList{"0", "Layer1", "Layer2", "WALLS", "Wall1", "ab*", "wash", "Слой"};
        QTest::newRow("only the first star is a wildcard") << "*ab*" << QStringList{"ab*"};
        QTest::newRow("no star matches the start") << "la" << QStringList{"Layer1", "Layer2"};
        QTest::newRow("a non-Latin name is found") << "сл" << QStringList{"Слой"};
    }

    // Letter by letter, as a user types; deleting them brings every row back.
    void typingIntoTheSearchBoxFiltersBothViews()
    {
        QFETCH(QString, typed);
        for (const char* name : {"Layer1", "Layer2", "WALLS", "Wall1", "ab*", "wash", "Слой"})
            drawing->add(QString::fromUtf8(name));
        LayerManager manager;
        auto* table = manager.findChild<LayerTableWidget*>();
        auto* search = manager.findChild<SearchLayerEdit*>();
        QVERIFY(table && search);
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTEST(rowNames(table), "shown");
        QTEST(rowNames(overlay(&manager)), "shown");
        for (int i = 0; i < typed.size(); ++i)
            QTest::keyClick(search, Qt::Key_Backspace);
        QCOMPARE(rowNames(table), rowNames(table, true));
        QCOMPARE(rowNames(overlay(&manager)), rowNames(table, true));
    }

    // Neither removing nor making current touches the drawing.
    void removingAndMakingCurrentTakeTheSelectedRows()
    {
        for (const char* name : {"A", "B", "C", "D"})
            drawing->add(QString::fromLatin1(name));
        LayerManager manager;
        auto* table = manager.findChild<LayerTableWidget*>();
        QSignalSpy current(table, &LayerTableWidget::updateCurretnLayer);
        table->clearSelection();
        table->remove();
        QCOMPARE(table->model()->rowCount(), 5);
        table->selectionModel()->select(table->model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        table->selectionModel()->select(table->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        table->remove();
        QCOMPARE(rowNames(table, true), (QStringList{"0", "B", "D"}));
        table->selectRow(0);
        manager.slotCurrentLayer();
        QCOMPARE(current.count(), 0); // already current
        table->selectRow(2);
        manager.slotCurrentLayer();
        QCOMPARE(QList<QVariantList>(current), QList<QVariantList>{{"D"}});
        QStringList marks;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            marks << (layerCellIsTrue(table->model()->index(row, CurrentColumn).data()) ? "x" : "");
        QCOMPARE(marks, (QStringList{"", "", "x"}));
        QVERIFY(!drawing->id(QStringLiteral("A")).isNull());
        QCOMPARE(drawing->db->clayer(), drawing->id(QStringLiteral("0")));
    }

    // The overlay follows the name column's width set from either header,
    // and the two views scroll and sort together.
    void theOverlayKeepsInStepWithTheTable()
    {
        for (int i = 0; i < 60; ++i)
            drawing->add(QStringLiteral("L%1").arg(i), i != 7);
        LayerTableWidget table;
        table.resize(600, 200);
        QVERIFY(showExposed(&table));
        FrozenTableWidget* frozen = overlay(&table);
        const int before = frozen->width();
        table.setColumnWidth(NameColumn, table.columnWidth(NameColumn) + 40);
        QCOMPARE(frozen->width(), before + 40);
        QHeaderView* header = frozen->horizontalHeader();
        const int edge = header->sectionViewportPosition(NameColumn) + header->sectionSize(NameColumn) - 1;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, 5));
        const QPoint to(edge + 30, 5);
        QMouseEvent move(QEvent::MouseMove, to, header->viewport()->mapToGlobal(to), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(header->viewport(), &move);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, 5));
        QCOMPARE(table.columnWidth(NameColumn), frozen->columnWidth(NameColumn));
        QCOMPARE(frozen->width(), before + 70);

        table.verticalScrollBar()->setValue(100);
        QCOMPARE(frozen->verticalScrollBar()->value(), 100);
        frozen->verticalScrollBar()->setValue(40);
        QCOMPARE(table.verticalScrollBar()->value(), 40);
        table.sortByColumn(OnColumn, Qt::AscendingOrder);
        QCOMPARE(frozen->horizontalHeader()->sortIndicatorSection(), int(OnColumn));
        QCOMPARE(table.model()->index(0, NameColumn).data().toString(), QStringLiteral("L7"));
        frozen->sortByColumn(NameColumn, Qt::DescendingOrder);
        QCOMPARE(table.horizontalHeader()->sortIndicatorSection(), int(NameColumn));
        QCOMPARE(table.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    }

    // Hidden rows follow their layers through a sort; a reload shows the
    // drawing again whatever was done in the palette, and closes the editor.
    void sortsAndAReloadKeepTheModelsPromises()
    {
        for (const char* name : {"b", "C", "a", "Walls", "walls"})
            drawing->add(QString::fromLatin1(name), name[0] != 'a');
        LayerTableWidget table;
        QVERIFY(showExposed(&table));
        QAbstractItemModelTester tester(table.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        table.slotSearchLayer(QStringLiteral("w"));
        table.sortByColumn(OnColumn, Qt::DescendingOrder);
        QCOMPARE(rowNames(&table, true).last(), QStringLiteral("a"));
        QCOMPARE(rowNames(&table), (QStringList{"Walls", "walls"}));
        table.sortByColumn(NameColumn, Qt::DescendingOrder);
        QCOMPARE(rowNames(&table, true), (QStringList{"walls", "b", "a", "Walls", "C", "0"}));
        table.model()->setData(table.model()->index(0, NameColumn), QStringLiteral("Zed"));
        table.model()->setData(table.model()->index(1, OnColumn), false);
        table.addLayer();
        QVERIFY(overlay(&table)->findChild<QLineEdit*>());
        drawing->add(QStringLiteral("Attic"));
        table.InitLayerModel();
        QCOMPARE(rowNames(&table, true), (QStringList{"0", "Attic", "C", "Walls", "a", "b", "walls"}));
        QCOMPARE(rowNames(&table), rowNames(&table, true));
        QCOMPARE(rowNames(overlay(&table)), rowNames(&table, true));
        QVERIFY(layerCellIsTrue(table.model()->index(5, OnColumn).data()));
        QTRY_VERIFY(!overlay(&table)->findChild<QLineEdit*>());
    }

    void destroyingThePaletteWithTheNameEditorOrTheColumnMenuOpen()
    {
        auto manager = std::make_unique<LayerManager>();
        QVERIFY(showExposed(manager.get()));
        manager->slotNewLayer();
        auto* editor = overlay(manager.get())->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Ne"));
        manager.reset();

        auto* second = new LayerManager;
        QVERIFY(showExposed(second));
        useColumnMenu(second->findChild<LayerTableWidget*>(), QString(), [second] { delete second; });
    }
};

KVCC_TEST_MAIN(TestLayerTableWidget)
#include "tst_layertablewidget.moc"
