#pragma once

#include "spatialgrid.h"

#include <QRectF>
#include <QTransform>
#include <QVector>

namespace Demo {

struct Drawing;
struct DrawingEntity;

// The boxes around what each entity and block draws, in the coordinates of
// the space that holds them, worked out once per drawing so that painting
// can pass over whatever lies out of view. A block's box holds its nested
// references to the drawn depth; a block that reaches itself adds nothing
// more the second time.
class BlockBounds
{
public:
    explicit BlockBounds(const Drawing* drawing = nullptr);

    // The box of a model space entity, by index.
    QRectF modelBox(int index) const;
    QRectF box(const DrawingEntity& e) const;
    QRectF blockBox(int block) const { return m_blocks.value(block); }
    // The model space boxes, for finding what lies in an area.
    const SpatialGrid& grid() const { return m_grid; }

    // Where a block's own coordinates land in the space of the reference,
    // for the array cell of column and row.
    static QTransform placement(const DrawingEntity& insert, const QPointF& base, int column, int row);
    // Columns and rows of a reference that are drawn, so no array runs away.
    static void drawnCells(const DrawingEntity& insert, int& columns, int& rows);

private:
    QRectF computeBlock(int block, int depth);
    QRectF computeEntity(const DrawingEntity& e, int depth);
    static QRectF shapeBox(const DrawingEntity& e);
    QRectF insertBox(const DrawingEntity& e, const QRectF& inner) const;

    const Drawing* m_drawing = nullptr;
    QVector<QRectF> m_blocks;
    QVector<char> m_state;       // 0 not yet, 1 being worked out, 2 done
    // Model space boxes in single precision, each rounded outwards: half
    // the memory, and a box may only grow by the rounding.
    struct Box
    {
        float left, top, right, bottom;
    };
    QVector<Box> m_model;
    SpatialGrid m_grid;
};

} // namespace Demo
