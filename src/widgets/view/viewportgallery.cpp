#include "viewportgallery.h"

#include <QPixmap>

namespace KvCc {

ViewPortGallery::ViewPortGallery()
    : BaseGallery(nullptr)
{
    const QStringList captions = {QStringLiteral("Single"), QStringLiteral("Two:Vertical"),
        QStringLiteral("Two:Horizontal"), QStringLiteral("Three:Right"), QStringLiteral("Three:Left"),
        QStringLiteral("Three:Above"), QStringLiteral("Three:Below"), QStringLiteral("Three:Vertical"),
        QStringLiteral("Three:Horizontal"), QStringLiteral("Four:Equal"), QStringLiteral("Four:Right"),
        QStringLiteral("Four:Left")};
    const QStringList paths = {QStringLiteral(":/KVRC_VPONE.png"), QStringLiteral(":/KVRC_VPDOUBLEV.png"),
        QStringLiteral(":/KVRC_VPDOUBLEH.png"), QStringLiteral(":/KVRC_VPTHREER.png"),
        QStringLiteral(":/KVRC_VPTHREEL.png"), QStringLiteral(":/KVRC_VPTHREET.png"),
        QStringLiteral(":/KVRC_VPTHREEB.png"), QStringLiteral(":/KVRC_VPTHREEV.png"),
        QStringLiteral(":/KVRC_VPTHREEH.png"), QStringLiteral(":/KVRC_VPFOUREQ.png"),
        QStringLiteral(":/KVRC_VPFOURR.png"), QStringLiteral(":/KVRC_VPFOURL.png")};
    QList<QIcon> icons;
    for (const QString& path : paths) {
        // A missing picture (the host's resource) gives an item without
        // one; a null pixmap is never scaled.
        const QPixmap pixmap(path);
        icons << (pixmap.isNull()
                ? QIcon()
                : QIcon(pixmap.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    }
    createGalleryItems(captions, icons);
    creatBaseGallery();
}

ViewPortGallery::~ViewPortGallery() = default;

} // namespace KvCc
