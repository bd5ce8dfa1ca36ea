#include "entitypainter.h"

#include "blockbounds.h"
#include "dxfcurves.h"
#include "dxfimport.h"
#include "linetypestyle.h"
#include "textlayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace Demo {
namespace {

// Colors too close to the ground are drawn in its contrast, as CAD
// programs do with black and white.
QColor visibleOnGround(const QColor& c)
{
    if (c.lightness() < 40)
        return QColor(230, 230, 230);
    return c;
}

// Whether t keeps circles round: equal scale on both axes, which stay square.
bool keepsCircles(const QTransform& t)
{
    const double sx = std::hypot(t.m11(), t.m12()), sy = std::hypot(t.m21(), t.m22());
    const double dot = t.m11() * t.m21() + t.m12() * t.m22();
    return std::fabs(sx - sy) <= 1e-6 * sx && std::fabs(dot) <= 1e-6 * sx * sy;
}

} // namespace

double EntityPainter::penWidthFor(int lineWeight)
{
    if (lineWeight >= 70)
        return 2.5;
    if (lineWeight >= 35)
        return 1.6;
    return 1.0;
}

int EntityPainter::paint(QPainter& painter, const QTransform& toScreen, const QRectF& view)
{
    m_painter = &painter;
    m_view = view;
    m_primitives = 0;
    m_penWidth = -1;
    m_layerZero = std::max(0, m_drawing.layerIndex(QStringLiteral("0")));
    QFont probe = painter.font();
    probe.setPixelSize(100);
    const double cap = QFontMetricsF(probe).capHeight();
    m_capRatio = cap > 10 ? cap / 100.0 : 0.72;
    int drawn = 0;
    const Inherited top;
    const EntityList& entities = m_drawing.entities;
    bool invertible = false, all = true;
    const QTransform toWorld = toScreen.inverted(&invertible);
    const QVector<int> near = invertible ? m_bounds.grid().query(toWorld.mapRect(view), all) : QVector<int>();
    const int count = (all || !invertible) ? entities.size() : near.size();
    DrawingEntity e;
    for (int k = 0; k < count && m_primitives < maxPrimitives; ++k) {
        const int i = (all || !invertible) ? k : near.at(k);
        entities.read(i, e);
        if (drawEntity(e, toScreen, top, m_bounds.modelBox(i)))
            ++drawn;
    }
    m_painter = nullptr;
    return drawn;
}

// The layer, color and pen an entity takes; false when its layer hides it.
bool EntityPainter::lookOf(const DrawingEntity& e, const Inherited& from, Look& look) const
{
    look.layer = (from.layer >= 0 && e.layer == m_layerZero) ? from.layer : e.layer;
    if (look.layer < 0 || look.layer >= m_layers.size())
        return false;
    const LayerLook& layer = m_layers.at(look.layer);
    if (e.kind == DrawingEntity::Insert ? layer.frozen : !layer.shown)
        return false;
    if (e.color.isValid())
        look.color = e.color;
    else if (e.colorByBlock)
        look.color = from.color.isValid() ? from.color : QColor(Qt::white);
    else
        look.color = layer.color;
    if (e.linetype.isEmpty())
        look.style = layer.style;
    else if (e.linetype.compare(QLatin1String("BYBLOCK"), Qt::CaseInsensitive) == 0)
        look.style = from.layer >= 0 ? from.style : Qt::SolidLine;
    else
        look.style = linetypePenStyle(e.linetype);
    if (e.lineWeight == LineWeightByLayer)
        look.width = layer.width;
    else if (e.lineWeight == LineWeightByBlock)
        look.width = from.layer >= 0 ? from.width : 1.0;
    else
        look.width = penWidthFor(e.lineWeight);
    return true;
}

bool EntityPainter::drawEntity(const DrawingEntity& e, const QTransform& t, const Inherited& from, const QRectF& box)
{
    Look look;
    if (!lookOf(e, from, look))
        return false;
    const QRectF screen = t.mapRect(box).adjusted(-1, -1, 1, 1);
    if (!screen.intersects(m_view) && !(e.kind == DrawingEntity::Text && box.isNull()))
        return false;
    if (e.kind == DrawingEntity::Insert) {
        // A reference too small to tell apart is a dot.
        if (screen.width() < 4 && screen.height() < 4) {
            setPen(look, true);
            m_painter->drawPoint(screen.center());
            ++m_primitives;
            record(DrawingEntity::Point, screen);
            return true;
        }
        return drawInsert(e, t, look, from);
    }
    drawShape(e, t, look);
    return true;
}

