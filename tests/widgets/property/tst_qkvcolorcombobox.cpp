#include "kvcctest.h"

#include "popupdriver.h"

#include <qkvcolorcombobox.h>
#include <swatchpainters.h>

#include <QColorDialog>

#include <memory>

using namespace popupdriver;

// Drives the property page's color selector through its popup and the color dialog.
class TestQKvColorComboBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KvCc::QKvColorComboBox> combo;
    int dialogsSeen = 0;

    // Answers the next color dialog: picks color when valid, cancels otherwise.
    void answerDialog(const QColor& color)
    {
        QTimer::singleShot(0, this, [this, color] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, this, [this, color] { answerDialog(color); });
                return;
            }
            ++dialogsSeen;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Color"));
            QCOMPARE(dialog->currentColor(), QColor(Qt::white));
            // The popup is closed before the dialog runs, so it cannot sit
            // above the dialog or keep the mouse.
            QVERIFY(!popupVisible(combo.get()));
            if (!color.isValid())
                return dialog->reject();
            dialog->setCurrentColor(color);
            dialog->accept();
        });
    }

    void pickInDialog(const QColor& color)
    {
        QVERIFY(openPopup(combo.get()));
        answerDialog(color);
        QVERIFY(clickSettings(combo.get()));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    static QStringList standardTexts()
    {
        return {"By Layer", "By Block", "Red", "Yellow", "Green", "Cyan", "Blue", "Magenta", "White"};
    }

    static QImage argb(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

private slots:
    void init()
    {
        dialogsSeen = 0;
        combo = std::make_unique<KvCc::QKvColorComboBox>();
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    }

    void cleanup() { combo.reset(); }

    void clickingARowShowsItOnTheFace()
    {
        QCOMPARE(rowTexts(combo.get()), standardTexts());
        QCOMPARE(face(combo.get()), QStringLiteral("By Layer"));
        QCOMPARE(combo->currentRow(), 0);
        QCOMPARE(popupHeight(combo.get()), 210);
        QCOMPARE(argb(combo->item(0)->icon().pixmap(14, 14)), argb(creatColorPix(Qt::white)));
        QVERIFY(openPopup(combo.get()));
        QVERIFY2(popupShowsWholeTexts(combo.get()), "the popup cuts off its texts");
        QVERIFY(clickRow(combo.get(), 6));
        QTRY_VERIFY(!popupVisible(combo.get()));
        QCOMPARE(face(combo.get()), QStringLiteral("Blue"));
        QCOMPARE(combo->currentRow(), 6);
        QCOMPARE(argb(combo->baseEdit()->currentIcon()), argb(creatColorPix(Qt::blue)));
        QCOMPARE(dialogsSeen, 0);
    }

    void dialogThatAddsNothingKeepsTheRow_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::newRow("cancelling the dialog changes nothing") << QColor();
        QTest::newRow("picking a color listed before adds nothing") << QColor(10, 20, 30);
    }

    void dialogThatAddsNothingKeepsTheRow()
    {
        QFETCH(QColor, color);
        if (color.isValid())
            pickInDialog(color);
        const QStringList before = rowTexts(combo.get());
        QVERIFY(openPopup(combo.get()));
        QVERIFY(clickRow(combo.get(), 3));
        QTRY_VERIFY(!popupVisible(combo.get()));
        pickInDialog(color);
        QCOMPARE(dialogsSeen, color.isValid() ? 2 : 1);
        QCOMPARE(rowTexts(combo.get()), before);
        QCOMPARE(combo->currentRow(), 3);
        QCOMPARE(face(combo.get()), QStringLiteral("Yellow"));
    }

    void pickingANewColorAppendsAndShowsIt_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("text");
        QTest::newRow("orange is added under its numbers") << QColor(255, 128, 0) << QStringLiteral("255,128,0");
        QTest::newRow("pure red is added under its numbers too") << QColor(Qt::red) << QStringLiteral("255,0,0");
    }

    void pickingANewColorAppendsAndShowsIt()
    {
        QFETCH(QColor, color);
        QFETCH(QString, text);
        KvCc::QKvColorComboBox other;
        pickInDialog(color);
        QCOMPARE(dialogsSeen, 1);
        QCOMPARE(rowTexts(combo.get()), standardTexts() << text);
        QCOMPARE(combo->currentRow(), 9);
        QCOMPARE(face(combo.get()), text);
        QCOMPARE(argb(combo->item(9)->icon().pixmap(14, 14)), argb(creatColorPix(color)));
        QCOMPARE(popupHeight(combo.get()), 230);
        // Another selector keeps its own rows.
        QCOMPARE(rowTexts(&other), standardTexts());
        QCOMPARE(face(&other), QStringLiteral("By Layer"));
    }

    void popupHeightStopsGrowingAtTenRows()
    {
        for (int i = 1; i <= 4; ++i)
            pickInDialog(QColor(i, i, i));
        QCOMPARE(rowTexts(combo.get()).size(), 13);
        QCOMPARE(popupHeight(combo.get()), 230);
        QCOMPARE(face(combo.get()), QStringLiteral("4,4,4"));
        // The list scrolls: the last row can be reached and chosen.
        QVERIFY(openPopup(combo.get()));
        QVERIFY(clickRow(combo.get(), 12));
        QTRY_VERIFY(!popupVisible(combo.get()));
        QCOMPARE(combo->currentRow(), 12);
    }
};

KVCC_TEST_MAIN(TestQKvColorComboBox)
#include "tst_qkvcolorcombobox.moc"
