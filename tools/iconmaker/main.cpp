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
#include "glyphs.h"

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

using namespace IconGlyphs;

using Painter = std::function<void(QPainter&)>;

enum class Kind { Keyed, OnWhite, Alpha };



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
