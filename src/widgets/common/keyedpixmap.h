#pragma once

#include "kvcustomcontrol_export.h"

#include <QPixmap>
#include <QString>

/// \file
/// Loading of the library's bitmaps with their transparent key.

namespace KvCc {

/// Loads a bitmap whose pure magenta pixels (255, 0, 255) are its transparent
/// key and returns it with those pixels fully transparent. Results are cached
/// by path, so widgets may call this for every paint. A path that resolves to
/// nothing gives a null pixmap.
KVCUSTOMCONTROL_EXPORT QPixmap loadKeyedPixmap(const QString& path);

} // namespace KvCc
