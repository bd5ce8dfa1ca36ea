#include "kvcctest.h"

#include <lineweightlist.h>
#include <swatchpainters.h>

using KvCc::LineWeightList;

// A clear picture holding a black rectangle; a valid inside color fills it
// within a one-pixel outline.
static QImage picture(QSize size, const QRect& black, const QColor& inside = QColor())
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRect within = black.adjusted(1, 1, -1, -1);
    for (int y = black.top(); y <= black.bottom(); ++y)
        for (int x = black.left(); x <= black.right(); ++x)
            image.setPixel(x, y, inside.isValid() && within.contains(x, y) ? qPremultiply(inside.rgba()) : 0xff000000);
    return image;
}

// The color square, the lineweight sample and the linetype sample, pixel by
// pixel, and the shared lineweight list's texts and sample width rule.
class TestSwatchPainters : public QObject
{
    Q_OBJECT

private slots:
    // Without antialiasing every pixel is clear or solid black; square caps
    // reach about half the pen width past the ends 4 and 41, as Qt rounds them.
    void paintedPictures_data()
    {
        QTest::addColumn<QPixmap>("drawn");
        QTest::addColumn<QImage>("expected");
        // A 14 x 14 square: two clear pixels round a black outline round the color.
        const QSize box(14, 14), sample(48, 16);
        const QRect frame(2, 2, 10, 10), thin(QPoint(4, 9), QPoint(41, 9));
        QTest::newRow("white keeps the black outline") << creatColorPix(Qt::white) << picture(box, frame, Qt::white);
        QTest::newRow("any color is painted as given") << creatColorPix(Qt::darkCyan) << picture(box, frame, Qt::darkCyan);
        QTest::newRow("an invalid color still gets the outline") << creatColorPix(QColor()) << picture(box, frame);
        QTest::newRow("a transparent color leaves the inside clear")
            << creatColorPix(Qt::transparent) << picture(box, frame, Qt::transparent);
        QTest::newRow("width 0 draws a cosmetic one-pixel line") << drawLineWeight(0.0) << picture(sample, thin);
        QTest::newRow("width 1 draws the same line") << drawLineWeight(1.0) << picture(sample, thin);
        QTest::newRow("width 2 draws two rows") << drawLineWeight(2.0) << picture(sample, QRect(3, 8, 39, 2));
        QTest::newRow("width 5 draws five rows") << drawLineWeight(5.0) << picture(sample, QRect(2, 7, 42, 5));
        QTest::newRow("the solid linetype is the thin line") << drawLineType(Qt::SolidLine) << picture(sample, thin);
    }
    void paintedPictures()
    {
        QFETCH(QPixmap, drawn);
        // Premultiplied, a fully transparent pixel is 0 whatever its color channels held.
        QTEST(drawn.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), "expected");
    }

    // Counted as runs of ink along row 9, the only row inked.
    void lineType_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("minRuns");
        QTest::addColumn<int>("maxRuns");
        QTest::newRow("a solid line is one run") << int(Qt::SolidLine) << 1 << 1;
        QTest::newRow("a dashed line breaks into dashes") << int(Qt::DashLine) << 5 << 12;
        QTest::newRow("a dotted line breaks into many dots") << int(Qt::DotLine) << 13 << 24;
        QTest::newRow("a dash-dot line alternates") << int(Qt::DashDotLine) << 6 << 16;
        QTest::newRow("no pen draws nothing") << int(Qt::NoPen) << 0 << 0;
    }
    void lineType()
    {
        QFETCH(int, style);
        QFETCH(int, minRuns);
        QFETCH(int, maxRuns);
        const QImage image = drawLineType(Qt::PenStyle(style)).toImage();
        int runs = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 48; ++x)
                runs += qAlpha(image.pixel(x, y)) && (y != 9 || x == 0 || !qAlpha(image.pixel(x - 1, y)));
        QVERIFY2(runs >= minRuns && runs <= maxRuns, qPrintable(QString::number(runs)));
    }

    void lineweightRowTexts_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("mm");
        QTest::addColumn<QString>("inch");
        QTest::newRow("the first row is by layer in both units") << 0 << "By Layer" << "By Layer";
        QTest::newRow("default is not converted") << 2 << "Default" << "Default";
        QTest::newRow("the first value is zero in both units") << 3 << "0.00 mm" << "0.00\"";
        QTest::newRow("a quarter millimetre is a tenth of an inch") << 10 << "0.25 mm" << "0.10\"";
        QTest::newRow("0.53 mm keeps its odd value") << 15 << "0.53 mm" << "0.21\"";
        QTest::newRow("the last row is the thickest") << 26 << "2.11 mm" << "0.83\"";
    }
    // Every value row is a number with two decimals and its unit mark.
    void lineweightRowTexts()
    {
        QFETCH(int, row);
        QCOMPARE(LineWeightList::texts(true), LineWeightList::mmTexts());
        QCOMPARE(LineWeightList::texts(false), LineWeightList::inchTexts());
        const QRegularExpression mm(QStringLiteral("^\\d\\.\\d\\d mm$")), inch(QStringLiteral("^\\d\\.\\d\\d\"$"));
        const int values = 27 - LineWeightList::FirstValueRow;
        QCOMPARE(LineWeightList::mmTexts().mid(LineWeightList::FirstValueRow).filter(mm).size(), values);
        QCOMPARE(LineWeightList::inchTexts().mid(LineWeightList::FirstValueRow).filter(inch).size(), values);
        QTEST(LineWeightList::mmTexts().at(row), "mm");
        QTEST(LineWeightList::inchTexts().at(row), "inch");
    }

    void lineweightSamplesFollowTheWidthRule_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("width");
        QTest::newRow("position 10 is still thin") << 10 << 1.0;
        QTest::newRow("position 11 doubles") << 11 << 2.0;
        QTest::newRow("position 13 is the last double") << 13 << 2.0;
        QTest::newRow("position 14 jumps to three and a half") << 14 << 3.5;
        QTest::newRow("position 26 is the widest of the full list") << 26 << 15.5;
    }
    // The samples, list and icon alike, are the painters' pictures.
    void lineweightSamplesFollowTheWidthRule()
    {
        QFETCH(int, position);
        QFETCH(double, width);
        QCOMPARE(LineWeightList::sampleWidth(position), width);
        QCOMPARE(LineWeightList::samples(27).at(position).toImage(), drawLineWeight(width).toImage());
        QCOMPARE(LineWeightList::sampleIcon(width).pixmap(QSize(48, 16)).toImage(), drawLineWeight(width).toImage());
        QCOMPARE(LineWeightList::sampleIcon(1.0, Qt::DashLine).pixmap(QSize(48, 16)).toImage(),
                 drawLineType(Qt::DashLine).toImage());
    }
};

KVCC_TEST_MAIN(TestSwatchPainters)
#include "tst_swatchpainters.moc"
