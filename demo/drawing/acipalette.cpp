#include "acipalette.h"

#include <array>
#include <cmath>
#include <limits>

namespace Demo {
namespace {

// Indexes 10..249 run through 24 hues in 15 degree steps; within a hue the
// even entries are saturated and the odd ones pale, at five brightnesses.
QRgb hueEntry(int index)
{
    static const double brightness[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    const int hue = (index - 10) / 10;
    const int sub = (index - 10) % 10;
    const double value = 255.0 * brightness[sub / 2];
    const double low = (sub % 2) ? 0.5 : 0.0;
    const double angle = hue * 15.0;
    const int sector = static_cast<int>(angle / 60.0);
    const double frac = (angle - sector * 60.0) / 60.0;
    const double rise = low + (1.0 - low) * frac;
    const double fall = low + (1.0 - low) * (1.0 - frac);
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = 1; g = rise; b = low; break;
    case 1: r = fall; g = 1; b = low; break;
    case 2: r = low; g = 1; b = rise; break;
    case 3: r = low; g = fall; b = 1; break;
    case 4: r = rise; g = low; b = 1; break;
    default: r = 1; g = low; b = fall; break;
    }
    return qRgb(static_cast<int>(std::floor(r * value)), static_cast<int>(std::floor(g * value)),
                static_cast<int>(std::floor(b * value)));
}

std::array<QRgb, 256> buildPalette()
{
    std::array<QRgb, 256> p{};
    p[0] = qRgb(255, 255, 255);
    p[1] = qRgb(255, 0, 0);
    p[2] = qRgb(255, 255, 0);
    p[3] = qRgb(0, 255, 0);
    p[4] = qRgb(0, 255, 255);
    p[5] = qRgb(0, 0, 255);
    p[6] = qRgb(255, 0, 255);
    p[7] = qRgb(255, 255, 255);
    p[8] = qRgb(128, 128, 128);
    p[9] = qRgb(192, 192, 192);
    for (int i = 10; i < 250; ++i)
        p[i] = hueEntry(i);
    static const int greys[6] = {51, 91, 132, 173, 214, 255};
    for (int i = 0; i < 6; ++i)
        p[250 + i] = qRgb(greys[i], greys[i], greys[i]);
    return p;
}

} // namespace

QColor aciColor(int index)
{
    static const std::array<QRgb, 256> palette = buildPalette();
    if (index < 1 || index > 255)
        return QColor(255, 255, 255);
    return QColor(palette[index]);
}

int aciIndexOf(const QColor& color)
{
    for (int i = 1; i <= 255; ++i) {
        if (aciColor(i).rgb() == color.rgb())
            return i;
    }
    return 0;
}

int nearestAciIndex(const QColor& color)
{
    int best = 7;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 1; i <= 255; ++i) {
        const QColor c = aciColor(i);
        const int dr = c.red() - color.red(), dg = c.green() - color.green(), db = c.blue() - color.blue();
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QColor trueColor(int value)
{
    return QColor((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
}

} // namespace Demo