bool EntityPainter::drawInsert(const DrawingEntity& e, const QTransform& t, const Look& look, const Inherited& from)
{
    for (const DrawingEntity& a : e.attributes)
        drawEntity(a, t, from, m_bounds.box(a));
    if (from.depth >= DxfImport::maxBlockDepth || e.block < 0 || e.block >= m_drawing.blocks.size())
        return true;
    Inherited inner;
    inner.layer = look.layer;
    inner.color = look.color;
    inner.style = look.style;
    inner.width = look.width;
    inner.depth = from.depth + 1;
    const DrawingBlock& block = m_drawing.blocks.at(e.block);
    const QRectF blockBox = m_bounds.blockBox(e.block);
    int columns = 1, rows = 1;
    BlockBounds::drawnCells(e, columns, rows);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            // Every cell counts, so blocks of nothing but references still end.
            if (++m_primitives >= maxPrimitives)
                return true;
            const QTransform cell = BlockBounds::placement(e, block.base, column, row) * t;
            if (!cell.mapRect(blockBox).adjusted(-1, -1, 1, 1).intersects(m_view))
                continue;
            for (const DrawingEntity& child : block.entities) {
                if (m_primitives >= maxPrimitives)
                    return true;
                drawEntity(child, cell, inner, child.kind == DrawingEntity::Insert ? m_bounds.box(child) : blockBox);
            }
        }
    }
    return true;
}

void EntityPainter::drawShape(const DrawingEntity& e, const QTransform& t, const Look& look)
{
    // Most shapes in a row share a color; its lightness is worked out once.
    if (look.color != m_rawColor) {
        m_rawColor = look.color;
        m_shownColor = visibleOnGround(look.color);
    }
    const QColor color = m_shownColor;
    Look shown = look;
    shown.color = color;
    setPen(shown, e.kind == DrawingEntity::Text || e.kind == DrawingEntity::Fill);
    ++m_primitives;
    switch (e.kind) {
    case DrawingEntity::Line: {
        const QPointF a = t.map(e.points.value(0)), b = t.map(e.points.value(1));
        m_painter->drawLine(a, b);
        record(e.kind, QRectF(a, b).normalized());
        break;
    }
    case DrawingEntity::Polyline: {
        const QPolygonF poly = t.map(QPolygonF(e.points));
        if (e.closed)
            m_painter->drawPolygon(poly);
        else
            m_painter->drawPolyline(poly);
        record(e.kind, poly.boundingRect());
        break;
    }
    case DrawingEntity::Circle:
    case DrawingEntity::Arc:
        drawCurve(e, t);
        break;
    case DrawingEntity::Point: {
        const QPointF at = t.map(e.points.value(0));
        m_painter->drawPoint(at);
        record(e.kind, QRectF(at, QSizeF()));
        break;
    }
    case DrawingEntity::Text:
        drawText(e, t);
        break;
    case DrawingEntity::Fill:
        drawFill(e, t, color);
        break;
    case DrawingEntity::Insert:
        break;
    }
}

// Circles and arcs: drawn as such while t keeps them round, else as points along them.
void EntityPainter::drawCurve(const DrawingEntity& e, const QTransform& t)
{
    const QPointF c = e.points.value(0);
    if (keepsCircles(t)) {
        const QPointF center = t.map(c);
        const double r = e.radius * std::hypot(t.m11(), t.m12());
        const QRectF box(center.x() - r, center.y() - r, 2 * r, 2 * r);
        record(e.kind, box);
        if (e.kind == DrawingEntity::Circle) {
            m_painter->drawEllipse(box);
            return;
        }
        double span = e.endAngle - e.startAngle;
        while (span <= 0)
            span += 360.0;
        // Screen angles run counter-clockwise as seen; a mirroring t turns the arc round.
        const double a = e.startAngle * M_PI / 180;
        const QPointF start = t.map(c + QPointF(std::cos(a), std::sin(a)) * e.radius) - center;
        const double startSeen = std::atan2(-start.y(), start.x()) * 180 / M_PI;
        const bool mirrored = t.determinant() > 0;
        m_painter->drawArc(box, qRound(startSeen * 16), qRound((mirrored ? -span : span) * 16));
        return;
    }
    QVector<QPointF> points;
    const double start = e.kind == DrawingEntity::Circle ? 0 : e.startAngle * M_PI / 180;
    const double end = e.kind == DrawingEntity::Circle ? 2 * M_PI : e.endAngle * M_PI / 180;
    DxfCurves::appendArc(points, c, e.radius, start, end);
    const QPolygonF poly = t.map(QPolygonF(points));
    m_painter->drawPolyline(poly);
    record(e.kind, poly.boundingRect());
}

