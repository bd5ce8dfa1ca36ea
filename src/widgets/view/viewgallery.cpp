#include "viewgallery.h"

#include "standardviews_p.h"

#include <QCoreApplication>
#include <QFile>

namespace KvCc {

ViewGallery::ViewGallery()
    : BaseGallery(nullptr)
{
    const QStringList paths = {QStringLiteral(":/KVRC_VIETOP.png"), QStringLiteral(":/KVRC_VIEBOT.png"),
        QStringLiteral(":/KVRC_VIELEF.png"), QStringLiteral(":/KVRC_VIERIG.png"),
        QStringLiteral(":/KVRC_VIEFRO.png"), QStringLiteral(":/KVRC_VIEBAC.png"),
        QStringLiteral(":/KVRC_VIESWI.png"), QStringLiteral(":/KVRC_VIESEI.png"),
        QStringLiteral(":/KVRC_VIENEI.png"), QStringLiteral(":/KVRC_VIENWI.png")};
    QList<QIcon> icons;
    // The pictures are the host's resources; without them the items keep
    // their captions and have no picture.
    for (const QString& path : paths)
        icons << (QFile::exists(path) ? QIcon(path) : QIcon());
    const QStringList names = standardViewNames();
    QStringList captions;
    for (const QString& name : names)
        captions << standardViewText(name);
    createGalleryItems(captions, icons);
    setItemKeys(names);
    creatBaseGallery();
    setAccessibleName(QCoreApplication::translate("KvCc::ViewGallery", "Standard views"));
}

ViewGallery::~ViewGallery() = default;

} // namespace KvCc
