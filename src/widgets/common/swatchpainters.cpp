#include "swatchpainters.h"
#include "swatchpainters_p.h"

#include <QPainter>

namespace {

QPen samplePen(qreal width, Qt::PenStyle style, const QColor& color = Qt::black)
{
    return QPen(QBrush(color, Qt::SolidPattern), width, style, Qt::SquareCap, Qt::BevelJoin);
}

QPixmap sampleLine(qreal width, Qt::PenStyle style, const QColor& color)
{
    QPixmap pixmap(48, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(samplePen(width, style, color));
    painter.drawLine(QLine(4, 9, 41, 9));
    painter.end();
    return pixmap;
}

} // namespace

QPixmap creatColorPix(QColor color)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(samplePen(1.0, Qt::SolidLine));
    painter.setBrush(QBrush(color, Qt::SolidPattern));
    painter.drawRect(QRect(2, 2, 9, 9));
    painter.end();
    return pixmap;
}

QPixmap drawLineWeight(double width)
{
    return sampleLine(width, Qt::SolidLine, Qt::black);
}

QPixmap drawLineType(Qt::PenStyle style)
{
    return sampleLine(1, style, Qt::black);
}

namespace KvCc {

QPixmap lineWeightSample(double width, const QColor& color)
{
    return sampleLine(width, Qt::SolidLine, color);
}

QPixmap lineTypeSample(Qt::PenStyle style, const QColor& color)
{
    return sampleLine(1, style, color);
}

} // namespace KvCc
