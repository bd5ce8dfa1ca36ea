#include "keyedpixmap.h"

#include <QBitmap>
#include <QImage>
#include <QPixmapCache>

namespace KvCc {

QPixmap loadKeyedPixmap(const QString& path)
{
    if (path.isEmpty())
        return QPixmap();
    const QString key = QStringLiteral("kvcc-keyed:") + path;
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    QImage image(path);
    if (image.isNull())
        return QPixmap();
    const QImage mask = image.createMaskFromColor(QColor(255, 0, 255, 255).rgba(), Qt::MaskOutColor);
    image = image.convertToFormat(QImage::Format_ARGB32);
    image.setAlphaChannel(mask);
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace KvCc
