#pragma once

#include <QColor>
#include <QPixmap>

namespace KvCc {

// The line samples of drawLineWeight() and drawLineType() in any color, for
// widgets that draw them in their palette's text color.
QPixmap lineWeightSample(double width, const QColor& color);
QPixmap lineTypeSample(Qt::PenStyle style, const QColor& color);

} // namespace KvCc
