#include "kvcctest.h"

#include "popupdriver.h"

#include <textstylecombobox.h>
#include <visualstylecombobox.h>

using namespace popupdriver;

// The text style and visual style selectors of the ribbon.
class TestStyleComboBoxes : public QObject
{
    Q_OBJECT

private slots:
    void textStyleSelectorListsStandard()
    {
        KvCc::TextStyleComboBox combo;
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QCOMPARE(combo.size(), QSize(150, 20));
        QCOMPARE(rowTexts(&combo), QStringList({"Standard"}));
        QCOMPARE(combo.currentRow(), 0);
        QCOMPARE(face(&combo), QStringLiteral("Standard"));
        QCOMPARE(popupHeight(&combo), 110);
        QCOMPARE(combo.listView()->viewMode(), 1);
        QCOMPARE(settingsButton(&combo)->text(), QStringLiteral("Manager Text Styles..."));
    }

    void textStylePreviewIsFramedSampleText()
    {
        KvCc::TextStyleComboBox combo;
        const QList<QSize> sizes = combo.item(0)->icon().availableSizes();
        QVERIFY(sizes.contains(QSize(48, 16)));
        const QImage preview = combo.item(0)->icon().pixmap(48, 16).toImage().convertToFormat(QImage::Format_RGB32);
        // White ground, black frame from (1, 1) to (46, 15).
        QCOMPARE(preview.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(preview.pixelColor(47, 15), QColor(Qt::white));
        QCOMPARE(preview.pixelColor(1, 1), QColor(Qt::black));
        QCOMPARE(preview.pixelColor(46, 8), QColor(Qt::black));
        QCOMPARE(preview.pixelColor(20, 15), QColor(Qt::black));
        // Some dark text pixels inside the frame.
        int dark = 0;
        for (int y = 3; y < 14; ++y) {
            for (int x = 3; x < 45; ++x)
                dark += qGray(preview.pixel(x, y)) < 128 ? 1 : 0;
        }
        QVERIFY(dark > 10);
        // The sample stays inside the frame: nothing dark right of it.
        for (int y = 0; y < 16; ++y)
            QCOMPARE(preview.pixelColor(47, y), QColor(Qt::white));
        for (int x = 0; x < 48; ++x)
            QCOMPARE(preview.pixelColor(x, 0), QColor(Qt::white));
    }

    void managerButtonDoesNothing()
    {
        KvCc::TextStyleComboBox combo;
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QVERIFY(openPopup(&combo));
        QVERIFY2(popupShowsWholeTexts(&combo), "the popup cuts off the button label");
        QVERIFY(clickSettings(&combo));
        QTest::qWait(50);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(rowTexts(&combo), QStringList({"Standard"}));
        QCOMPARE(combo.currentRow(), 0);
        combo.hidePopup();
    }

    void visualStyleSelectorListsSevenThumbnails()
    {
        KvCc::VisualStyleComboBox combo;
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QCOMPARE(combo.size(), QSize(150, 20));
        QCOMPARE(rowTexts(&combo), QStringList({"2D wireframe", "3D wireframe", "Hidden", "Flat", "Gouraud",
                                                "Flat+Egdes", "Gouraud+Egdes"}));
        QCOMPARE(combo.currentRow(), 0);
        QCOMPARE(face(&combo), QStringLiteral("2D wireframe"));
        QCOMPARE(popupHeight(&combo), 240);
        QCOMPARE(combo.view()->width(), 280);
        QCOMPARE(combo.listView()->viewMode(), 1);
        QCOMPARE(rows(&combo)->iconSize(), QSize(50, 50));
        for (int row = 0; row < 7; ++row)
            QVERIFY2(!combo.item(row)->icon().isNull(), qPrintable(combo.item(row)->text()));
        QVERIFY(openPopup(&combo));
        QVERIFY(!settingsButton(&combo)->isVisible());
        QVERIFY(clickRow(&combo, 4));
        QTRY_VERIFY(!popupVisible(&combo));
        QCOMPARE(face(&combo), QStringLiteral("Gouraud"));
    }
};

KVCC_TEST_MAIN(TestStyleComboBoxes)
#include "tst_stylecomboboxes.moc"
