#include "glyphs.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <array>

namespace IconGlyphs {

// ---- small drawing helpers -------------------------------------------------

QPen pen(const QColor& color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillPath(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& outline,
              qreal width)
{
    p.setPen(pen(outline, width));
    p.setBrush(fill);
    p.drawPath(path);
}

// A sheet of paper with a folded top-right corner.
void sheet(QPainter& p, const QRectF& r, const QColor& paper,
           const QColor& outline)
{
    const qreal fold = std::min(r.width(), r.height()) * 0.3;
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    fillPath(p, path, paper, outline);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    fillPath(p, corner, QColor(200, 200, 210), outline);
}

void sun(QPainter& p, const QPointF& c, qreal disc, qreal rays, const QColor& color,
         const QColor& dark)
{
    p.setPen(pen(color, std::max<qreal>(1.2, disc * 0.45)));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(QPointF(c.x() + std::cos(a) * (disc + 1.3), c.y() + std::sin(a) * (disc + 1.3)),
                   QPointF(c.x() + std::cos(a) * rays, c.y() + std::sin(a) * rays));
    }
    p.setPen(pen(dark, 1.0));
    p.setBrush(color);
    p.drawEllipse(c, disc, disc);
}

void snowflake(QPainter& p, const QPointF& c, qreal r, const QColor& color, qreal width)
{
    p.setPen(pen(color, width));
    for (int i = 0; i < 6; ++i) {
        const qreal a = M_PI / 2 + i * M_PI / 3;
        const QPointF tip(c.x() + std::cos(a) * r, c.y() - std::sin(a) * r);
        p.drawLine(c, tip);
        if (r >= 5) {
            // Two short barbs on every arm make it read as ice, not as a star.
            const QPointF mid(c.x() + std::cos(a) * r * 0.62, c.y() - std::sin(a) * r * 0.62);
            for (int s : {-1, 1}) {
                const qreal b = a + s * M_PI / 3.2;
                p.drawLine(mid, QPointF(mid.x() + std::cos(b) * r * 0.35,
                                        mid.y() - std::sin(b) * r * 0.35));
            }
        }
    }
}

// A check mark inside r.
void check(QPainter& p, const QRectF& r, const QColor& color, qreal width)
{
    QPainterPath path;
    path.moveTo(r.left() + r.width() * 0.08, r.top() + r.height() * 0.55);
    path.lineTo(r.left() + r.width() * 0.38, r.top() + r.height() * 0.85);
    path.lineTo(r.left() + r.width() * 0.92, r.top() + r.height() * 0.15);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(color.darker(150), width + 1.2));
    p.drawPath(path);
    p.setPen(pen(color, width));
    p.drawPath(path);
}

