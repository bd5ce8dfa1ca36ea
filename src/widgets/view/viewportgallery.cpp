#include "viewportgallery.h"

#include <QCoreApplication>
#include <QPixmap>

namespace KvCc {

ViewPortGallery::ViewPortGallery()
    : BaseGallery(nullptr)
{
    static const char* const names[] = {QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Single"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Two:Vertical"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Two:Horizontal"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Three:Right"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Three:Left"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Three:Above"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Three:Below"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Three:Vertical"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Three:Horizontal"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Four:Equal"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Four:Right"),
        QT_TRANSLATE_NOOP("KvCc::ViewPortGallery", "Four:Left")};
    QStringList keys;
    QStringList captions;
    for (const char* name : names) {
        keys << QLatin1String(name);
        captions << QCoreApplication::translate("KvCc::ViewPortGallery", name);
    }
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
    setItemKeys(keys);
    creatBaseGallery();
    setAccessibleName(QCoreApplication::translate("KvCc::ViewPortGallery", "Viewport layouts"));
}

ViewPortGallery::~ViewPortGallery() = default;

} // namespace KvCc
