#include "blockbounds.h"

#include "drawingdata.h"
#include "dxfimport.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Demo {
namespace {

// A rough box around a text: as wide as its longest line at 0.9 of its
// height a character, with its frame if it has one, turned with the text.
QRectF textBox(const DrawingEntity& e)
{
    int longest = 0, lines = 1, run = 0;
    for (const QChar ch : e.text) {
        if (ch == QLatin1Char('\n')) {
            ++lines;
            run = 0;
        } else {
            longest = std::max(longest, ++run);
        }
    }
    const QPointF span = e.points.value(1) - e.points.value(0);
    double width = e.points.size() > 1 ? std::hypot(span.x(), span.y()) : 0.9 * e.height * longest * e.scale.x();
    // Wrapped lines are at most as wide as the wrap, and more of them.
    if (e.wrapWidth > 0 && width > e.wrapWidth) {
        lines += int(std::ceil(width / e.wrapWidth));
        width = e.wrapWidth;
    }
    const double depth = e.height * 5.0 / 3.0 * (lines - 1) + e.height;
    const double left = e.hAlign == DrawingEntity::Center ? width / 2 : e.hAlign == DrawingEntity::Right ? width : 0;
    double top = e.height;
    if (e.vAlign == DrawingEntity::Top)
        top = 0;
    else if (e.vAlign == DrawingEntity::Middle)
        top = depth / 2;
    else if (e.vAlign == DrawingEntity::Bottom)
        top = depth;
    const double frame = std::max(0.0, e.frameGap);
    const QRectF local = QRectF(-left, top - depth, width, depth).adjusted(-frame, -frame, frame, frame);
    const QPointF c = e.points.value(0);
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(e.rotation);
    return t.mapRect(local);
}

QRectF pointsBox(const QVector<QPointF>& points)
{
    if (points.isEmpty())
        return QRectF();
    double x0 = points.first().x(), x1 = x0, y0 = points.first().y(), y1 = y0;
    for (const QPointF& p : points) {
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y());
        y1 = std::max(y1, p.y());
    }
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

// Union that keeps zero-sized boxes (a horizontal line has no height).
QRectF unite(const QRectF& a, const QRectF& b)
{
    if (a.isNull())
        return b;
    if (b.isNull())
        return a;
    return QRectF(QPointF(std::min(a.left(), b.left()), std::min(a.top(), b.top())),
                  QPointF(std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())));
}

} // namespace

BlockBounds::BlockBounds(const Drawing* drawing) : m_drawing(drawing)
{
    if (!drawing)
        return;
    m_blocks.resize(drawing->blocks.size());
    m_state.resize(drawing->blocks.size());
    for (int i = 0; i < drawing->blocks.size(); ++i)
        computeBlock(i, 0);
    QVector<QRectF> boxes;
    boxes.reserve(drawing->entities.size());
    for (const DrawingEntity& e : drawing->entities)
        boxes.append(computeEntity(e, 0));
    m_grid = SpatialGrid(boxes);
    const auto down = [](double v) {
        const float f = float(v);
        return double(f) > v ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
    };
    const auto up = [](double v) {
        const float f = float(v);
        return double(f) < v ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
    };
    m_model.reserve(boxes.size());
    for (const QRectF& b : qAsConst(boxes))
        m_model.append({down(b.left()), down(b.top()), up(b.right()), up(b.bottom())});
}

QRectF BlockBounds::modelBox(int index) const
{
    const Box& b = m_model.at(index);
    return QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom));
}

QRectF BlockBounds::box(const DrawingEntity& e) const
{
    if (e.kind != DrawingEntity::Insert)
        return shapeBox(e);
    return insertBox(e, m_blocks.value(e.block));
}

QRectF BlockBounds::computeBlock(int block, int depth)
{
    if (m_state.at(block) == 2)
        return m_blocks.at(block);
    if (m_state.at(block) == 1 || depth > DxfImport::maxBlockDepth)
        return QRectF();
    m_state[block] = 1;
    QRectF box;
    for (const DrawingEntity& e : m_drawing->blocks.at(block).entities)
        box = unite(box, computeEntity(e, depth + 1));
    m_blocks[block] = box;
    m_state[block] = 2;
    return box;
}

QRectF BlockBounds::computeEntity(const DrawingEntity& e, int depth)
{
    if (e.kind != DrawingEntity::Insert)
        return shapeBox(e);
    if (e.block < 0 || e.block >= m_blocks.size())
        return QRectF();
    return insertBox(e, computeBlock(e.block, depth));
}

QRectF BlockBounds::shapeBox(const DrawingEntity& e)
{
    switch (e.kind) {
    case DrawingEntity::Circle:
    case DrawingEntity::Arc: {
        const QPointF c = e.points.value(0);
        return QRectF(c.x() - e.radius, c.y() - e.radius, 2 * e.radius, 2 * e.radius);
    }
    case DrawingEntity::Text:
        return unite(textBox(e), QRectF(e.points.value(0), QSizeF()));
    default:
        return pointsBox(e.points);
    }
}

// The box of every drawn cell of a reference, with its attributes.
QRectF BlockBounds::insertBox(const DrawingEntity& e, const QRectF& inner) const
{
    QRectF box;
    if (e.block >= 0 && e.block < m_blocks.size() && (inner.width() > 0 || inner.height() > 0)) {
        const QPointF base = m_drawing->blocks.at(e.block).base;
        int columns = 1, rows = 1;
        drawnCells(e, columns, rows);
        for (int corner = 0; corner < 4; ++corner) {
            const int column = corner & 1 ? columns - 1 : 0, row = corner & 2 ? rows - 1 : 0;
            box = unite(box, placement(e, base, column, row).mapRect(inner));
        }
    }
    for (const DrawingEntity& a : e.attributes)
        box = unite(box, shapeBox(a));
    return box;
}

QTransform BlockBounds::placement(const DrawingEntity& insert, const QPointF& base, int column, int row)
{
    QTransform t;
    const QPointF at = insert.points.value(0);
    t.translate(at.x(), at.y());
    t.rotate(insert.rotation);
    t.translate(column * insert.spacing.x(), row * insert.spacing.y());
    t.scale(insert.scale.x(), insert.scale.y());
    t.translate(-base.x(), -base.y());
    return t;
}

void BlockBounds::drawnCells(const DrawingEntity& insert, int& columns, int& rows)
{
    columns = std::clamp(insert.columns, 1, DxfImport::maxArrayCells);
    rows = std::clamp(insert.rows, 1, std::max(1, DxfImport::maxArrayCells / columns));
}

} // namespace Demo
