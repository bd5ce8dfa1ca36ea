// Draws the library's embedded icon set into a folder (src/resources) and
// writes the Icons.qrc bundle list beside it.
//
// Keyed bitmaps are painted on solid magenta (255, 0, 255), which the
// widgets turn transparent. Their glyphs are drawn antialiased on a
// transparent canvas first and then flattened: weakly covered edge pixels
// become key, the rest become opaque glyph color. That way no pink fringe
// is left where antialiasing would have blended a glyph into the key, and
// no glyph pixel is ever exact magenta. The other bitmaps are drawn on
// white, the PNGs keep their alpha channel.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QtMath>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {

using Painter = std::function<void(QPainter&)>;

enum class Kind { Keyed, OnWhite, Alpha };

const QColor magenta(255, 0, 255);

// ---- small drawing helpers -------------------------------------------------

QPen pen(const QColor& color, qreal width = 1.0)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillPath(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& outline,
              qreal width = 1.0)
{
    p.setPen(pen(outline, width));
    p.setBrush(fill);
    p.drawPath(path);
}

// A sheet of paper with a folded top-right corner.
void sheet(QPainter& p, const QRectF& r, const QColor& paper = Qt::white,
           const QColor& outline = QColor(90, 90, 100))
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

// A cube turned and tilted, projected orthographically into w x h.
struct Cube
{
    std::array<QPointF, 8> v;
    std::array<qreal, 8> depth;
    struct Face { std::array<int, 4> idx; qreal light; bool visible; };
    std::vector<Face> faces;
};

Cube cube(int w, int h)
{
    Cube c;
    const qreal yaw = qDegreesToRadians(35.0);
    const qreal pitch = qDegreesToRadians(-28.0);
    const qreal scale = std::min(w, h) * 0.27;
    const QPointF centre(w / 2.0, h / 2.0 + 0.5);
    std::array<std::array<qreal, 3>, 8> rotated;
    for (int i = 0; i < 8; ++i) {
        const qreal x = (i & 1) ? 1 : -1, y = (i & 2) ? 1 : -1, z = (i & 4) ? 1 : -1;
        const qreal x1 = x * std::cos(yaw) - z * std::sin(yaw);
        const qreal z1 = x * std::sin(yaw) + z * std::cos(yaw);
        const qreal y2 = y * std::cos(pitch) - z1 * std::sin(pitch);
        const qreal z2 = y * std::sin(pitch) + z1 * std::cos(pitch);
        rotated[i] = {x1, y2, z2};
        c.v[i] = QPointF(centre.x() + x1 * scale, centre.y() - y2 * scale);
        c.depth[i] = z2;
    }
    const std::array<std::array<int, 4>, 6> quads = {{
        {0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3},
    }};
    for (const auto& q : quads) {
        // Normal from two edges; the viewer looks along -z.
        const auto& a = rotated[q[0]];
        const auto& b = rotated[q[1]];
        const auto& d = rotated[q[3]];
        const qreal ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
        const qreal vx = d[0] - a[0], vy = d[1] - a[1], vz = d[2] - a[2];
        qreal nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        // Orient the normal outwards from the cube's centre.
        const qreal cx = (a[0] + rotated[q[2]][0]) / 2, cy = (a[1] + rotated[q[2]][1]) / 2,
                    cz = (a[2] + rotated[q[2]][2]) / 2;
        if (nx * cx + ny * cy + nz * cz < 0) {
            nx = -nx;
            ny = -ny;
            nz = -nz;
        }
        const qreal len = std::sqrt(nx * nx + ny * ny + nz * nz);
        const qreal light = std::clamp((nx * -0.4 + ny * 0.8 + nz * -0.45) / len, 0.0, 1.0);
        c.faces.push_back({q, light, nz < 0});
    }
    return c;
}

QPolygonF facePolygon(const Cube& c, const Cube::Face& f)
{
    QPolygonF poly;
    for (int i : f.idx)
        poly << c.v[i];
    return poly;
}

