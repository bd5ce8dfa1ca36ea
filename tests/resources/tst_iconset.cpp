#include "kvcctest.h"

#include <keyedpixmap.h>

#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QtEndian>

#include <functional>

namespace {

const QRgb key = qRgb(255, 0, 255);

struct Entry
{
    const char* path;
    int width;
    int height;
    bool keyed;
};

const Entry bundle[] = {
    {":/core_ccvon.bmp", 14, 14, true},           {":/core_ccvoff.bmp", 14, 14, true},
    {":/core_ccthw.bmp", 14, 14, true},           {":/core_ccfrz.bmp", 14, 14, true},
    {":/core_cculk.bmp", 14, 14, true},           {":/core_cclk.bmp", 14, 14, true},
    {":/core_ccpl.bmp", 14, 14, true},            {":/core_ccnpl.bmp", 14, 14, true},
    {":/core_ccpldi.bmp", 14, 14, true},          {":/core_ccvthw.bmp", 14, 14, true},
    {":/core_ccvfrz.bmp", 14, 14, true},          {":/IDB_LSTATE_CURRENT.png", 16, 16, false},
    {":/layertoolbar.bmp", 52, 16, true},         {":/IDB_LAYER_SEARCH.bmp", 16, 16, false},
    {":/KvLayer_SearchClose.bmp", 16, 16, false}, {":/RqInterfaceRes_warning.bmp", 32, 32, false},
    {":/KVRC_subChildFrame.png", 32, 32, false},  {":/2d_LineFrame.bmp", 50, 50, false},
    {":/3d_LineFrame.bmp", 50, 50, false},        {":/3d_Hide.bmp", 50, 50, false},
    {":/Flat.bmp", 50, 47, false},                {":/Grouraud.bmp", 50, 49, false},
    {":/Flat+Edges.bmp", 50, 49, false},          {":/Gouraud+Edge.bmp", 50, 50, false},
    {":/IDB_LSTATE_RES.bmp", 784, 16, true},      {":/IDB_LSTATE_RES_ADD.bmp", 23, 21, false},
    {":/IDB_LSTATE_RES_NEW.png", 16, 16, false},
};

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

bool isKey(QRgb px)
{
    return qAlpha(px) == 255 && (px & 0xffffff) == (key & 0xffffff);
}

} // namespace

