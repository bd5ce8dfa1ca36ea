#include "kvcctest.h"

#include <lineweightlist.h>
#include <swatchpainters.h>

#include <QPainter>

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

    void sampleIconAtItsSizeIsThePaintersPicture_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("style");
        QTest::newRow("a thin solid bar") << 1.0 << int(Qt::SolidLine);
        QTest::newRow("a bar of 3.5") << 3.5 << int(Qt::SolidLine);
        QTest::newRow("the widest bar") << 15.5 << int(Qt::SolidLine);
        QTest::newRow("a dashed linetype sample") << 1.0 << int(Qt::DashLine);
    }
    void sampleIconAtItsSizeIsThePaintersPicture()
    {
        QFETCH(double, width);
        QFETCH(int, style);
        const QIcon icon = LineWeightList::sampleIcon(width, Qt::PenStyle(style));
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(48, 16)});
        const QImage expected = style == Qt::SolidLine ? drawLineWeight(width).toImage()
                                                       : drawLineType(Qt::PenStyle(style)).toImage();
        QCOMPARE(icon.pixmap(QSize(48, 16)).toImage(), expected);
    }

    // Drawn on a double-density pixmap, the bar is twice as thick in device
    // pixels: 3.5 gives 7 rows, where an enlarged 48 x 16 picture gives 8.
    void sampleIconIsDrawnAtTheTargetsDensity()
    {
        QPixmap target(96, 32);
        target.setDevicePixelRatio(2.0);
        target.fill(Qt::white);
        QPainter painter(&target);
        LineWeightList::sampleIcon(3.5).paint(&painter, QRect(0, 0, 48, 16));
        painter.end();
        const QImage image = target.toImage();
        int black = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb pixel = image.pixel(40, y);
            if (pixel == qRgb(0, 0, 0))
                ++black;
            else
                QCOMPARE(pixel, qRgb(255, 255, 255));
        }
        QCOMPARE(black, 7);
    }
};

KVCC_TEST_MAIN(TestLineWeightList)
#include "tst_lineweightlist.moc"
