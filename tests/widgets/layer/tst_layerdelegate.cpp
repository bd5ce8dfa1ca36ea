#include "layertestdrawing.h"
#include "modaldriver.h"

#include <frozentablewidget.h>
#include <layercolumns.h>
#include <layerdelegate.h>
#include <layertablewidget.h>

#include <QAccessible>
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

    QModelIndex cell(const QString& name, int column) const
    {
        const QAbstractItemModel* model = table->model();
        const QModelIndex found = model->match(model->index(0, NameColumn), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0);
        return found.sibling(found.row(), column);
    }

    bool cellValue(const QString& name, int column) const { return layerCellIsTrue(cell(name, column).data()); }

    // The cells show "on", "thawed", "unlocked" and "plots" as true.
    bool drawingValue(const QString& name, int column) const
    {
        const DkDbLayerTableRecord* layer = drawing->layer(name);
        return column == OnColumn ? !layer->isOff() : column == FreezeColumn ? !layer->isFrozen()
             : column == LockColumn ? !layer->isLocked() : layer->isPlottable();
    }

    void click(const QString& name, int column)
    {
        const QModelIndex index = cell(name, column);
        QVERIFY(index.isValid());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }

    // Paints one cell of text into an image as the table would.
    static QImage paintCell(int column, const QString& text, const QPalette& palette = QPalette())
    {
        QStandardItemModel model(1, LayerColumnCount);
        model.setData(model.index(0, column), text);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 120, 22);
        option.state = QStyle::State_Enabled;
        option.palette = palette;
        QImage image(120, 22, QImage::Format_ARGB32);
        image.fill(palette.color(QPalette::Base));
        QPainter painter(&image);
        LayerDelegate().paint(&painter, option, model.index(0, column));
        return image;
    }

