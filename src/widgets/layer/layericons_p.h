#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace KvCc {

// The six layer state pictures of the embedded icon set (magenta keyed out)
// and icons made of them. Every row of a layer drop-down shows them, so they
// are loaded once and shared; they are released with the application.
struct LayerIcons
{
    QPixmap on, thawed, unlocked, off, frozen, locked;
    QIcon onIcon, thawedIcon, unlockedIcon, offIcon, frozenIcon, lockedIcon;

    static const LayerIcons& get();
};

// The color swatch of a layer as a picture and as an icon, painted once per
// color and shared.
QPixmap layerSwatch(const QColor& color);
QIcon layerSwatchIcon(const QColor& color);

} // namespace KvCc
