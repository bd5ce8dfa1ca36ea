#pragma once

#include <QRectF>
#include <QVector>

namespace Demo {

// A uniform grid over boxes, so that a paint of part of a big drawing looks
// only at what lies in that part. Boxes that span much of the grid are kept
// aside and always returned.
class SpatialGrid
{
public:
    explicit SpatialGrid(const QVector<QRectF>& boxes = {});

    // Indices of the boxes that may meet area, ascending; all of them when
    // all is set instead (area covers most of the grid or is not finite).
    QVector<int> query(const QRectF& area, bool& all) const;

private:
    int column(double x) const;
    int row(double y) const;

    QRectF m_bounds;
    int m_columns = 0;
    int m_rows = 0;
    // Cell k holds m_entries[m_starts[k]] up to m_entries[m_starts[k + 1]]:
    // two arrays for the whole grid rather than one per cell.
    QVector<int> m_starts;
    QVector<int> m_entries;
    QVector<int> m_large;
};

} // namespace Demo
