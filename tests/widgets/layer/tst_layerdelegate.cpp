#include "kvcctest.h"
#include "layertestdrawing.h"
#include "modaldriver.h"

#include <frozentablewidget.h>
#include <layercolumns.h>
#include <layerdelegate.h>
#include <layertablewidget.h>

#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>

using namespace KvCc;

// Clicks on the state cells of the palette, at their drawn positions, with
// the current-layer warnings answered as a user would; and what the cells draw.
class TestLayerDelegate : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    std::unique_ptr<LayerTableWidget> table;

    void showTable()
    {
        table = std::make_unique<LayerTableWidget>();
        table->resize(900, 300);
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table.get()));
    }

    QModelIndex cell(const QString& name, int column) const
    {
        const QAbstractItemModel* model = table->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, NameColumn).data().toString() == name)
                return model->index(row, column);
        }
        return QModelIndex();
    }

    bool cellValue(const QString& name, int column) const { return layerCellIsTrue(cell(name, column).data()); }

    void click(const QString& name, int column)
    {
        const QModelIndex index = cell(name, column);
        QVERIFY(index.isValid());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }

    static bool drawingValue(const DkDbLayerTableRecord* layer, int column)
    {
        // The cells show "on", "thawed", "unlocked" and "plots" as true.
        return column == OnColumn       ? !layer->isOff()
               : column == FreezeColumn ? !layer->isFrozen()
               : column == LockColumn   ? !layer->isLocked()
                                        : layer->isPlottable();
    }

    // Paints one cell of text into an image as the table would.
    static QImage paintCell(int column, const QString& text, int width = 120)
    {
        QStandardItemModel model(1, LayerColumnCount);
        model.setData(model.index(0, column), text);
        LayerDelegate delegate;
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, width, 22);
        option.state = QStyle::State_Enabled;
        QImage image(width, 22, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        delegate.paint(&painter, option, model.index(0, column));
        painter.end();
        return image;
    }

