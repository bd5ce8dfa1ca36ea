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
        QTest::newRow("a quarter millimetre is a tenth of an inch") << 10 << "0.25 mm" << "0.10\"";
        QTest::newRow("the last row is the thickest") << 26 << "2.11 mm" << "0.83\"";
    }
    void rowTexts()
    {
        QFETCH(int, row);
        QFETCH(QString, mm);
        QFETCH(QString, inch);
        QCOMPARE(LineWeightList::mmTexts(), LineWeightList::texts(true));
        QCOMPARE(LineWeightList::inchTexts(), LineWeightList::texts(false));
        QCOMPARE(LineWeightList::texts(true).at(row), mm);
        QCOMPARE(LineWeightList::texts(false).at(row), inch);
    }

    void everyNumericRowFollowsOnePattern()
    {
        const QRegularExpression pattern(QStringLiteral("^\\d\\.\\d\\d( mm|\")$"));
        for (int row = LineWeightList::FirstValueRow; row < LineWeightList::RowCount; ++row) {
            QCOMPARE(pattern.match(LineWeightList::mmTexts().at(row)).captured(1), QStringLiteral(" mm"));
            QCOMPARE(pattern.match(LineWeightList::inchTexts().at(row)).captured(1), QStringLiteral("\""));
        }
    }

    void sample_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("width");
        QTest::newRow("position 10 is still thin") << 10 << 1.0;
        QTest::newRow("position 11 doubles") << 11 << 2.0;
        QTest::newRow("position 14 jumps to three and a half") << 14 << 3.5;
        QTest::newRow("position 26 is the widest of the full list") << 26 << 15.5;
    }

    // The samples, list and icon alike, are the painters' pictures.
    void sample()
    {
        QFETCH(int, position);
        QFETCH(double, width);
        QCOMPARE(LineWeightList::sampleWidth(position), width);
        const QList<QPixmap> samples = LineWeightList::samples(LineWeightList::RowCount);
        QCOMPARE(samples.size(), int(LineWeightList::RowCount));
        QCOMPARE(samples.at(position).toImage(), drawLineWeight(width).toImage());
        const QIcon icon = LineWeightList::sampleIcon(width);
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(48, 16)});
        QCOMPARE(icon.pixmap(QSize(48, 16)).toImage(), drawLineWeight(width).toImage());
        QCOMPARE(LineWeightList::sampleIcon(1.0, Qt::DashLine).pixmap(QSize(48, 16)).toImage(),
                 drawLineType(Qt::DashLine).toImage());
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
            black += image.pixel(40, y) == qRgb(0, 0, 0);
            QVERIFY(image.pixel(40, y) == qRgb(0, 0, 0) || image.pixel(40, y) == qRgb(255, 255, 255));
        }
        QCOMPARE(black, 7);
    }
};

KVCC_TEST_MAIN(TestLineWeightList)
#include "tst_lineweightlist.moc"