void thumbnailFrame(QPainter& p, int w, int h)
{
    p.setPen(pen(QColor(200, 200, 205), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
}

enum class Shade { Wire, Hidden, Flat, Smooth };

void cubeThumbnail(QPainter& p, int w, int h, Shade shade, bool edges)
{
    thumbnailFrame(p, w, h);
    const Cube c = cube(w, h);
    const QColor base(70, 130, 210);
    if (shade == Shade::Wire) {
        p.setPen(pen(QColor(30, 30, 30), 1.0));
        p.setBrush(Qt::NoBrush);
        for (const auto& f : c.faces)
            p.drawPolygon(facePolygon(c, f));
        return;
    }
    for (const auto& f : c.faces) {
        if (!f.visible)
            continue;
        const QPolygonF poly = facePolygon(c, f);
        const qreal k = 0.45 + 0.55 * f.light;
        const QColor flat = shade == Shade::Hidden ? QColor(Qt::white)
                                                   : QColor::fromRgbF(base.redF() * k,
                                                                      base.greenF() * k,
                                                                      std::min(1.0, base.blueF() * k + 0.1));
        if (shade == Shade::Smooth) {
            QLinearGradient g(poly[0], poly[2]);
            g.setColorAt(0, flat.lighter(145));
            g.setColorAt(1, flat.darker(135));
            p.setBrush(g);
        } else {
            p.setBrush(flat);
        }
        // Without edges a face is outlined in its own color, so seams stay closed.
        p.setPen(edges || shade == Shade::Hidden ? pen(QColor(20, 20, 20), 1.0) : pen(flat, 1.0));
        if (shade == Shade::Smooth && !edges)
            p.setPen(Qt::NoPen);
        p.drawPolygon(poly);
    }
}

void wireframe2d(QPainter& p, int w, int h)
{
    thumbnailFrame(p, w, h);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(30, 30, 30), 1.0));
    p.drawRect(QRectF(13.5, 9.5, 28, 22));
    p.drawEllipse(QPointF(27.5, 20.5), 7, 7);
    p.drawLine(QPointF(13.5, 9.5), QPointF(41.5, 31.5));
    // The 2D axis icon: X red, Y green.
    p.setPen(pen(QColor(210, 30, 30), 1.4));
    p.drawLine(QPointF(5, h - 6.0), QPointF(16, h - 6.0));
    p.setPen(pen(QColor(30, 160, 40), 1.4));
    p.drawLine(QPointF(5, h - 6.0), QPointF(5, h - 17.0));
}

// ---- the 784 x 16 state strip --------------------------------------------------

// A lineweight sample: a horizontal bar of the given thickness.
Painter weightBar(qreal t)
{
    return [t](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 20));
        p.drawRect(QRectF(1, 8 - t / 2, 14, t));
    };
}

Painter styleLine(Qt::PenStyle style)
{
    return [style](QPainter& p) {
        p.setPen(QPen(QColor(20, 20, 20), 1.0, style, Qt::FlatCap));
        p.drawLine(QPointF(0.5, 8.5), QPointF(15.5, 8.5));
    };
}

Painter swatch(const QColor& color)
{
    return [color](QPainter& p) {
        p.setPen(pen(QColor(20, 20, 20), 1.0));
        p.setBrush(color);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
    };
}

// A 14-pixel glyph centred in a 16-pixel cell, optionally washed out.
Painter inCell(const Painter& glyph, bool disabled = false)
{
    return [glyph, disabled](QPainter& p) {
        p.save();
        p.translate(1, 1);
        glyph(p);
        if (disabled) {
            // Wash the glyph towards grey where it was drawn, and only there.
            p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
            p.fillRect(QRect(-1, -1, 16, 16), QColor(205, 205, 205, 170));
        }
        p.restore();
    };
}