private slots:
    void initTestCase() { useScratchSettings(); }

    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        drawing->add(QStringLiteral("Walls"));
        drawing->add(QStringLiteral("Doors"));
        table = std::make_unique<LayerTableWidget>();
        table->resize(900, 300);
        QVERIFY(showExposed(table.get()));
        kvResetLayerTableChangesCount();
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

    // The press and the release each tell the host; a second click undoes.
    void clickingAStateCellOfAnotherLayerChangesIt()
    {
        QFETCH(int, column);
        QSignalSpy combo(table.get(), &LayerTableWidget::updateLayerCombo);
        for (bool value : {false, true}) {
            click(QStringLiteral("Walls"), column);
            QCOMPARE(drawingValue(QStringLiteral("Walls"), column), value);
            QCOMPARE(cellValue(QStringLiteral("Walls"), column), value);
            QVERIFY(drawingValue(QStringLiteral("Doors"), column));
            QCOMPARE(kvLayerTableChangesCount(), value ? 4LL : 2LL);
            QCOMPARE(combo.count(), value ? 4 : 2);
        }
        drawing->verifyNothingOpen();
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
        QTest::newRow("freezing it only tells why, with a lone OK") << int(FreezeColumn) << "OK" << false << QStringLiteral("The current layer can't be frozen!");
    }

    // Only the press told the host when the layer was left as it was.
    void touchingTheCurrentLayerAsksFirst()
    {
        QFETCH(int, column);
        QFETCH(QString, answer);
        QFETCH(bool, changed);
        QString asked;
        bool offeredYes = false;
        modaldriver::answer([&] { click(QStringLiteral("0"), column); }, [&](QDialog* dialog) {
            for (auto* label : dialog->findChildren<QLabel*>())
                asked += label->text();
            offeredYes = dialogButton(dialog, QStringLiteral("Yes"));
            if (answer == QLatin1String("Escape"))
                return QTest::keyClick(dialog, Qt::Key_Escape);
            QPushButton* button = dialogButton(dialog, answer);
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        });
        QFETCH(QString, tips);
        QVERIFY2(asked.contains(tips), qPrintable(asked));
        QCOMPARE(offeredYes, column == OnColumn);
        QCOMPARE(drawingValue(QStringLiteral("0"), column), !changed);
        QCOMPARE(cellValue(QStringLiteral("0"), column), !changed);
        QCOMPARE(kvLayerTableChangesCount(), changed ? 2LL : 1LL);
    }

    // Black texts and samples used to vanish on a dark palette; on a light
    // one they stay black. The core of a stroke has the stroke's own color:
    // the strongest contrast of any pixel against the ground is the text's.
    void cellsStayReadableOnLightAndDarkPalettes_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dark");
        for (bool dark : {false, true}) {
            QTest::addRow("a linetype on a %s palette", dark ? "dark" : "light") << int(LinetypeColumn) << "Continuous" << dark;
            QTest::addRow("a lineweight sample alone on a %s palette", dark ? "dark" : "light") << int(LineweightColumn) << "" << dark;
            QTest::addRow("a color name on a %s palette", dark ? "dark" : "light") << int(ColorColumn) << "ll*red;255,0,0" << dark;
            QTest::addRow("a description on a %s palette", dark ? "dark" : "light") << int(DescriptionColumn) << "Walls" << dark;
        }
    }
    void cellsStayReadableOnLightAndDarkPalettes()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(bool, dark);
        QPalette palette;
        if (dark)
            palette.setColor(QPalette::Base, QColor(35, 35, 35)), palette.setColor(QPalette::Text, QColor(230, 230, 230));
        const QImage image = paintCell(column, text, palette);
        const auto luminance = [](QColor c) { return 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) + 0.0722 * std::pow(c.blueF(), 2.2); };
        const double ground = luminance(palette.color(QPalette::Base));
        double best = 1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const double ink = luminance(image.pixelColor(x, y));
                best = qMax(best, (qMax(ink, ground) + 0.05) / (qMin(ink, ground) + 0.05));
            }
        QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
        QVERIFY2(dark || best > 20.99, "the light palette no longer draws in pure black");
    }

    // Space on a focused state cell is the keyboard's click, warning included;
    // screen readers and tool tips read the cell's state in words.
    void spaceOnAStateCellClicksIt()
    {
        const QModelIndex walls = cell(QStringLiteral("Walls"), FreezeColumn);
        table->setCurrentIndex(walls);
        QTest::keyClick(table.get(), Qt::Key_Space);
        QVERIFY(!drawingValue(QStringLiteral("Walls"), FreezeColumn));
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(table.get())->tableInterface()->cellAt(walls.row(), FreezeColumn);
        QCOMPARE(QStringList({heard->text(QAccessible::Name), heard->text(QAccessible::Description)}), QStringList({"Frozen", "Thaw Walls"}));
        QCOMPARE(walls.data(Qt::ToolTipRole).toString(), QStringLiteral("Frozen"));
        QCOMPARE(walls.sibling(walls.row(), NameColumn).data(Qt::ToolTipRole).toString(), QStringLiteral("Walls"));
        table->setCurrentIndex(cell(QStringLiteral("0"), FreezeColumn));
        modaldriver::answer([&] { QTest::keyClick(table.get(), Qt::Key_Space); }, [](QDialog* dialog) { QVERIFY(dialogButton(dialog, QStringLiteral("OK"))); dialog->reject(); });
        QVERIFY(drawingValue(QStringLiteral("0"), FreezeColumn));
    }

    // The mark moved in the palette only, so the drawing still refuses to
    // freeze its current layer "0"; a layer erased behind the palette's back,
    // or one the palette made itself, is not changed either.
    void aWriteTheDrawingRefusesLeavesTheCellAsItWas()
    {
        table->selectRow(cell(QStringLiteral("Walls"), 0).row());
        table->setCurrentLayer();
        click(QStringLiteral("0"), FreezeColumn);
        QVERIFY(drawingValue(QStringLiteral("0"), FreezeColumn));
        QVERIFY(cellValue(QStringLiteral("0"), FreezeColumn));
        drawing->db->eraseLayer(drawing->id(QStringLiteral("Doors")));
        click(QStringLiteral("Doors"), LockColumn);
        QVERIFY(cellValue(QStringLiteral("Doors"), LockColumn));
        table->addLayer();
        auto* editor = table->findChild<FrozenTableWidget*>()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        drawing->add(QStringLiteral("Layer1"));
        click(QStringLiteral("Layer1"), OnColumn);
        QVERIFY(drawingValue(QStringLiteral("Layer1"), OnColumn));
        QVERIFY(cellValue(QStringLiteral("Layer1"), OnColumn));
        drawing->verifyNothingOpen();
    }

    // A double click never opens an editor; a renamed row still writes to its own layer.
    void aRenamedRowStillWritesToItsOwnLayer()
    {
        auto* frozen = table->findChild<FrozenTableWidget*>(QStringLiteral("frozenTable"));
        QVERIFY(frozen);
        const QModelIndex name = cell(QStringLiteral("Walls"), NameColumn);
        QTest::mouseDClick(frozen->viewport(), Qt::LeftButton, {}, frozen->visualRect(name).center());
        QVERIFY(!frozen->findChild<QLineEdit*>() && !table->findChild<QLineEdit*>());
        frozen->edit(name);
        auto* editor = frozen->findChild<QLineEdit*>();
        QVERIFY(editor && editor->completer() && editor->completer()->parent() == editor);
        QCOMPARE(editor->completer()->model()->match(editor->completer()->model()->index(0, 0), Qt::DisplayRole, "Doors").size(), 1);
        editor->setText(QStringLiteral("Doors"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(name.data().toString(), QStringLiteral("Doors"));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(name.sibling(name.row(), OnColumn)).center());
        QVERIFY(!drawingValue(QStringLiteral("Walls"), OnColumn));
        QVERIFY(drawingValue(QStringLiteral("Doors"), OnColumn));
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
            dark += qGray(image.pixel(22, y)) < 128 ? 1 : 0;
        QTEST(dark, "rows");
        QCOMPARE(LayerDelegate().lineWeightIndexMap(QStringLiteral("0.010 \"")), 25); // unknown texts map past the list
    }

    void everyStateCellShowsItsTwoStatesApart()
    {
        for (int column : {OnColumn, FreezeColumn, LockColumn, PlotColumn, NewViewportFreezeColumn, ViewportFreezeColumn})
            QVERIFY2(paintCell(column, QStringLiteral("true")) != paintCell(column, QStringLiteral("false")), qPrintable(QString::number(column)));
    }

    void aColorNameHoldingSemicolonsAndStarsDrawsItsOwnColor()
    {
        QCOMPARE(QColor(paintCell(ColorColumn, QStringLiteral("ll*Red; *bright*;255,0,0")).pixel(8, 10)), QColor(Qt::red));
    }
};

KVCC_TEST_MAIN(TestLayerDelegate)
#include "tst_layerdelegate.moc"
