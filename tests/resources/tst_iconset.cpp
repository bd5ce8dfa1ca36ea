#include "kvcctest.h"

#include <keyedpixmap.h>

#include <QDir>
#include <QIcon>

// The pictures painted on the magenta key: the layer state glyphs and strips.
static const QStringList keyedPictures = {"core_ccvon.bmp", "core_ccvoff.bmp", "core_ccthw.bmp", "core_ccfrz.bmp",
    "core_cculk.bmp", "core_cclk.bmp", "core_ccpl.bmp", "core_ccnpl.bmp", "core_ccpldi.bmp", "core_ccvthw.bmp",
    "core_ccvfrz.bmp", "layertoolbar.bmp", "IDB_LSTATE_RES.bmp"};

static int countPixels(const QImage& image, bool (*test)(QRgb))
{
    // An ARGB32 image holds its pixels without padding between the lines.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(argb.constBits());
    return int(std::count_if(pixels, pixels + argb.width() * argb.height(), test));
}

static bool isKey(QRgb px)
{
    return qAlpha(px) == 255 && (px & 0xffffff) == 0xff00ff;
}

// The embedded icon bundle and how the keyed pictures come out of the magenta key.
class TestIconSet : public QObject
{
    Q_OBJECT

private slots:
    void keyedPicturesLoseExactlyTheirKey_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& name : keyedPictures)
            QTest::newRow(qPrintable(name)) << QStringLiteral(":/") + name;
    }
    // Masked, every pixel is transparent or opaque, exactly the key turns
    // transparent and a glyph is left (a size change shows in the counts);
    // the masked pixmap is cached by path.
    void keyedPicturesLoseExactlyTheirKey()
    {
        QFETCH(QString, path);
        const QImage image(path);
        const int all = image.width() * image.height();
        QVERIFY(countPixels(image, isKey) >= qMax(1, all / 10));
        const QPixmap pixmap = KvCc::loadKeyedPixmap(path);
        QCOMPARE(KvCc::loadKeyedPixmap(path).cacheKey(), pixmap.cacheKey());
        const QImage masked = pixmap.toImage();
        QCOMPARE(countPixels(masked, [](QRgb p) { return qAlpha(p) == 0 || (qAlpha(p) == 255 && !isKey(p)); }), all);
        QCOMPARE(countPixels(masked, [](QRgb px) { return qAlpha(px) == 0; }), countPixels(image, isKey));
        QVERIFY(countPixels(masked, [](QRgb px) { return qAlpha(px) == 255; }) >= all / 5);
    }

    // The other pictures are drawn as they stand: no magenta to key out.
    void unkeyedPicturesHaveNoKey()
    {
        const QStringList files = QDir(QStringLiteral(":/")).entryList(QDir::Files);
        QCOMPARE(files.size(), 27);
        for (const QString& name : files) {
            const QImage image(QStringLiteral(":/") + name);
            QVERIFY2(!image.isNull() && (keyedPictures.contains(name) || !countPixels(image, isKey)), qPrintable(name));
        }
    }

    // A host picture that is missing, or no path at all, gives a null pixmap
    // without a warning; asked twice, a cached miss must stay a miss.
    void missingHostPicturesGiveNullPixmapsQuietly()
    {
        for (const QString& path : {QStringLiteral(":/KVRC_VIETOP.png"), QString()})
            QVERIFY(KvCc::loadKeyedPixmap(path).isNull() && KvCc::loadKeyedPixmap(path).isNull()
                    && QIcon(path).pixmap(16, 16).isNull());
    }

    // What a host linking the library statically would call.
    void registrationCanBeUndoneAndRedone()
    {
        Q_CLEANUP_RESOURCE(Icons);
        QVERIFY(!QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
        Q_INIT_RESOURCE(Icons);
        QVERIFY(QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
    }
};

KVCC_TEST_MAIN(TestIconSet)
#include "tst_iconset.moc"
