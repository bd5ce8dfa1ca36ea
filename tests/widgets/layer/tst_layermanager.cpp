#include "kvcctest.h"
#include "layertestdrawing.h"

#include <keyedpixmap.h>
#include <layercolumns.h>
#include <layermanager.h>
#include <layertablewidget.h>
#include <searchlayeredit.h>

#include <QLabel>
#include <QPushButton>

using namespace KvCc;

// The palette panel and its search box, used as a user would.
class TestLayerManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;

    static QImage glyph(const QString& path) { return loadKeyedPixmap(path).toImage(); }
    static QImage shownGlyph(SearchLayerEdit* edit)
    {
        auto* button = edit->findChild<QPushButton*>(QStringLiteral("searchBtn"));
        return button ? button->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32) : QImage();
    }
    static QLabel* currentLabel(LayerManager& manager)
    {
        for (auto* label : manager.findChildren<QLabel*>()) {
            if (label->text().startsWith(QLatin1String("Current layer: ")))
                return label;
        }
        return nullptr;
    }
    static int shownRows(LayerManager& manager)
    {
        auto* table = manager.findChild<LayerTableWidget*>();
        int shown = 0;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            shown += table->isRowHidden(row) ? 0 : 1;
        return shown;
    }

private slots:
    void initTestCase() { useScratchSettings(); }

    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        drawing->add(QStringLiteral("Walls"));
        drawing->add(QStringLiteral("Windows"));
        drawing->makeCurrent(QStringLiteral("Walls"));
    }

    void cleanup() { drawing.reset(); }

    void theCloseGlyphEmptiesTheBoxAndShowsEveryRow()
    {
        LayerManager manager;
        manager.show();
        QVERIFY(QTest::qWaitForWindowExposed(&manager));
        auto* search = manager.findChild<SearchLayerEdit*>();
        QVERIFY(search);
        QSignalSpy pattern(search, &SearchLayerEdit::searchTextChanged);
        QCOMPARE(shownGlyph(search), glyph(QStringLiteral(":/IDB_LAYER_SEARCH.bmp")).convertToFormat(QImage::Format_ARGB32));
        QTest::keyClicks(search, QStringLiteral("wa"));
        QCOMPARE(pattern.count(), 2);
        QCOMPARE(pattern.last().at(0).toString(), QStringLiteral("wa"));
        QCOMPARE(shownRows(manager), 1);
        QCOMPARE(shownGlyph(search), glyph(QStringLiteral(":/KvLayer_SearchClose.bmp")).convertToFormat(QImage::Format_ARGB32));

        auto* button = search->findChild<QPushButton*>(QStringLiteral("searchBtn"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(search->text().isEmpty());
        QCOMPARE(pattern.last().at(0).toString(), QString());
        QCOMPARE(shownRows(manager), 3);
        QCOMPARE(shownGlyph(search), glyph(QStringLiteral(":/IDB_LAYER_SEARCH.bmp")).convertToFormat(QImage::Format_ARGB32));
    }

    void leavingTheBoxDropsOnlyALoneStar_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("a lone star is dropped") << "*" << "";
        QTest::newRow("a pattern ending in a star stays") << "wa*" << "wa*";
    }

    void leavingTheBoxDropsOnlyALoneStar()
    {
        QFETCH(QString, typed);
        LayerManager manager;
        QLineEdit other(&manager);
        manager.show();
        QVERIFY(QTest::qWaitForWindowExposed(&manager));
        auto* search = manager.findChild<SearchLayerEdit*>();
        search->setFocus();
        QTest::keyClicks(search, typed);
        QTest::keyClick(search, Qt::Key_Return); // Return while focused changes nothing
        QCOMPARE(search->text(), typed);
        other.setFocus();
        QTRY_VERIFY(!search->hasFocus());
        QTEST(search->text(), "kept");
        QCOMPARE(shownRows(manager), typed == QLatin1String("*") ? 3 : 1);
    }

    void drawIconCutsOneGlyphOfTheStrip()
    {
        LayerManager manager;
        const QImage strip = loadKeyedPixmap(QStringLiteral(":/layertoolbar.bmp")).toImage();
        const QImage icon = manager.drawIcon(LayerManager::IconDelete, QSize(16, 16)).toImage();
        QCOMPARE(icon.size(), QSize(16, 16));
        QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32),
                 strip.copy(18, 0, 16, 16).convertToFormat(QImage::Format_ARGB32));
    }

    void theLabelNamesTheCurrentLayerAfterAReload()
    {
        LayerManager manager;
        QLabel* label = currentLabel(manager);
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Current layer: 0"));
        manager.slotUpLayerModel();
        QCOMPARE(label->text(), QStringLiteral("Current layer: Walls"));
    }

    void aReloadKeepsTheSearchInForce()
    {
        LayerManager manager;
        auto* search = manager.findChild<SearchLayerEdit*>();
        QTest::keyClicks(search, QStringLiteral("wi"));
        QCOMPARE(shownRows(manager), 1);
        drawing->add(QStringLiteral("Wiring"));
        manager.slotUpLayerModel();
        QCOMPARE(shownRows(manager), 2);
    }

    void aStateClickReachesTheHostAsLayerManagerChanged()
    {
        LayerManager manager;
        manager.resize(700, 300);
        manager.show();
        QVERIFY(QTest::qWaitForWindowExposed(&manager));
        QSignalSpy changed(&manager, &LayerManager::layerManagerChanged);
        auto* table = manager.findChild<LayerTableWidget*>();
        int row = 0;
        while (table->model()->index(row, NameColumn).data().toString() != QLatin1String("Windows"))
            ++row;
        const QRect lock = table->visualRect(table->model()->index(row, LockColumn));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, lock.center());
        QVERIFY(drawing->layer(QStringLiteral("Windows"))->isLocked());
        QCOMPARE(changed.count(), 2);
    }
};

KVCC_TEST_MAIN(TestLayerManager)
#include "tst_layermanager.moc"
