#include "layertestdrawing.h"
#include "modaldriver.h"

#include <keyedpixmap.h>
#include <layercolumns.h>
#include <layermanager.h>
#include <layerstatesdialog.h>
#include <memorylayerstatestore.h>
#include <layertablewidget.h>
#include <searchlayeredit.h>

#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

using namespace KvCc;

// The palette panel and its search box, used as a user would.
class TestLayerManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    std::unique_ptr<LayerManager> manager;
    SearchLayerEdit* search = nullptr;

    QPushButton* searchButton() const { return search->findChild<QPushButton*>(QStringLiteral("searchBtn")); }
    QImage searchGlyph() const { return argb(searchButton()->icon().pixmap(16, 16)); }

    int shownRows() const { return rowNames(manager->findChild<LayerTableWidget*>()).size(); }

private slots:
    void initTestCase() { useScratchSettings(); }

    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        drawing->add(QStringLiteral("Walls"));
        drawing->add(QStringLiteral("Windows"));
        drawing->makeCurrent(QStringLiteral("Walls"));
        manager = std::make_unique<LayerManager>();
        manager->resize(700, 300);
        QVERIFY(showExposed(manager.get()));
        search = manager->findChild<SearchLayerEdit*>();
        QVERIFY(search && searchButton());
    }

    void cleanup()
    {
        manager.reset();
        drawing.reset();
    }

    // While text is in the box its glyph is a cross that empties it. Both
    // glyphs leave their white ground out, which a dark field would show.
    void theCloseGlyphEmptiesTheBoxAndShowsEveryRow()
    {
        const QImage magnifier = searchGlyph();
        QCOMPARE(qAlpha(magnifier.pixel(0, 0)), 0);
        QCOMPARE(magnifier.pixel(8, 8), argb(loadKeyedPixmap(QStringLiteral(":/IDB_LAYER_SEARCH.bmp"))).pixel(8, 8));
        QSignalSpy pattern(search, &SearchLayerEdit::searchTextChanged);
        QTest::keyClicks(search, QStringLiteral("wa"));
        QCOMPARE(QList<QVariantList>(pattern), (QList<QVariantList>{{"w"}, {"wa"}}));
        QCOMPARE(shownRows(), 1);
        QVERIFY(searchGlyph() != magnifier);
        QCOMPARE(qAlpha(searchGlyph().pixel(0, 0)), 0);
        QTest::mouseClick(searchButton(), Qt::LeftButton);
        QVERIFY(search->text().isEmpty());
        QCOMPARE(pattern.last().at(0).toString(), QString());
        QCOMPARE(shownRows(), 3);
        QCOMPARE(searchGlyph(), magnifier);
    }

    void leavingTheBoxDropsOnlyALoneStar_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("rows");
        QTest::newRow("a lone star is dropped") << "*" << "" << 3;
        QTest::newRow("a pattern ending in a star stays") << "wa*" << "wa*" << 1;
    }

    void leavingTheBoxDropsOnlyALoneStar()
    {
        QFETCH(QString, typed);
        QLineEdit other(manager.get());
        other.show();
        search->setFocus();
        QTest::keyClicks(search, typed);
        other.setFocus();
        QTRY_VERIFY(!search->hasFocus());
        QTEST(search->text(), "kept");
        QTEST(shownRows(), "rows");
    }

    void drawIconCutsOneGlyphOfTheStrip()
    {
        const QImage strip = argb(loadKeyedPixmap(QStringLiteral(":/layertoolbar.bmp")));
        QCOMPARE(argb(manager->drawIcon(LayerManager::IconDelete, QSize(16, 16))), strip.copy(18, 0, 16, 16));
    }

    // The label names the current layer after a reload, and the search stays in force.
    void aReloadRenamesTheLabelAndKeepsTheSearch()
    {
        QLabel* label = nullptr;
        for (auto* candidate : manager->findChildren<QLabel*>())
            label = candidate->text().startsWith(QLatin1String("Current layer: ")) ? candidate : label;
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Current layer: 0"));
        QTest::keyClicks(search, QStringLiteral("wi"));
        drawing->add(QStringLiteral("Wiring"));
        manager->slotUpLayerModel();
        QCOMPARE(label->text(), QStringLiteral("Current layer: Walls"));
        QCOMPARE(shownRows(), 2);
    }

    // The press and the release each reach the host.
    void aStateClickReachesTheHostAsLayerManagerChanged()
    {
        QSignalSpy changed(manager.get(), &LayerManager::layerManagerChanged);
        auto* table = manager->findChild<LayerTableWidget*>();
        const QModelIndex windows = table->model()->match(table->model()->index(0, NameColumn), Qt::DisplayRole, "Windows").value(0);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(windows.sibling(windows.row(), LockColumn)).center());
        QVERIFY(drawing->layer(QStringLiteral("Windows"))->isLocked());
        QCOMPARE(changed.count(), 2);
    }

    // Hosts without states see no button. A restore reloads the table, which
    // shows the state's current layer, and the palette and the host hear of it once.
    void aRestoredLayerStateReloadsThePaletteAndTellsOnce()
    {
        auto* button = manager->findChild<QToolButton*>(QStringLiteral("layerStatesBtn"));
        QVERIFY(button && !button->isVisible());
        MemoryLayerStateStore store;
        LayerState state = LayerState::capture(QStringLiteral("Windows on top"));
        state.currentLayer = QStringLiteral("Windows");
        state.layers.last().locked = true;
        store.saveState(state);
        manager->setLayerStateStore(&store);
        QVERIFY(button->isVisible());
        QSignalSpy changed(manager.get(), &LayerManager::layerManagerChanged);
        modaldriver::answer<LayerStatesDialog>([&] { QTest::mouseClick(button, Qt::LeftButton); }, [](LayerStatesDialog* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("stateList"));
            list->setCurrentItem(list->topLevelItem(0));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("restoreBtn")), Qt::LeftButton);
            dialog->accept();
        });
        QCOMPARE(changed.count(), 1);
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QVERIFY(drawing->layer(QStringLiteral("Windows"))->isLocked());
        QCOMPARE(manager->findChild<QLabel*>()->text(), QStringLiteral("Current layer: Windows"));
        manager->setLayerStateStore(nullptr);
        QVERIFY(!button->isVisible());
    }
};

KVCC_TEST_MAIN(TestLayerManager)
#include "tst_layermanager.moc"
