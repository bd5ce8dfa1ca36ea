#include "kvcctest.h"

#include <swatchpainters.h>

namespace {

bool isTransparent(QRgb px) { return qAlpha(px) == 0; }
bool isBlack(QRgb px) { return px == qRgba(0, 0, 0, 255); }

// Number of separate runs of ink along one row.
int runsOnRow(const QImage& image, int y)
{
    int runs = 0;
    for (int x = 0; x < image.width(); ++x)
        runs += !isTransparent(image.pixel(x, y)) && (x == 0 || isTransparent(image.pixel(x - 1, y)));
    return runs;
}

// Rows that hold at least one opaque pixel.
QList<int> inkedRows(const QImage& image)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (runsOnRow(image, y))
            rows << y;
    }
    return rows;
}

QImage argb(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

} // namespace

// Pixel checks of the color square, the lineweight sample and the linetype sample.
class TestSwatchPainters : public QObject
{
    Q_OBJECT

private slots:
    void colorSquare_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("inside");
        QTest::newRow("a white square keeps its black outline") << QColor(Qt::white) << QColor(Qt::white);
        QTest::newRow("a true color is painted as given") << QColor(12, 34, 56) << QColor(12, 34, 56);
        QTest::newRow("an invalid color still gets the outline") << QColor() << QColor(Qt::black);
        QTest::newRow("a transparent color leaves the inside clear")
            << QColor(Qt::transparent) << QColor(Qt::transparent);
    }

    // A 14 x 14 square: two clear pixels round a black outline round the color.
    void colorSquare()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, inside);
        const QImage image = argb(creatColorPix(color));
        QCOMPARE(image.size(), QSize(14, 14));
        auto clearAsZero = [](QRgb px) { return isTransparent(px) ? 0u : px; };
        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < 14; ++x) {
                const bool outside = x < 2 || y < 2 || x > 11 || y > 11;
                const bool outline = x == 2 || y == 2 || x == 11 || y == 11;
                const QRgb want = outside ? 0u : outline ? qRgba(0, 0, 0, 255) : clearAsZero(inside.rgba());
                QVERIFY2(clearAsZero(image.pixel(x, y)) == want, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        }
    }

    void lineWeight_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("thickness");
        QTest::newRow("width 0 draws a cosmetic one-pixel line") << 0.0 << 1;
        QTest::newRow("width 2 draws two rows") << 2.0 << 2;
        QTest::newRow("width 5 draws five rows") << 5.0 << 5;
    }

    // Without antialiasing every pixel is clear or solid black; square caps
    // reach half the pen width past both ends, so a thin line spans 4 to 41.
    void lineWeight()
    {
        QFETCH(double, width);
        QFETCH(int, thickness);
        const QImage image = argb(drawLineWeight(width));
        QCOMPARE(image.size(), QSize(48, 16));
        const QList<int> rows = inkedRows(image);
        QCOMPARE(rows.size(), thickness);
        QVERIFY(rows.contains(9));
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 48; ++x) {
                const QRgb px = image.pixel(x, y);
                QVERIFY(isTransparent(px) || isBlack(px));
                if (rows.contains(y) && (x < 2 || x > 45 || (thickness == 1 && (x < 4 || x > 41))))
                    QVERIFY(isTransparent(px));
                else if (rows.contains(y) && x >= 4 && x <= 41)
                    QVERIFY(isBlack(px));
            }
        }
        // A cosmetic line is the one-pixel line, as is the solid linetype.
        QCOMPARE(drawLineWeight(0.0).toImage(), drawLineWeight(1.0).toImage());
        QCOMPARE(drawLineType(Qt::SolidLine).toImage(), drawLineWeight(1.0).toImage());
    }

    void lineType_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("minRuns");
        QTest::addColumn<int>("maxRuns");
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
        const QImage image = argb(drawLineType(static_cast<Qt::PenStyle>(style)));
        QCOMPARE(image.size(), QSize(48, 16));
        QCOMPARE(inkedRows(image), maxRuns == 0 ? QList<int>() : QList<int>{9});
        const int runs = runsOnRow(image, 9);
        QVERIFY2(runs >= minRuns && runs <= maxRuns, qPrintable(QString::number(runs)));
    }
};

KVCC_TEST_MAIN(TestSwatchPainters)
#include "tst_swatchpainters.moc"
