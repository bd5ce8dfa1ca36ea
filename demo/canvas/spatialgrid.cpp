#include "spatialgrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Demo {
namespace {

constexpr int kMaxSide = 256;
constexpr int kLargeCells = 64;  // a box over more cells than this is kept aside

} // namespace

SpatialGrid::SpatialGrid(const QVector<QRectF>& boxes)
{
    for (const QRectF& b : boxes) {
        if (std::isfinite(b.left()) && std::isfinite(b.right()) && std::isfinite(b.top()) && std::isfinite(b.bottom()))
            m_bounds = m_bounds.isNull() ? b : m_bounds.united(b.normalized().adjusted(0, 0, 1e-9, 1e-9));
    }
    if (boxes.isEmpty() || m_bounds.width() <= 0 || m_bounds.height() <= 0)
        return;
    const int side = std::clamp(static_cast<int>(std::sqrt(boxes.size() / 4.0)), 1, kMaxSide);
    m_columns = m_rows = side;
    // Counts each cell's boxes, then files them where the counts say.
    QVector<int> fill(m_columns * m_rows + 1, 0);
    const auto eachCell = [&](const auto& visit) {
        for (int i = 0; i < boxes.size(); ++i) {
            const QRectF& b = boxes.at(i);
            const int c0 = column(b.left()), c1 = column(b.right()), r0 = row(b.top()), r1 = row(b.bottom());
            if ((c1 - c0 + 1) * (r1 - r0 + 1) > kLargeCells) {
                visit(-1, i);
                continue;
            }
            for (int r = r0; r <= r1; ++r) {
                for (int c = c0; c <= c1; ++c)
                    visit(r * m_columns + c, i);
            }
        }
    };
    eachCell([&](int cell, int i) {
        if (cell < 0)
            m_large.append(i);
        else
            ++fill[cell + 1];
    });
    std::partial_sum(fill.begin(), fill.end(), fill.begin());
    m_starts = fill;
    m_entries.resize(fill.last());
    eachCell([&](int cell, int i) {
        if (cell >= 0)
            m_entries[fill[cell]++] = i;
    });
}

int SpatialGrid::column(double x) const
{
    const double at = (x - m_bounds.left()) / m_bounds.width() * m_columns;
    return std::clamp(std::isfinite(at) ? static_cast<int>(at) : 0, 0, m_columns - 1);
}

int SpatialGrid::row(double y) const
{
    const double at = (y - m_bounds.top()) / m_bounds.height() * m_rows;
    return std::clamp(std::isfinite(at) ? static_cast<int>(at) : 0, 0, m_rows - 1);
}

QVector<int> SpatialGrid::query(const QRectF& area, bool& all) const
{
    all = m_starts.isEmpty() || !std::isfinite(area.width()) || !std::isfinite(area.height());
    if (all)
        return {};
    const QRectF a = area.normalized();
    if (!a.intersects(m_bounds.adjusted(-1e-9, -1e-9, 1e-9, 1e-9)))
        return m_large;
    const int c0 = column(a.left()), c1 = column(a.right()), r0 = row(a.top()), r1 = row(a.bottom());
    if ((c1 - c0 + 1) * (r1 - r0 + 1) * 2 > m_columns * m_rows) {
        all = true;
        return {};
    }
    QVector<int> out = m_large;
    for (int r = r0; r <= r1; ++r) {
        // The cells of a row are filed one after the other.
        const int first = r * m_columns;
        for (int k = m_starts.at(first + c0); k < m_starts.at(first + c1 + 1); ++k)
            out.append(m_entries.at(k));
    }
    // Drawing order is file order; a box filed in several cells is returned once.
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace Demo