// A red diagonal cross inside r.
void cross(QPainter& p, const QRectF& r, const QColor& color, qreal width)
{
    p.setPen(pen(color, width));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

// A four-pointed sparkle: the "new" mark.
void sparkle(QPainter& p, const QPointF& c, qreal r)
{
    QPainterPath path;
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4 - M_PI / 2;
        const qreal len = (i % 2 == 0) ? r : r * 0.38;
        const QPointF pt(c.x() + std::cos(a) * len, c.y() + std::sin(a) * len);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    fillPath(p, path, QColor(255, 215, 0), QColor(170, 110, 0));
}

// Three stacked sheets seen at an angle: the usual picture of "layers".
void layerStack(QPainter& p, const QRectF& r)
{
    const qreal h = r.height() * 0.36;
    const qreal step = (r.height() - h) / 2;
    const qreal skew = r.width() * 0.25;
    const QColor fills[] = {QColor(70, 110, 190), QColor(120, 160, 220), QColor(235, 242, 255)};
    for (int i = 0; i < 3; ++i) {
        const qreal top = r.top() + step * (2 - i);
        QPolygonF sheet;
        sheet << QPointF(r.left() + skew, top) << QPointF(r.right(), top)
              << QPointF(r.right() - skew, top + h) << QPointF(r.left(), top + h);
        p.setPen(pen(QColor(30, 50, 110), 1.0));
        p.setBrush(fills[i]);
        p.drawPolygon(sheet);
    }
}

// ---- the 14 x 14 layer state glyphs -----------------------------------------

void bulb(QPainter& p, const QColor& glass, const QColor& outline)
{
    QPainterPath path;
    path.moveTo(4.6, 9.2);
    path.cubicTo(1.0, 6.8, 1.6, 0.6, 7.0, 0.6);
    path.cubicTo(12.4, 0.6, 13.0, 6.8, 9.4, 9.2);
    path.closeSubpath();
    fillPath(p, path, glass, outline);
    p.setPen(pen(QColor(255, 255, 255, 220), 1.0));
    p.drawArc(QRectF(3.6, 2.2, 5, 5), 110 * 16, 70 * 16);
    // Screw base.
    p.setPen(pen(QColor(70, 70, 70), 1.0));
    p.setBrush(QColor(160, 160, 165));
    p.drawRect(QRectF(4.5, 9.5, 5, 2.5));
    p.drawLine(QPointF(4.5, 10.75), QPointF(9.5, 10.75));
    p.setBrush(QColor(70, 70, 70));
    p.drawRect(QRectF(6, 12, 2, 1.5));
}

void bulbOn(QPainter& p) { bulb(p, QColor(255, 225, 40), QColor(150, 110, 0)); }
void bulbOff(QPainter& p) { bulb(p, QColor(250, 250, 250), QColor(100, 100, 110)); }

void sunGlyph(QPainter& p)
{
    sun(p, QPointF(7, 7), 3.0, 6.4, QColor(255, 150, 20), QColor(190, 90, 0));
}

void snowGlyph(QPainter& p) { snowflake(p, QPointF(7, 7), 6.4, QColor(20, 100, 225), 1.0); }

void padlock(QPainter& p, bool open)
{
    QPainterPath shackle;
    if (open) {
        shackle.moveTo(9.5, 7);
        shackle.lineTo(9.5, 3.5);
        shackle.arcTo(QRectF(4.5, 0.7, 5, 5), 0, 180);
        shackle.lineTo(4.5, 4.2);
    } else {
        shackle.moveTo(4.5, 7);
        shackle.lineTo(4.5, 4.8);
        shackle.arcTo(QRectF(4.5, 2.0, 5, 5), 180, -180);
        shackle.lineTo(9.5, 7);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(60, 60, 70), 2.6));
    p.drawPath(shackle);
    p.setPen(pen(QColor(175, 175, 185), 1.2));
    p.drawPath(shackle);
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 6.5, 9, 7), 1.2, 1.2);
    fillPath(p, body, QColor(235, 180, 30), QColor(130, 80, 0));
    p.setPen(pen(QColor(80, 45, 0), 1.2));
    p.drawLine(QPointF(7, 9), QPointF(7, 11.2));
}

void lockOpen(QPainter& p) { padlock(p, true); }
void lockClosed(QPainter& p) { padlock(p, false); }