// The embedded icon bundle: which files, in which format and size, and how
// the keyed ones come out of the magenta key.
class TestIconSet : public QObject
{
    Q_OBJECT

private slots:
    void bundleHoldsExactlyTheIcons()
    {
        QStringList expected;
        for (const Entry& e : bundle)
            expected << QString::fromLatin1(e.path).mid(2);
        expected.sort();
        QStringList files = QDir(QStringLiteral(":/")).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, expected);
    }

    void icon_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("keyed");
        for (const Entry& e : bundle)
            QTest::newRow(e.path) << QString::fromLatin1(e.path) << QSize(e.width, e.height) << e.keyed;
    }

    void icon()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(bool, keyed);

        // Bitmaps are 24-bit and pictures are what their suffix says.
        QCOMPARE(QImageReader(path).format(), path.section(QLatin1Char('.'), -1).toLatin1());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (path.endsWith(QLatin1String(".bmp")))
            QCOMPARE(int(qFromLittleEndian<quint16>(bytes.constData() + 28)), 24);
        QImage image;
        QVERIFY(image.load(path));
        QCOMPARE(image.size(), size);
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRect all = image.rect();

        if (keyed) {
            // Unmasked, the key shows; masked, every pixel is either transparent
            // or opaque and not magenta, exactly the key turns transparent, and
            // the glyph left is not tiny. The masked pixmap is cached by path.
            QVERIFY(countPixels(image, all, isKey) >= all.width() * all.height() / 10);
            const QPixmap pixmap = KvCc::loadKeyedPixmap(path);
            QCOMPARE(KvCc::loadKeyedPixmap(path).cacheKey(), pixmap.cacheKey());
            const QImage masked = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(masked.size(), size);
            QCOMPARE(countPixels(masked, all, [](QRgb px) {
                         return qAlpha(px) == 0 || (qAlpha(px) == 255 && (px & 0xffffff) != 0xff00ff);
                     }),
                     all.width() * all.height());
            QCOMPARE(countPixels(masked, all, [](QRgb px) { return qAlpha(px) == 0; }),
                     countPixels(image, all, isKey));
            QVERIFY(countPixels(masked, all, [](QRgb px) { return qAlpha(px) == 255; })
                    >= all.width() * all.height() / 5);
        } else {
            QCOMPARE(countPixels(image, all, isKey), 0);
            if (path.endsWith(QLatin1String(".png")))
                QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            // Something is drawn on the background.
            const QRgb background = image.pixel(1, 1);
            QVERIFY(countPixels(image, all, [background](QRgb px) { return px != background; }) >= 20);
        }
    }

    // Cached pixmaps are per path: two glyphs never share one.
    void stateGlyphsCanBeToldApart()
    {
        QVERIFY(KvCc::loadKeyedPixmap(QStringLiteral(":/core_cclk.bmp")).cacheKey()
                != KvCc::loadKeyedPixmap(QStringLiteral(":/core_cculk.bmp")).cacheKey());
        // The first eleven icons of the bundle are the layer state glyphs.
        QList<QImage> images;
        for (int i = 0; i < 11; ++i)
            images << QImage(QString::fromLatin1(bundle[i].path)).convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < images.size(); ++i) {
            for (int j = i + 1; j < images.size(); ++j) {
                int differing = 0;
                for (int y = 0; y < 14; ++y)
                    for (int x = 0; x < 14; ++x)
                        differing += images[i].pixel(x, y) != images[j].pixel(x, y) ? 1 : 0;
                QVERIFY2(differing >= 15, qPrintable(QStringLiteral("%1 and %2 differ in only %3 pixels")
                                                         .arg(bundle[i].path, bundle[j].path)
                                                         .arg(differing)));
            }
        }
    }

    void stripCells_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("cells");
        QTest::addColumn<int>("stride");
        QTest::addColumn<int>("minInk");
        QTest::newRow("the toolbar strip has three glyphs between key columns")
            << QStringLiteral(":/layertoolbar.bmp") << 3 << 17 << 40;
        QTest::newRow("the state strip has forty-nine glyphs")
            << QStringLiteral(":/IDB_LSTATE_RES.bmp") << 49 << 16 << 5;
    }

    // Each 16 x 16 cell holds a glyph; a stride of 17 puts a key column before each cell.
    void stripCells()
    {
        QFETCH(QString, path);
        QFETCH(int, cells);
        QFETCH(int, stride);
        QFETCH(int, minInk);
        const QImage strip = QImage(path).convertToFormat(QImage::Format_ARGB32);
        for (int i = 0; i < cells; ++i) {
            const QRect cell(i * stride + stride - 16, 0, 16, 16);
            QVERIFY2(countPixels(strip, cell, [](QRgb px) { return !isKey(px); }) >= minInk,
                     qPrintable(QString::number(i)));
        }
        for (int i = 0; stride > 16 && i <= cells; ++i)
            QCOMPARE(countPixels(strip, QRect(i * stride, 0, 1, 16), isKey), 16);
    }

    // A host picture that is missing, or no path at all, gives a null pixmap
    // without a warning; asked twice, a cached miss must stay a miss.
    void hostResourcesMissingGiveNullPixmapsQuietly()
    {
        for (const QString& path : {QStringLiteral(":/KVRC_VIETOP.png"), QString()}) {
            QVERIFY(KvCc::loadKeyedPixmap(path).isNull());
            QVERIFY(KvCc::loadKeyedPixmap(path).isNull());
            QVERIFY(QPixmap(path).isNull());
            QVERIFY(QIcon(path).pixmap(16, 16).isNull());
        }
    }

    void registrationCanBeUndoneAndRedone()
    {
        // What a host linking the library statically would call.
        QVERIFY(QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
        Q_CLEANUP_RESOURCE(Icons);
        QVERIFY(!QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
        Q_INIT_RESOURCE(Icons);
        QVERIFY(QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
        QCOMPARE(QDir(QStringLiteral(":/")).entryList(QDir::Files).size(), 27);
    }
};

KVCC_TEST_MAIN(TestIconSet)
#include "tst_iconset.moc"
