#include "kvcctest.h"

#include <lineweightlist.h>
#include <swatchpainters.h>

using KvCc::LineWeightList;

namespace {

// A transparent picture with the given rectangles filled, later ones on top.
QImage picture(QSize size, const QList<QPair<QRect, QColor>>& fills)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (const auto& fill : fills) {
        for (int y = fill.first.top(); y <= fill.first.bottom(); ++y)
            for (int x = fill.first.left(); x <= fill.first.right(); ++x)
                image.setPixel(x, y, fill.second.rgba());
    }
    return image;
}

// Fully transparent pixels all count as one value, whatever their color channels hold.
QImage normalised(const QPixmap& pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qAlpha(image.pixel(x, y)) == 0 ? 0u : image.pixel(x, y));
    return image;
}

} // namespace

// The color square, the lineweight sample and the linetype sample, pixel by
// pixel, and the shared lineweight list's texts and sample width rule.
class TestSwatchPainters : public QObject
{
    Q_OBJECT

private slots:
    // A 14 x 14 square: two clear pixels round a black outline round the color.
    void colorSquare_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("inside");
        QTest::newRow("a white square keeps its black outline") << QColor(Qt::white) << QColor(Qt::white);
        QTest::newRow("a true color is painted as given") << QColor(12, 34, 56) << QColor(12, 34, 56);
        QTest::newRow("an invalid color still gets the outline") << QColor() << QColor(Qt::black);
        QTest::newRow("a transparent color leaves the inside clear") << QColor(Qt::transparent) << QColor(0, 0, 0, 0);
    }
    void colorSquare()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, inside);
        QCOMPARE(normalised(creatColorPix(color)),
                 picture(QSize(14, 14), {{QRect(2, 2, 10, 10), Qt::black}, {QRect(3, 3, 8, 8), inside}}));
    }

    // Without antialiasing every pixel is clear or solid black; square caps
    // reach about half the pen width past the ends 4 and 41, as Qt rounds them.
    void lineWeight_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<QRect>("ink");
        QTest::newRow("width 0 draws a cosmetic one-pixel line") << 0.0 << QRect(QPoint(4, 9), QPoint(41, 9));
        QTest::newRow("width 1 draws the same line") << 1.0 << QRect(QPoint(4, 9), QPoint(41, 9));
        QTest::newRow("width 2 draws two rows") << 2.0 << QRect(QPoint(3, 8), QPoint(41, 9));
        QTest::newRow("width 5 draws five rows") << 5.0 << QRect(QPoint(2, 7), QPoint(43, 11));
    }
    void lineWeight()
    {
        QFETCH(double, width);
        QFETCH(QRect, ink);
        QCOMPARE(normalised(drawLineWeight(width)), picture(QSize(48, 16), {{ink, Qt::black}}));
    }

    // Counted as runs of ink along row 9, the only row inked; the solid
    // linetype is the one-pixel lineweight.
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
        const QImage image = normalised(drawLineType(static_cast<Qt::PenStyle>(style)));
        int runs = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 48; ++x)
                runs += image.pixel(x, y) != 0 && (y != 9 || x == 0 || image.pixel(x - 1, y) == 0) ? 1 : 0;
        QVERIFY2(runs >= minRuns && runs <= maxRuns, qPrintable(QString::number(runs)));
        if (style == Qt::SolidLine)
            QCOMPARE(image, normalised(drawLineWeight(1.0)));
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
        QTest::newRow("the last row is the thickest") << 26 << "2.11 mm" << "0.83\"";
    }
    // Every value row is a number with two decimals and its unit mark.
    void lineweightRowTexts()
    {
        QFETCH(int, row);
        QFETCH(QString, mm);
        QFETCH(QString, inch);
        QCOMPARE(LineWeightList::texts(true), LineWeightList::mmTexts());
        QCOMPARE(LineWeightList::texts(false), LineWeightList::inchTexts());
        QCOMPARE(LineWeightList::mmTexts().size(), 27);
        QCOMPARE(LineWeightList::mmTexts().at(row), mm);
        QCOMPARE(LineWeightList::inchTexts().at(row), inch);
        const QRegularExpression pattern(QStringLiteral("^\\d\\.\\d\\d( mm|\")$"));
        for (int value = LineWeightList::FirstValueRow; value < 27; ++value) {
            QCOMPARE(pattern.match(LineWeightList::mmTexts().at(value)).captured(1), QStringLiteral(" mm"));
            QCOMPARE(pattern.match(LineWeightList::inchTexts().at(value)).captured(1), QStringLiteral("\""));
        }
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
        const QIcon icon = LineWeightList::sampleIcon(width);
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(48, 16)});
        QCOMPARE(icon.pixmap(QSize(48, 16)).toImage(), drawLineWeight(width).toImage());
        QCOMPARE(LineWeightList::sampleIcon(1.0, Qt::DashLine).pixmap(QSize(48, 16)).toImage(),
                 drawLineType(Qt::DashLine).toImage());
    }
};

KVCC_TEST_MAIN(TestSwatchPainters)
#include "tst_swatchpainters.moc"
