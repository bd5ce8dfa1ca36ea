#pragma once

#include "drawingentity.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QStringList>

namespace Demo {

// How a text's lines lie around its point, in layout pixels along and
// across its baseline: the font they are set in, the lines once wrapped,
// and the box of each from its capital height down to its baseline. Small
// texts are set in a larger font and scaled down by shrink: whole pixel
// sizes would make them far too wide, and wrap them too often.
class TextLayout
{
public:
    static constexpr int minPixels = 32; // texts smaller are laid out at this size

    // pixels: the text's capital height on screen; along: screen pixels a
    // drawing unit along its baseline; capRatio: a font's capital height
    // over its pixel size.
    TextLayout(const DrawingEntity& e, const QFont& base, double pixels, double along, double capRatio);

    QFont font;
    double shrink = 1.0;         // screen pixels a layout pixel
    double unit = 1.0;           // layout pixels a drawing unit
    QStringList lines;

    QRectF line(int i) const;
    // How the lines are stretched along and across the baseline: by the
    // width factor, or for aligned and fit texts so that the first line
    // runs from the first point to the second, span layout pixels away.
    QPointF stretch(const DrawingEntity& e, double span) const;

private:
    QFontMetricsF m_metrics;
    DrawingEntity::HAlign m_align;
    double m_cap = 0.0;
    double m_spacing = 0.0;
    double m_baseline = 0.0;     // of the first line
};

} // namespace Demo
