#include "kvcctest.h"

#include "popupdriver.h"

#include <colorcombobox.h>
#include <qkvcolorcombobox.h>
#include <swatchpainters.h>

using namespace popupdriver;

static const QStringList plainTexts = {"Red", "Yellow", "Green", "Cyan", "Blue", "Magenta", "White", "Select Color..."};
static const QStringList selectorTexts = {"By Layer", "By Block", "Red",     "Yellow", "Green",
                                          "Cyan",     "Blue",     "Magenta", "White"};

// Drives the plain color combo box and the property page's color selector
// through their popups and the color dialog.
class TestColorComboBoxes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KvCc::ColorComboBox> plain;
    std::unique_ptr<KvCc::QKvColorComboBox> selector;

    // Opens the plain combo box's popup and clicks the entry at row.
    void clickRow(int row)
    {
        plain->showPopup();
        QAbstractItemView* view = plain->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        // A release right after the popup opened is taken as part of the
        // opening click, so wait as a user's second click would.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
        QTRY_VERIFY(!view->isVisible());
    }

    // Clicks "Select Color..." and answers the dialog with color, or cancels.
    void selectColor(QColor c) { modaldriver::answer([this] { clickRow(plain->count() - 1); }, answerColorDialog(c)); }
    void pickInDialog(const QColor& color) { runSettings<QDialog>(selector.get(), answerColorDialog(color)); }

    QStringList plainEntries() const
    {
        QStringList list;
        for (int i = 0; i < plain->count(); ++i)
            list << plain->itemText(i);
        return list;
    }

private slots:
    void init()
    {
        plain = std::make_unique<KvCc::ColorComboBox>();
        selector = std::make_unique<KvCc::QKvColorComboBox>();
        plain->show();
        selector->show();
        QVERIFY(QTest::qWaitForWindowExposed(plain.get()) && QTest::qWaitForWindowExposed(selector.get()));
    }
    void cleanup()
    {
        plain.reset();
        selector.reset();
    }

    void aNewPlainComboShowsRed()
    {
        QCOMPARE(plain->currentText(), QStringLiteral("Red"));
        QCOMPARE(plainEntries(), plainTexts);
        const QList<QColor> colors = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::white, Qt::lightGray};
        for (int i = 0; i < colors.size(); ++i)
            QCOMPARE(plain->itemIcon(i).pixmap(14, 14).toImage(), creatColorPix(colors.at(i)).toImage());
    }

    // A standard entry is reported once. Each pick adds an entry at the top,
    // also of a color listed before; the standard entries below keep their
    // colors, and a cancel returns to the entry reported last, reporting its
    // color once more.
    void customColorsAreAddedAtTheTopOfThePlainCombo()
    {
        KvCc::ColorComboBox other;
        QSignalSpy spy(plain.get(), SIGNAL(currentColorChanged(QColor)));
        selectColor(QColor(10, 20, 30));
        QCOMPARE(plainEntries(), QStringList{"10,20,30"} + plainTexts);
        QCOMPARE(plain->currentIndex(), 0);
        QCOMPARE(spy.last().at(0).value<QColor>(), QColor(10, 20, 30));
        for (const QList<QVariant>& args : spy)
            QVERIFY2(args.at(0).value<QColor>() != QColor(Qt::lightGray), "the dialog entry's gray was reported");
        QCOMPARE(plain->itemIcon(0).pixmap(14, 14).toImage(), creatColorPix(QColor(10, 20, 30)).toImage());

        selectColor(QColor(10, 20, 30));
        spy.clear();
        clickRow(8);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{QColor(Qt::white)}}));
        selectColor(QColor());
        QCOMPARE(plain->currentText(), QStringLiteral("White"));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{QColor(Qt::white)}, {QColor(Qt::white)}}));
        QCOMPARE(plainEntries(), QStringList({"10,20,30", "10,20,30"}) + plainTexts);
        QCOMPARE(other.count(), 8);
    }

    void aClickedRowShowsOnTheSelectorsFace()
    {
        QCOMPARE(state(selector.get()), QStringLiteral("By Layer, row 0, popup 210"));
        QCOMPARE(selector->item(0)->icon().pixmap(14, 14).toImage(), creatColorPix(Qt::white).toImage());
        QVERIFY(openPopup(selector.get()));
        QVERIFY2(popupShowsWholeTexts(selector.get()), "the popup cuts off its texts");
        selector->hidePopup();
        QVERIFY(pickRow(selector.get(), 6));
        QCOMPARE(state(selector.get()), QStringLiteral("Blue, row 6, popup 210"));
        QCOMPARE(selector->baseEdit()->currentIcon().toImage(), creatColorPix(Qt::blue).toImage());
    }

    void aSelectorDialogThatAddsNothingKeepsTheRow_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::newRow("cancelling the dialog changes nothing") << QColor();
        QTest::newRow("picking a color listed before adds nothing") << QColor(10, 20, 30);
    }
    void aSelectorDialogThatAddsNothingKeepsTheRow()
    {
        QFETCH(QColor, color);
        if (color.isValid())
            pickInDialog(color);
        const QStringList before = rowTexts(selector.get());
        QVERIFY(pickRow(selector.get(), 3));
        pickInDialog(color);
        QCOMPARE(rowTexts(selector.get()), before);
        QCOMPARE(state(selector.get()), QString("Yellow, row 3, popup %1").arg(color.isValid() ? 230 : 210));
    }

    // The popup grows by a row up to ten rows, then the list scrolls.
    void aNewColorIsAppendedToTheSelectorUnderItsNumbers_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("text");
        QTest::newRow("orange is added as 255,128,0") << QColor(255, 128, 0) << QStringLiteral("255,128,0");
        QTest::newRow("pure red is added as 255,0,0 beside Red") << QColor(Qt::red) << QStringLiteral("255,0,0");
    }
    void aNewColorIsAppendedToTheSelectorUnderItsNumbers()
    {
        QFETCH(QColor, color);
        QFETCH(QString, text);
        KvCc::QKvColorComboBox other;
        pickInDialog(color);
        QCOMPARE(rowTexts(selector.get()), QStringList(selectorTexts) << text);
        QCOMPARE(state(selector.get()), text + QStringLiteral(", row 9, popup 230"));
        QCOMPARE(selector->item(9)->icon().pixmap(14, 14).toImage(), creatColorPix(color).toImage());
        for (int i = 1; i <= 3; ++i)
            pickInDialog(QColor(i, i, i));
        QCOMPARE(state(selector.get()), QStringLiteral("3,3,3, row 12, popup 230"));
        QVERIFY(pickRow(selector.get(), 11));
        QCOMPARE(state(selector.get()), QStringLiteral("2,2,2, row 11, popup 230"));
        QCOMPARE(rowTexts(&other), selectorTexts);
    }
};

KVCC_TEST_MAIN(TestColorComboBoxes)
#include "tst_colorcomboboxes.moc"
