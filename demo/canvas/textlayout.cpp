#include "textlayout.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

QFont sized(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}

// Where the first line of a text sits below its point, for a capital
// height of cap and block between the first and last baselines.
double firstBaseline(DrawingEntity::VAlign align, double cap, double block, double descent)
{
    switch (align) {
    case DrawingEntity::Baseline:
        return block > 0 ? -block : 0;
    case DrawingEntity::Bottom:
        return -block - descent;
    case DrawingEntity::Middle:
        return cap / 2 - block / 2;
    case DrawingEntity::Top:
        return cap;
    }
    return 0;
}

// The lines of a text, each broken between words where it would run past
// limit (none when limit is 0); a word longer than that stands alone.
QStringList wrappedLines(const QString& text, const QFontMetricsF& metrics, double limit)
{
    QStringList out;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (limit <= 0 || metrics.horizontalAdvance(paragraph) <= limit) {
            out << paragraph;
            continue;
        }
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > limit) {
                out << line;
                line = word;
            } else {
                line = longer;
            }
        }
        out << line;
    }
    return out;
}

} // namespace

TextLayout::TextLayout(const DrawingEntity& e, const QFont& base, double pixels, double along, double capRatio)
    : font(sized(base, std::max(qRound(pixels / capRatio), minPixels))), m_metrics(font), m_align(e.hAlign)
{
    shrink = pixels / capRatio / font.pixelSize();
    unit = along / shrink;
    m_cap = pixels / shrink;
    // Widths are measured before the width factor stretches the text.
    lines = wrappedLines(e.text, m_metrics, e.wrapWidth * unit / e.scale.x());
    m_spacing = m_cap * 5.0 / 3.0;
    m_baseline = firstBaseline(e.vAlign, m_cap, (lines.size() - 1) * m_spacing, m_metrics.descent());
}

QRectF TextLayout::line(int i) const
{
    const double width = m_metrics.horizontalAdvance(lines.at(i));
    const double x = m_align == DrawingEntity::Center ? -width / 2 : m_align == DrawingEntity::Right ? -width : 0;
    return QRectF(x, m_baseline + i * m_spacing - m_cap, width, m_cap);
}

QPointF TextLayout::stretch(const DrawingEntity& e, double span) const
{
    const double natural = m_metrics.horizontalAdvance(lines.value(0));
    if ((e.hAlign != DrawingEntity::Aligned && e.hAlign != DrawingEntity::Fit) || natural <= 0 || span <= 0)
        return QPointF(e.scale.x(), 1);
    const double run = span / natural;
    return QPointF(run, e.hAlign == DrawingEntity::Aligned ? run / e.scale.x() : 1);
}

} // namespace Demo
