#include "swatchpainters.h"

#include <QPainter>

namespace {

QPen blackPen(qreal width, Qt::PenStyle style)
{
    return QPen(QBrush(Qt::black, Qt::SolidPattern), width, style, Qt::SquareCap, Qt::BevelJoin);
}

QPixmap sampleLine(qreal width, Qt::PenStyle style)
{
    QPixmap pixmap(48, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(blackPen(width, style));
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
    painter.setPen(blackPen(1.0, Qt::SolidLine));
    painter.setBrush(QBrush(color, Qt::SolidPattern));
    painter.drawRect(QRect(2, 2, 9, 9));
    painter.end();
    return pixmap;
}

QPixmap drawLineWeight(double width)
{
    return sampleLine(width, Qt::SolidLine);
}

QPixmap drawLineType(Qt::PenStyle style)
{
    return sampleLine(1, style);
}
