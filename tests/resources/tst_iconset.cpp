#include "kvcctest.h"

#include <keyedpixmap.h>

#include <QDir>
#include <QIcon>

#include <functional>

namespace {

// The pictures painted on the magenta key: the layer state glyphs and strips.
const QStringList keyedPictures = {"core_ccvon.bmp", "core_ccvoff.bmp", "core_ccthw.bmp", "core_ccfrz.bmp",
    "core_cculk.bmp", "core_cclk.bmp", "core_ccpl.bmp", "core_ccnpl.bmp", "core_ccpldi.bmp", "core_ccvthw.bmp",
    "core_ccvfrz.bmp", "layertoolbar.bmp", "IDB_LSTATE_RES.bmp"};

int countPixels(const QImage& image, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

bool isKey(QRgb px)
{
    return qAlpha(px) == 255 && (px & 0xffffff) == 0xff00ff;
}

QImage argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

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
    // transparent and a glyph is left; the masked pixmap is cached by path.
    void keyedPicturesLoseExactlyTheirKey()
    {
        QFETCH(QString, path);
        const QImage image = argb(QImage(path));
        const int all = image.width() * image.height();
        QVERIFY(countPixels(image, isKey) >= qMax(1, all / 10));
        const QPixmap pixmap = KvCc::loadKeyedPixmap(path);
        QCOMPARE(KvCc::loadKeyedPixmap(path).cacheKey(), pixmap.cacheKey());
        const QImage masked = argb(pixmap.toImage());
        QCOMPARE(masked.size(), image.size());
        QCOMPARE(countPixels(masked, [](QRgb px) { return qAlpha(px) == 0 || (qAlpha(px) == 255 && !isKey(px)); }), all);
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
            QVERIFY2(!image.isNull(), qPrintable(name));
            QVERIFY2(keyedPictures.contains(name) || countPixels(argb(image), isKey) == 0, qPrintable(name));
        }
    }

    // A host picture that is missing, or no path at all, gives a null pixmap
    // without a warning; asked twice, a cached miss must stay a miss.
    void missingHostPicturesGiveNullPixmapsQuietly()
    {
        for (const QString& path : {QStringLiteral(":/KVRC_VIETOP.png"), QString()}) {
            QVERIFY(KvCc::loadKeyedPixmap(path).isNull());
            QVERIFY(KvCc::loadKeyedPixmap(path).isNull());
            QVERIFY(QIcon(path).pixmap(16, 16).isNull());
        }
    }

    // What a host linking the library statically would call.
    void registrationCanBeUndoneAndRedone()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
        Q_CLEANUP_RESOURCE(Icons);
        QVERIFY(!QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
        Q_INIT_RESOURCE(Icons);
        QVERIFY(QFile::exists(QStringLiteral(":/core_ccvon.bmp")));
    }
};

KVCC_TEST_MAIN(TestIconSet)
#include "tst_iconset.moc"