std::vector<Painter> stateGlyphs()
{
    const std::vector<Painter> states = {bulbOn,   bulbOff,     sunGlyph,   snowGlyph,
                                         lockOpen, lockClosed,  printerOn,  printerOff,
                                         printerGrey, sheetSun, sheetSnow};
    std::vector<Painter> cells;
    cells.push_back(currentCheck);
    for (const Painter& s : states)
        cells.push_back(inCell(s));
    cells.push_back(newLayer);
    cells.push_back(deleteLayer);
    cells.push_back(setCurrentLayer);
    cells.push_back([](QPainter& p) { sheet(p, QRectF(3.5, 1.5, 9, 13)); }); // layer in use
    cells.push_back([](QPainter& p) {                                        // layer not in use
        sheet(p, QRectF(3.5, 1.5, 9, 13), QColor(235, 235, 235), QColor(160, 160, 160));
    });
    for (int i = 1; i <= 7; ++i) {
        const QColor colors[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue,
                                 QColor(230, 0, 230), Qt::white};
        cells.push_back(swatch(colors[i - 1]));
    }
    for (qreal t : {1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0})
        cells.push_back(weightBar(t));
    for (Qt::PenStyle s : {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine})
        cells.push_back(styleLine(s));
    for (const Painter& s : states)
        cells.push_back(inCell(s, true));
    cells.push_back([](QPainter& p) { // new layer frozen in every viewport
        sheet(p, QRectF(0.5, 0.5, 10, 13));
        snowflake(p, QPointF(11, 11), 4.3, QColor(20, 100, 225), 1.2);
        sparkle(p, QPointF(4.5, 5), 3.5);
    });
    cells.push_back([](QPainter& p) { // layer filter: a funnel
        QPainterPath funnel;
        funnel.moveTo(1.5, 2.5);
        funnel.lineTo(14.5, 2.5);
        funnel.lineTo(9.5, 8.5);
        funnel.lineTo(9.5, 13.5);
        funnel.lineTo(6.5, 14.5);
        funnel.lineTo(6.5, 8.5);
        funnel.closeSubpath();
        fillPath(p, funnel, QColor(120, 170, 230), QColor(30, 60, 120));
    });
    return cells;
}

// ---- rendering -------------------------------------------------------------------

// Turns an antialiased glyph on transparent into an opaque glyph on magenta.
QImage keyed(const QImage& glyph)
{
    QImage out(glyph.size(), QImage::Format_RGB32);
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const QRgb px = glyph.pixel(x, y); // unpremultiplied
            QRgb value = magenta.rgb();
            if (qAlpha(px) >= 100) {
                value = qRgb(qRed(px), qGreen(px), qBlue(px));
                if (value == magenta.rgb())
                    value = qRgb(254, 0, 254);
            }
            out.setPixel(x, y, value);
        }
    }
    return out;
}

QImage render(int w, int h, Kind kind, const Painter& paint)
{
    QImage canvas(w, h, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(kind == Kind::OnWhite ? QColor(Qt::white) : QColor(Qt::transparent));
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p);
    }
    switch (kind) {
    case Kind::Keyed:
        return keyed(canvas.convertToFormat(QImage::Format_ARGB32));
    case Kind::OnWhite:
        return canvas.convertToFormat(QImage::Format_RGB32);
    case Kind::Alpha:
        break;
    }
    return canvas.convertToFormat(QImage::Format_ARGB32);
}

// Several 16 x 16 cells side by side, each after a one-pixel key column
// when the strip asks for it.
Painter strip(const std::vector<Painter>& cells, int pitch, int offset)
{
    return [cells, pitch, offset](QPainter& p) {
        for (size_t i = 0; i < cells.size(); ++i) {
            p.save();
            p.translate(offset + static_cast<int>(i) * pitch, 0);
            p.setClipRect(QRect(0, 0, 16, 16));
            cells[i](p);
            p.restore();
        }
    };
}

struct Icon
{
    const char* file;
    int w;
    int h;
    Kind kind;
    Painter paint;
};

Painter sized(void (*f)(QPainter&, int, int), int w, int h)
{
    return [f, w, h](QPainter& p) { f(p, w, h); };
}

Painter cubeOf(int w, int h, Shade shade, bool edges)
{
    return [w, h, shade, edges](QPainter& p) { cubeThumbnail(p, w, h, shade, edges); };
}

