#include "kvcctest.h"

#include <lineweightlist.h>
#include <swatchpainters.h>

using KvCc::LineWeightList;

// The shared lineweight table: its texts in both units and the sample width rule.
class TestLineWeightList : public QObject
{
    Q_OBJECT

private slots:
    void rowTexts_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("mm");
        QTest::addColumn<QString>("inch");
        QTest::newRow("the first row is by layer in both units") << 0 << "By Layer" << "By Layer";
        QTest::newRow("by block is not converted") << 1 << "By Block" << "By Block";
        QTest::newRow("default is not converted") << 2 << "Default" << "Default";
        QTest::newRow("the first lineweight is zero") << 3 << "0.00 mm" << "0.00\"";
        QTest::newRow("a quarter millimetre is a tenth of an inch") << 10 << "0.25 mm" << "0.10\"";
        QTest::newRow("half a millimetre is two tenths") << 14 << "0.50 mm" << "0.20\"";
        QTest::newRow("the last row is the thickest") << 26 << "2.11 mm" << "0.83\"";
    }
    void rowTexts()
    {
        QFETCH(int, row);
        QFETCH(QString, mm);
        QFETCH(QString, inch);
        QCOMPARE(LineWeightList::mmTexts().size(), int(LineWeightList::RowCount));
        QCOMPARE(LineWeightList::inchTexts().size(), int(LineWeightList::RowCount));
        QCOMPARE(LineWeightList::mmTexts().at(row), mm);
        QCOMPARE(LineWeightList::inchTexts().at(row), inch);
        QCOMPARE(LineWeightList::texts(true).at(row), mm);
        QCOMPARE(LineWeightList::texts(false).at(row), inch);
    }

    void everyNumericRowFollowsOnePattern()
    {
        const QRegularExpression mm(QStringLiteral("^\\d\\.\\d\\d mm$"));
        const QRegularExpression inch(QStringLiteral("^\\d\\.\\d\\d\"$"));
        for (int row = LineWeightList::FirstValueRow; row < LineWeightList::RowCount; ++row) {
            QVERIFY2(mm.match(LineWeightList::mmTexts().at(row)).hasMatch(), qPrintable(QString::number(row)));
            QVERIFY2(inch.match(LineWeightList::inchTexts().at(row)).hasMatch(), qPrintable(QString::number(row)));
        }
    }

    void sampleWidth_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("width");
        QTest::newRow("the first position is thin") << 0 << 1.0;
        QTest::newRow("position 10 is still thin") << 10 << 1.0;
        QTest::newRow("position 11 doubles") << 11 << 2.0;
        QTest::newRow("position 13 stays double") << 13 << 2.0;
        QTest::newRow("position 14 jumps to three and a half") << 14 << 3.5;
        QTest::newRow("position 24 is thirteen and a half") << 24 << 13.5;
        QTest::newRow("position 26 is the widest of the full list") << 26 << 15.5;
    }
    void sampleWidth()
    {
        QFETCH(int, position);
        QFETCH(double, width);
        QCOMPARE(LineWeightList::sampleWidth(position), width);
    }

    void samplesAreThePaintersPictures()
    {
        const QList<QPixmap> samples = LineWeightList::samples(LineWeightList::RowCount);
        QCOMPARE(samples.size(), int(LineWeightList::RowCount));
        for (int row : {0, 11, 14, 26}) {
            QCOMPARE(samples.at(row).size(), QSize(48, 16));
            QCOMPARE(samples.at(row).toImage(), drawLineWeight(LineWeightList::sampleWidth(row)).toImage());
        }
    }

    void sampleIconIsSharpOnDoubleDensity()
    {
        const QIcon icon = LineWeightList::sampleIcon(2.0);
        QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(48, 16), QSize(96, 32)}));
        QCOMPARE(icon.pixmap(QSize(48, 16)).toImage(), drawLineWeight(2.0).toImage());

        // At twice the density the bar is four device pixels thick, not a blurred two.
        const QImage dense = icon.pixmap(QSize(96, 32)).toImage();
        int dark = 0;
        for (int y = 0; y < dense.height(); ++y) {
            if (qAlpha(dense.pixel(40, y)) == 255)
                ++dark;
            else
                QCOMPARE(qAlpha(dense.pixel(40, y)), 0);
        }
        QCOMPARE(dark, 4);
    }
};

KVCC_TEST_MAIN(TestLineWeightList)
#include "tst_lineweightlist.moc"
