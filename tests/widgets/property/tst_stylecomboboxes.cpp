#include "kvcctest.h"

#include "popupdriver.h"

#include <linetypecombobox.h>
#include <swatchpainters.h>
#include <textstylecombobox.h>
#include <visualstylecombobox.h>

#include <memory>

using namespace popupdriver;

Q_DECLARE_METATYPE(std::shared_ptr<KvCc::BaseComboBox>)

// The selectors with fixed lists: linetype, text style and visual style.
class TestStyleComboBoxes : public QObject
{
    Q_OBJECT

private slots:
    // The button under the list, where there is one, opens nothing and
    // changes nothing; a picked row shows on the face.
    void aFixedListWithAnIdleButton_data()
    {
        QTest::addColumn<std::shared_ptr<KvCc::BaseComboBox>>("combo");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("popupHeight");
        QTest::addColumn<QString>("button");
        QTest::newRow("three linetypes under Others...") << std::shared_ptr<KvCc::BaseComboBox>(new KvCc::LineTypeComboBox)
            << QStringList{"By Layer", "By Block", "Continuous"} << 90 << "Others...";
        QTest::newRow("the one text style Standard") << std::shared_ptr<KvCc::BaseComboBox>(new KvCc::TextStyleComboBox)
            << QStringList{"Standard"} << 110 << "Manager Text Styles...";
        QTest::newRow("seven visual styles without a button") << std::shared_ptr<KvCc::BaseComboBox>(new KvCc::VisualStyleComboBox)
            << QStringList{"2D wireframe", "3D wireframe", "Hidden", "Flat", "Gouraud", "Flat+Egdes", "Gouraud+Egdes"}
            << 240 << "";
    }
    void aFixedListWithAnIdleButton()
    {
        QFETCH(std::shared_ptr<KvCc::BaseComboBox>, combo);
        QFETCH(QStringList, rows);
        QFETCH(int, popupHeight);
        QFETCH(QString, button);
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
        QCOMPARE(rowTexts(combo.get()), rows);
        QCOMPARE(state(combo.get()), QStringLiteral("%1, row 0, popup %2").arg(rows.first()).arg(popupHeight));
        for (int row = 0; row < rows.size(); ++row)
            QVERIFY2(!combo->item(row)->icon().isNull(), qPrintable(rows.at(row)));
        QVERIFY(openPopup(combo.get()));
        QVERIFY2(popupShowsWholeTexts(combo.get()), "the popup cuts off its texts");
        QCOMPARE(settingsButton(combo.get())->isVisible() ? settingsButton(combo.get())->text() : QString(), button);
        combo->hidePopup();
        QVERIFY(pickRow(combo.get(), rows.size() - 1));
        if (!button.isEmpty())
            clickIdleSettings(combo.get());
        QCOMPARE(rowTexts(combo.get()), rows);
        QCOMPARE(face(combo.get()), rows.last());
    }

    void linetypeSamplesAreSolidLines()
    {
        KvCc::LineTypeComboBox combo;
        const QImage solid = drawLineType(Qt::SolidLine).toImage().convertToFormat(QImage::Format_ARGB32);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(combo.item(row)->icon().pixmap(48, 16).toImage().convertToFormat(QImage::Format_ARGB32), solid);
    }

    // White ground, a black frame from (1, 1) to (46, 15), dark text inside it.
    void textStylePreviewIsFramedSampleText()
    {
        KvCc::TextStyleComboBox combo;
        QVERIFY(combo.item(0)->icon().availableSizes().contains(QSize(48, 16)));
        const QImage preview = combo.item(0)->icon().pixmap(48, 16).toImage().convertToFormat(QImage::Format_RGB32);
        for (const QPoint& p : {QPoint(1, 1), QPoint(46, 8), QPoint(20, 15)})
            QCOMPARE(preview.pixelColor(p), QColor(Qt::black));
        int dark = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 48; ++x) {
                if (x == 0 || y == 0 || x == 47)
                    QCOMPARE(preview.pixelColor(x, y), QColor(Qt::white));
                dark += x > 2 && x < 45 && y > 2 && y < 14 && qGray(preview.pixel(x, y)) < 128;
            }
        }
        QVERIFY(dark > 10);
    }
};

KVCC_TEST_MAIN(TestStyleComboBoxes)
#include "tst_stylecomboboxes.moc"