std::vector<Icon> icons()
{
    return {
        {"core_ccvon.bmp", 14, 14, Kind::Keyed, bulbOn},
        {"core_ccvoff.bmp", 14, 14, Kind::Keyed, bulbOff},
        {"core_ccthw.bmp", 14, 14, Kind::Keyed, sunGlyph},
        {"core_ccfrz.bmp", 14, 14, Kind::Keyed, snowGlyph},
        {"core_cculk.bmp", 14, 14, Kind::Keyed, lockOpen},
        {"core_cclk.bmp", 14, 14, Kind::Keyed, lockClosed},
        {"core_ccpl.bmp", 14, 14, Kind::Keyed, printerOn},
        {"core_ccnpl.bmp", 14, 14, Kind::Keyed, printerOff},
        {"core_ccpldi.bmp", 14, 14, Kind::Keyed, printerGrey},
        {"core_ccvthw.bmp", 14, 14, Kind::Keyed, sheetSun},
        {"core_ccvfrz.bmp", 14, 14, Kind::Keyed, sheetSnow},
        {"IDB_LSTATE_CURRENT.png", 16, 16, Kind::Alpha, currentCheck},
        {"layertoolbar.bmp", 52, 16, Kind::Keyed,
         strip({newLayer, deleteLayer, setCurrentLayer}, 17, 1)},
        {"IDB_LAYER_SEARCH.bmp", 16, 16, Kind::OnWhite, magnifier},
        {"KvLayer_SearchClose.bmp", 16, 16, Kind::OnWhite, clearDisc},
        {"RqInterfaceRes_warning.bmp", 32, 32, Kind::OnWhite, warningSign},
        {"KVRC_subChildFrame.png", 32, 32, Kind::Alpha, drawingDocument},
        {"2d_LineFrame.bmp", 50, 50, Kind::OnWhite, sized(wireframe2d, 50, 50)},
        {"3d_LineFrame.bmp", 50, 50, Kind::OnWhite, cubeOf(50, 50, Shade::Wire, true)},
        {"3d_Hide.bmp", 50, 50, Kind::OnWhite, cubeOf(50, 50, Shade::Hidden, true)},
        {"Flat.bmp", 50, 47, Kind::OnWhite, cubeOf(50, 47, Shade::Flat, false)},
        {"Grouraud.bmp", 50, 49, Kind::OnWhite, cubeOf(50, 49, Shade::Smooth, false)},
        {"Flat+Edges.bmp", 50, 49, Kind::OnWhite, cubeOf(50, 49, Shade::Flat, true)},
        {"Gouraud+Edge.bmp", 50, 50, Kind::OnWhite, cubeOf(50, 50, Shade::Smooth, true)},
        {"IDB_LSTATE_RES.bmp", 784, 16, Kind::Keyed, strip(stateGlyphs(), 16, 0)},
        {"IDB_LSTATE_RES_ADD.bmp", 23, 21, Kind::OnWhite,
         [](QPainter& p) {
             layerStack(p, QRectF(4.5, 4.5, 17, 15));
             sparkle(p, QPointF(5.5, 5.5), 5.0);
         }},
        {"IDB_LSTATE_RES_NEW.png", 16, 16, Kind::Alpha, newLayer},
    };
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: kvcc-iconmaker <output folder>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QString qrc = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
    for (const Icon& icon : icons()) {
        const QString name = QString::fromLatin1(icon.file);
        const QImage image = render(icon.w, icon.h, icon.kind, icon.paint);
        if (!image.save(out.filePath(name))) {
            QTextStream(stderr) << "cannot write " << out.filePath(name) << "\n";
            return 1;
        }
        qrc += QStringLiteral("    <file>%1</file>\n").arg(name);
    }
    qrc += QStringLiteral("</qresource>\n</RCC>\n");
    QFile file(out.filePath(QStringLiteral("Icons.qrc")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    file.write(qrc.toUtf8());
    return 0;
}
