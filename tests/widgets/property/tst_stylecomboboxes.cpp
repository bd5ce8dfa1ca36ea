#include "kvcctest.h"

#include "popupdriver.h"

#include <linetypecombobox.h>
#include <swatchpainters.h>
#include <textstylecombobox.h>
#include <visualstylecombobox.h>

using namespace popupdriver;

using Combo = std::shared_ptr<KvCc::BaseComboBox>;
Q_DECLARE_METATYPE(Combo)

// The selectors with fixed lists: linetype, text style and visual style.
class TestStyleComboBoxes : public QObject
{
    Q_OBJECT

private slots:
    // The button under the list, where there is one, opens nothing and
    // changes nothing; a picked row shows on the face. Linetype samples are
    // solid lines; the other rows only need a picture.
    void aFixedListWithAnIdleButton_data()
    {
        QTest::addColumn<Combo>("combo");
        QTest::addColumn<QImage>("sample");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("button");
        QTest::newRow("three linetypes under Others...") << Combo(new KvCc::LineTypeComboBox)
            << drawLineType(Qt::SolidLine).toImage() << QStringList{"By Layer", "By Block", "Continuous"}
            << "By Layer, row 0, popup 90" << "Others...";
        QTest::newRow("the one text style Standard") << Combo(new KvCc::TextStyleComboBox) << QImage()
            << QStringList{"Standard"} << "Standard, row 0, popup 110" << "Manager Text Styles...";
        QTest::newRow("seven visual styles without a button") << Combo(new KvCc::VisualStyleComboBox) << QImage()
            << QStringList{"2D wireframe", "3D wireframe", "Hidden", "Flat", "Gouraud", "Flat+Egdes", "Gouraud+Egdes"}
            << "2D wireframe, row 0, popup 240" << "";
    }
    void aFixedListWithAnIdleButton()
    {
        QFETCH(Combo, combo);
        QFETCH(QStringList, rows);
        QFETCH(QString, button);
        QFETCH(QImage, sample);
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
        QCOMPARE(rowTexts(combo.get()), rows);
        QTEST(state(combo.get()), "state");
        // A null sample only asks for a picture: a null icon gives a null image.
        for (int row = 0; row < rows.size(); ++row)
            QVERIFY((combo->item(row)->icon().pixmap(48, 16).toImage() == sample) != sample.isNull());
        QVERIFY(openPopup(combo.get()));
        QVERIFY2(popupShowsWholeTexts(combo.get()), "the popup cuts off its texts");
        const QPushButton* settings = combo->listView()->settingButton();
        QCOMPARE(settings->isVisible() ? settings->text() : QString(), button);
        combo->hidePopup();
        QVERIFY(pickRow(combo.get(), rows.size() - 1));
        if (!button.isEmpty())
            clickIdleSettings(combo.get());
        QCOMPARE(rowTexts(combo.get()), rows);
        QCOMPARE(face(combo.get()), rows.last());
    }

    // White ground, a black frame from (1, 1) to (46, 15), dark text inside
    // it; a preview drawn at another size would blur the frame when scaled.
    void textStylePreviewIsFramedSampleText()
    {
        KvCc::TextStyleComboBox combo;
        const QImage preview = combo.item(0)->icon().pixmap(48, 16).toImage().convertToFormat(QImage::Format_RGB32);
        for (const QPoint& p : {QPoint(1, 1), QPoint(46, 8), QPoint(20, 15)})
            QCOMPARE(preview.pixelColor(p), QColor(Qt::black));
        int dark = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 48; ++x) {
                if (x == 0 || y == 0 || x == 47)
                    QCOMPARE(preview.pixelColor(x, y), QColor(Qt::white));
                dark += x > 2 && x < 45 && y > 2 && y < 14 && qGray(preview.pixel(x, y)) < 128;
            }
        QVERIFY(dark > 10);
    }
};

KVCC_TEST_MAIN(TestStyleComboBoxes)
#include "tst_stylecomboboxes.moc"
