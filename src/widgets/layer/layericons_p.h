#pragma once

#include "keyedpixmap.h"

#include <QPixmap>
#include <QString>

namespace KvCc {

// The six layer state pictures of the embedded icon set.
namespace LayerIcons {
inline QPixmap on() { return loadKeyedPixmap(QStringLiteral(":/core_ccvon.bmp")); }
inline QPixmap off() { return loadKeyedPixmap(QStringLiteral(":/core_ccvoff.bmp")); }
inline QPixmap thawed() { return loadKeyedPixmap(QStringLiteral(":/core_ccthw.bmp")); }
inline QPixmap frozen() { return loadKeyedPixmap(QStringLiteral(":/core_ccfrz.bmp")); }
inline QPixmap unlocked() { return loadKeyedPixmap(QStringLiteral(":/core_cculk.bmp")); }
inline QPixmap locked() { return loadKeyedPixmap(QStringLiteral(":/core_cclk.bmp")); }
} // namespace LayerIcons

} // namespace KvCc