void EntityPainter::drawText(const DrawingEntity& e, const QTransform& t)
{
    // A text's height is its capital height, as in CAD programs.
    const QPointF at = t.map(e.points.value(0));
    const double angle = e.rotation * M_PI / 180;
    const QPointF up = t.map(e.points.value(0) + QPointF(-std::sin(angle), std::cos(angle)) * e.height) - at;
    const QPointF along = t.map(e.points.value(0) + QPointF(std::cos(angle), std::sin(angle))) - at;
    const double pixels = std::hypot(up.x(), up.y());
    // Texts too small to read are left out, unless shown as boxes.
    if ((pixels < 3 && !m_options.textBoxes) || e.text.isEmpty() || pixels > 4000)
        return;
    const TextLayout layout(e, m_painter->font(), pixels, std::hypot(along.x(), along.y()), m_capRatio);
    m_painter->save();
    m_painter->setFont(layout.font);
    m_painter->translate(at);
    m_painter->rotate(std::atan2(along.y(), along.x()) * 180 / M_PI);
    m_painter->scale(layout.shrink, layout.shrink);
    const QPointF run = e.points.size() > 1 ? t.map(e.points.at(1)) - at : QPointF();
    const QPointF stretch = layout.stretch(e, std::hypot(run.x(), run.y()) / layout.shrink);
    m_painter->scale(stretch.x(), stretch.y());
    QRectF box;
    for (int i = 0; i < layout.lines.size(); ++i) {
        const QRectF line = layout.line(i);
        if (m_options.textBoxes)
            m_painter->fillRect(line, m_penColor);
        else
            m_painter->drawText(line.bottomLeft(), layout.lines.at(i));
        box |= line;
    }
    record(DrawingEntity::Text, m_painter->transform().mapRect(box));
    if (e.frameGap >= 0) {
        // The gap is the same across and along the lines, whatever stretches them.
        const double gap = e.frameGap * layout.unit;
        drawFrame(box.adjusted(-gap / stretch.x(), -gap / stretch.y(), gap / stretch.x(), gap / stretch.y()));
    }
    m_painter->restore();
}

// The frame around a framed text's lines, in the painter's text coordinates.
void EntityPainter::drawFrame(const QRectF& frame)
{
    m_painter->drawRect(frame);
    record(DrawingEntity::Polyline, m_painter->transform().mapRect(frame));
}

// Solid fills in their color; pattern hatches as their boundary over a light fill.
void EntityPainter::drawFill(const DrawingEntity& e, const QTransform& t, const QColor& color)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    int from = 0;
    const QVector<int> loops = e.loops.isEmpty() ? QVector<int>{int(e.points.size())} : e.loops;
    for (int size : loops) {
        path.addPolygon(t.map(QPolygonF(e.points.mid(from, size))));
        path.closeSubpath();
        from += size;
    }
    QColor fill = color;
    if (e.patterned)
        fill.setAlpha(60);
    m_painter->setBrush(fill);
    if (!e.patterned)
        m_painter->setPen(Qt::NoPen);
    m_painter->drawPath(path);
    m_painter->setBrush(Qt::NoBrush);
    m_penWidth = -1;
    record(DrawingEntity::Fill, path.boundingRect());
}

// Sets the pen unless it is the one already set; texts and fills draw solid.
void EntityPainter::setPen(const Look& look, bool solid)
{
    const Qt::PenStyle style = (solid || m_options.thinLines) ? Qt::SolidLine : look.style;
    const double width = m_options.thinLines ? 1.0 : look.width;
    if (look.color == m_penColor && width == m_penWidth && style == m_penStyle)
        return;
    QPen pen(look.color, width, style);
    pen.setCosmetic(true);
    m_painter->setPen(pen);
    m_penColor = look.color;
    m_penWidth = width;
    m_penStyle = style;
}

void EntityPainter::record(DrawingEntity::Kind kind, const QRectF& box)
{
    if (m_record)
        m_record->append({kind, m_penColor, box});
}

} // namespace Demo