void printer(QPainter& p, const QColor& body, const QColor& paper, const QColor& outline,
             const QColor& lamp)
{
    p.setPen(pen(outline, 1.0));
    p.setBrush(paper);
    p.drawRect(QRectF(3.5, 0.5, 7, 5));
    QPainterPath box;
    box.addRoundedRect(QRectF(0.5, 4.5, 13, 6), 1.2, 1.2);
    fillPath(p, box, body, outline);
    p.setPen(pen(outline, 1.0));
    p.setBrush(paper);
    p.drawRect(QRectF(2.5, 8.5, 9, 5));
    p.setPen(pen(outline.lighter(150), 1.0));
    p.drawLine(QPointF(4, 10.5), QPointF(10, 10.5));
    p.drawLine(QPointF(4, 12), QPointF(8.5, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(lamp);
    p.drawEllipse(QPointF(11.3, 6.5), 0.9, 0.9);
}

void printerOn(QPainter& p)
{
    printer(p, QColor(120, 130, 150), Qt::white, QColor(40, 45, 60), QColor(40, 210, 60));
}

void printerOff(QPainter& p)
{
    printerOn(p);
    p.setPen(pen(QColor(150, 0, 0), 1.0));
    p.setBrush(QColor(230, 20, 20));
    p.drawEllipse(QPointF(9.8, 9.8), 3.7, 3.7);
    p.setPen(pen(Qt::white, 1.6));
    p.drawLine(QPointF(8.0, 9.8), QPointF(11.6, 9.8));
}

void printerGrey(QPainter& p)
{
    printer(p, QColor(190, 190, 190), QColor(235, 235, 235), QColor(130, 130, 130),
            QColor(165, 165, 165));
}

void sheetSun(QPainter& p)
{
    sheet(p, QRectF(0.5, 0.5, 9, 12));
    sun(p, QPointF(9.3, 9.3), 2.1, 4.5, QColor(255, 150, 20), QColor(190, 90, 0));
}

void sheetSnow(QPainter& p)
{
    sheet(p, QRectF(0.5, 0.5, 9, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(9.3, 9.3), 4.2, 4.2);
    snowflake(p, QPointF(9.3, 9.3), 4.3, QColor(20, 100, 225), 1.2);
}

// ---- 16 x 16 glyphs ----------------------------------------------------------

void currentCheck(QPainter& p) { check(p, QRectF(1.5, 2, 13, 12), QColor(40, 175, 50), 2.2); }

void newLayer(QPainter& p)
{
    layerStack(p, QRectF(2.5, 3.5, 13, 12));
    sparkle(p, QPointF(4.2, 4.2), 4.0);
}

void deleteLayer(QPainter& p)
{
    layerStack(p, QRectF(0.5, 1.5, 13, 12));
    cross(p, QRectF(9.5, 9.5, 5, 5), QColor(215, 20, 20), 2.0);
}

void setCurrentLayer(QPainter& p)
{
    layerStack(p, QRectF(0.5, 1.5, 13, 12));
    check(p, QRectF(7.5, 7.5, 8, 7.5), QColor(40, 175, 50), 1.6);
}

void magnifier(QPainter& p)
{
    p.setPen(pen(QColor(60, 60, 70), 3.0));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14.3, 14.3));
    p.setPen(pen(QColor(60, 60, 70), 1.5));
    p.setBrush(QColor(200, 225, 250));
    p.drawEllipse(QPointF(6.3, 6.3), 4.6, 4.6);
    p.setPen(pen(Qt::white, 1.0));
    p.drawArc(QRectF(3.6, 3.6, 5.4, 5.4), 100 * 16, 70 * 16);
}

void clearDisc(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 155));
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    cross(p, QRectF(5.2, 5.2, 5.6, 5.6), Qt::white, 1.7);
}

// ---- larger images -----------------------------------------------------------

void warningSign(QPainter& p)
{
    QPainterPath tri;
    tri.moveTo(16, 2.5);
    tri.lineTo(30, 28.5);
    tri.lineTo(2, 28.5);
    tri.closeSubpath();
    QLinearGradient g(0, 3, 0, 28);
    g.setColorAt(0, QColor(255, 225, 60));
    g.setColorAt(1, QColor(250, 185, 0));
    p.setPen(pen(QColor(150, 100, 0), 2.0));
    p.setBrush(g);
    p.drawPath(tri);
    p.setPen(pen(Qt::black, 3.2));
    p.drawLine(QPointF(16, 11), QPointF(16, 19.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(16, 24.2), 1.9, 1.9);
}

void drawingDocument(QPainter& p)
{
    sheet(p, QRectF(5.5, 1.5, 21, 29));
    // A small plan: a framed part with a bore and a dimension line.
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(20, 80, 200), 1.2));
    p.drawRect(QRectF(9.5, 11.5, 12, 9));
    p.drawEllipse(QPointF(15.5, 16), 2.6, 2.6);
    p.setPen(pen(QColor(200, 30, 30), 1.0));
    p.drawLine(QPointF(9.5, 24.5), QPointF(21.5, 24.5));
    p.drawLine(QPointF(9.5, 23), QPointF(9.5, 26));
    p.drawLine(QPointF(21.5, 23), QPointF(21.5, 26));
    p.setPen(pen(QColor(120, 120, 130), 1.0));
    p.drawLine(QPointF(9, 6), QPointF(17, 6));
    p.drawLine(QPointF(9, 8), QPointF(14, 8));
}

} // namespace IconGlyphs
