#include "kvcctest.h"

#include <swatchpainters.h>

#include <QSet>

namespace {

bool isTransparent(QRgb px)
{
    return qAlpha(px) == 0;
}

bool isBlack(QRgb px)
{
    return px == qRgba(0, 0, 0, 255);
}

// Rows that hold at least one opaque pixel.
QList<int> inkedRows(const QImage& image)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!isTransparent(image.pixel(x, y))) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

// Number of separate black runs along one row.
int runsOnRow(const QImage& image, int y)
{
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool ink = !isTransparent(image.pixel(x, y));
        if (ink && !inRun)
            ++runs;
        inRun = ink;
    }
    return runs;
}

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
        QTest::newRow("a red square") << QColor(Qt::red) << QColor(Qt::red);
        QTest::newRow("a white square keeps its black outline") << QColor(Qt::white) << QColor(Qt::white);
        QTest::newRow("a true color is painted as given") << QColor(12, 34, 56) << QColor(12, 34, 56);
        QTest::newRow("an invalid color still gets the outline") << QColor() << QColor(Qt::black);
        QTest::newRow("a transparent color leaves the inside clear")
            << QColor(Qt::transparent) << QColor(Qt::transparent);
    }

    void colorSquare()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, inside);
        const QPixmap pixmap = creatColorPix(color);
        QCOMPARE(pixmap.size(), QSize(14, 14));
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);

        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < 14; ++x) {
                const QRgb px = image.pixel(x, y);
                const bool outside = x < 2 || y < 2 || x > 11 || y > 11;
                const bool outline = !outside && (x == 2 || y == 2 || x == 11 || y == 11);
                if (outside)
                    QVERIFY2(isTransparent(px), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
                else if (outline)
                    QVERIFY2(isBlack(px), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
                else if (inside.alpha() == 0)
                    QVERIFY(isTransparent(px));
                else
                    QCOMPARE(QColor::fromRgba(px), inside);
            }
        }
    }

    void lineWeight_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("thickness");
        QTest::newRow("width 0 draws a cosmetic one-pixel line") << 0.0 << 1;
        QTest::newRow("width 1 draws one row") << 1.0 << 1;
        QTest::newRow("width 2 draws two rows") << 2.0 << 2;
        QTest::newRow("width 3 draws three rows") << 3.0 << 3;
        QTest::newRow("width 5 draws five rows") << 5.0 << 5;
    }

    void lineWeight()
    {
        QFETCH(double, width);
        QFETCH(int, thickness);
        const QPixmap pixmap = drawLineWeight(width);
        QCOMPARE(pixmap.size(), QSize(48, 16));
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        const QList<int> rows = inkedRows(image);
        QCOMPARE(rows.size(), thickness);
        QVERIFY(rows.contains(9));
        for (int y : rows) {
            QCOMPARE(runsOnRow(image, y), 1);
            // Square caps reach half the pen width past both ends.
            QVERIFY(isBlack(image.pixel(4, y)));
            QVERIFY(isBlack(image.pixel(41, y)));
            QVERIFY(isTransparent(image.pixel(0, y)));
            QVERIFY(isTransparent(image.pixel(47, y)));
        }
        // Without antialiasing every pixel is either clear or solid black.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 48; ++x)
                QVERIFY(isTransparent(image.pixel(x, y)) || isBlack(image.pixel(x, y)));
    }

    void oneWideLineSpansFourToFortyOne()
    {
        const QImage image = drawLineWeight(1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        for (int x = 0; x < 48; ++x)
            QCOMPARE(isBlack(image.pixel(x, 9)), x >= 4 && x <= 41);
    }

    void solidLineTypeEqualsOneWideLineWeight()
    {
        QCOMPARE(drawLineType(Qt::SolidLine).toImage(), drawLineWeight(1.0).toImage());
        QCOMPARE(drawLineWeight(0.0).toImage(), drawLineWeight(1.0).toImage());
    }

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
        const QPixmap pixmap = drawLineType(static_cast<Qt::PenStyle>(style));
        QCOMPARE(pixmap.size(), QSize(48, 16));
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        const QList<int> rows = inkedRows(image);
        QCOMPARE(rows.size(), maxRuns == 0 ? 0 : 1);
        const int runs = runsOnRow(image, 9);
        QVERIFY2(runs >= minRuns && runs <= maxRuns, qPrintable(QString::number(runs)));
    }
};

KVCC_TEST_MAIN(TestSwatchPainters)
#include "tst_swatchpainters.moc"