private slots:
    void initTestCase() { useScratchSettings(); }

    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        drawing->add(QStringLiteral("Walls"));
        drawing->add(QStringLiteral("Doors"));
    }

    void cleanup()
    {
        table.reset();
        drawing.reset();
    }

    void clickingAStateCellOfAnotherLayerChangesIt_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("the bulb switches the layer off") << int(OnColumn);
        QTest::newRow("the sun freezes the layer") << int(FreezeColumn);
        QTest::newRow("the padlock locks the layer") << int(LockColumn);
        QTest::newRow("the printer stops plotting") << int(PlotColumn);
    }

    void clickingAStateCellOfAnotherLayerChangesIt()
    {
        QFETCH(int, column);
        showTable();
        QSignalSpy combo(table.get(), &LayerTableWidget::updateLayerCombo);
        kvResetLayerTableChangesCount();
        click(QStringLiteral("Walls"), column);
        QVERIFY(!drawingValue(drawing->layer(QStringLiteral("Walls")), column));
        QVERIFY(!cellValue(QStringLiteral("Walls"), column));
        QVERIFY(drawingValue(drawing->layer(QStringLiteral("Doors")), column));
        // The press and the release each tell the host.
        QCOMPARE(kvLayerTableChangesCount(), 2LL);
        QCOMPARE(combo.count(), 2);
        click(QStringLiteral("Walls"), column);
        QVERIFY(drawingValue(drawing->layer(QStringLiteral("Walls")), column));
        QVERIFY(cellValue(QStringLiteral("Walls"), column));
        QVERIFY(drawing->nothingOpen());
    }

    void touchingTheCurrentLayerAsksFirst_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("tips");
        const QString off = QStringLiteral("The current layer is turned off.");
        QTest::newRow("No keeps the layer on") << int(OnColumn) << "No" << false << off;
        QTest::newRow("Escape keeps the layer on") << int(OnColumn) << "Escape" << false << off;
        QTest::newRow("Yes switches it off") << int(OnColumn) << "Yes" << true << off;
        QTest::newRow("freezing it only tells why, with a lone OK")
            << int(FreezeColumn) << "OK" << false << QStringLiteral("The current layer can't be frozen!");
    }

    void touchingTheCurrentLayerAsksFirst()
    {
        QFETCH(int, column);
        QFETCH(QString, answer);
        QFETCH(bool, changed);
        QFETCH(QString, tips);
        showTable();
        QString asked;
        bool offeredYes = false;
        kvResetLayerTableChangesCount();
        modaldriver::answer([&] { click(QStringLiteral("0"), column); }, [&](QDialog* dialog) {
            for (auto* label : dialog->findChildren<QLabel*>())
                asked += label->text();
            offeredYes = dialogButton(dialog, QStringLiteral("Yes"));
            if (answer == QLatin1String("Escape")) {
                QTest::keyClick(dialog, Qt::Key_Escape);
                return;
            }
            QPushButton* button = dialogButton(dialog, answer);
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        });
        QVERIFY2(asked.contains(tips), qPrintable(asked));
        QCOMPARE(offeredYes, column == OnColumn);
        QCOMPARE(drawingValue(drawing->layer(QStringLiteral("0")), column), !changed);
        QCOMPARE(cellValue(QStringLiteral("0"), column), !changed);
        // Only the press told the host when the layer was left as it was.
        QCOMPARE(kvLayerTableChangesCount(), changed ? 2LL : 1LL);
    }

    void aWriteTheDrawingRefusesLeavesTheCellAsItWas()
    {
        showTable();
        // The mark moved in the palette only: the drawing still refuses to
        // freeze its own current layer "0".
        table->selectRow(cell(QStringLiteral("Walls"), 0).row());
        table->setCurrentLayer();
        click(QStringLiteral("0"), FreezeColumn);
        QVERIFY(!drawing->layer(QStringLiteral("0"))->isFrozen());
        QVERIFY(cellValue(QStringLiteral("0"), FreezeColumn));

        // A layer erased behind the palette's back.
        drawing->db->eraseLayer(drawing->id(QStringLiteral("Doors")));
        click(QStringLiteral("Doors"), LockColumn);
        QVERIFY(cellValue(QStringLiteral("Doors"), LockColumn));
        QVERIFY(drawing->nothingOpen());
    }

    void aRowAddedInThePaletteChangesNothingInTheDrawing()
    {
        drawing->add(QStringLiteral("Layer1"));
        showTable();
        table->addLayer();
        auto* editor = table->findChild<FrozenTableWidget*>()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("Layer2"));
        QTest::keyClick(editor, Qt::Key_Return);
        // The drawing gains a layer of that name, which the palette's row does not stand for.
        drawing->add(QStringLiteral("Layer2"));
        click(QStringLiteral("Layer2"), OnColumn);
        QVERIFY(!drawing->layer(QStringLiteral("Layer2"))->isOff());
        QVERIFY(cellValue(QStringLiteral("Layer2"), OnColumn));
    }

    void aRenamedRowStillWritesToItsOwnLayer()
    {
        showTable();
        auto* frozen = table->findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        QVERIFY(frozen);
        const QModelIndex name = cell(QStringLiteral("Walls"), NameColumn);
        frozen->edit(name);
        auto* editor = frozen->findChild<QLineEdit*>();
        QVERIFY(editor && editor->completer());
        QCOMPARE(editor->completer()->parent(), editor);
        QVERIFY(editor->completer()->model()->match(editor->completer()->model()->index(0, 0), Qt::DisplayRole,
                                                    QStringLiteral("Doors")).size() == 1);
        editor->setText(QStringLiteral("Doors"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(name.data().toString(), QStringLiteral("Doors"));

        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(name.sibling(name.row(), OnColumn)).center());
        QVERIFY(drawing->layer(QStringLiteral("Walls"))->isOff());
        QVERIFY(!drawing->layer(QStringLiteral("Doors"))->isOff());
    }

    void aDoubleClickNeverOpensAnEditor()
    {
        showTable();
        auto* frozen = table->findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        const QModelIndex name = cell(QStringLiteral("Walls"), NameColumn);
        QTest::mouseDClick(frozen->viewport(), Qt::LeftButton, {}, frozen->visualRect(name).center());
        QVERIFY(!frozen->findChild<QLineEdit*>());
        QVERIFY(!table->findChild<QLineEdit*>());
    }

    void theLineSampleFollowsTheLineweight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::newRow("0.25 mm draws one pixel") << "0.25 mm" << 1;
        QTest::newRow("0.30 mm draws two pixels") << "0.30 mm" << 2;
        QTest::newRow("Default draws one pixel") << "Default" << 1;
        QTest::newRow("0.50 mm draws three pixels") << "0.50 mm" << 3;
        QTest::newRow("2.11 mm draws fifteen pixels") << "2.11 mm" << 15;
        QTest::newRow("an inch text draws a hairline") << "0.010 \"" << 1;
    }

    void theLineSampleFollowsTheLineweight()
    {
        QFETCH(QString, text);
        const QImage image = paintCell(LineweightColumn, text);
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            dark += qGray(image.pixel(2 + 40 / 2, y)) < 128 ? 1 : 0;
        QTEST(dark, "rows");
        LayerDelegate delegate;
        QCOMPARE(delegate.lineWeightIndexMap(QStringLiteral("0.010 \"")), 25);
    }

    void aColorNameHoldingSemicolonsAndStarsDrawsItsOwnColor()
    {
        const QImage image = paintCell(ColorColumn, QStringLiteral("ll*Red; *bright*;255,0,0"));
        QCOMPARE(QColor(image.pixel(2 + 6, 4 + 6)), QColor(255, 0, 0));
    }
};

KVCC_TEST_MAIN(TestLayerDelegate)
#include "tst_layerdelegate.moc"
