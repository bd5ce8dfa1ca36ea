#include "layericons_p.h"

#include "keyedpixmap.h"
#include "swatchpainters.h"

#include <QCoreApplication>
#include <QHash>

#include <memory>

namespace KvCc {

namespace {

std::unique_ptr<LayerIcons> icons;

struct Swatch
{
    QPixmap pixmap;
    QIcon icon;
};
std::unique_ptr<QHash<QRgb, Swatch>> swatches;
// A drawing with more distinct colors than this starts the cache afresh.
const int swatchLimit = 4096;

void release()
{
    icons.reset();
    swatches.reset();
}

void releaseWithTheApplication()
{
    static bool registered = false;
    if (!registered) {
        qAddPostRoutine([] {
            release();
            registered = false;
        });
        registered = true;
    }
}

const Swatch& swatchFor(const QColor& color)
{
    if (!swatches) {
        swatches = std::make_unique<QHash<QRgb, Swatch>>();
        releaseWithTheApplication();
    }
    const QRgb key = color.rgba();
    auto it = swatches->find(key);
    if (it == swatches->end()) {
        if (swatches->size() >= swatchLimit)
            swatches->clear();
        const QPixmap pixmap = creatColorPix(color);
        it = swatches->insert(key, Swatch{pixmap, QIcon(pixmap)});
    }
    return it.value();
}

} // namespace

const LayerIcons& LayerIcons::get()
{
    if (!icons) {
        icons = std::make_unique<LayerIcons>();
        icons->on = loadKeyedPixmap(QStringLiteral(":/core_ccvon.bmp"));
        icons->thawed = loadKeyedPixmap(QStringLiteral(":/core_ccthw.bmp"));
        icons->unlocked = loadKeyedPixmap(QStringLiteral(":/core_cculk.bmp"));
        icons->off = loadKeyedPixmap(QStringLiteral(":/core_ccvoff.bmp"));
        icons->frozen = loadKeyedPixmap(QStringLiteral(":/core_ccfrz.bmp"));
        icons->locked = loadKeyedPixmap(QStringLiteral(":/core_cclk.bmp"));
        icons->onIcon = QIcon(icons->on);
        icons->thawedIcon = QIcon(icons->thawed);
        icons->unlockedIcon = QIcon(icons->unlocked);
        icons->offIcon = QIcon(icons->off);
        icons->frozenIcon = QIcon(icons->frozen);
        icons->lockedIcon = QIcon(icons->locked);
        releaseWithTheApplication();
    }
    return *icons;
}

QPixmap layerSwatch(const QColor& color)
{
    return swatchFor(color).pixmap;
}

QIcon layerSwatchIcon(const QColor& color)
{
    return swatchFor(color).icon;
}

} // namespace KvCc
