#pragma once

#include <QPointF>

namespace Demo {

// Object coordinates of planar entities (arcs, circles, polylines, text)
// relative to their extrusion direction, turned into world coordinates by
// the arbitrary axis rule of the DXF format. Mirrored arcs (extrusion 0,0,-1)
// and polylines drawn in a vertical plane thus land where CAD programs show them.
class DxfObjectCoordinates
{
public:
    // n is the extrusion direction (x, y, z); null or degenerate means world z.
    explicit DxfObjectCoordinates(const double* n);

    bool isIdentity() const { return m_identity; }
    // Whether the plan view sees the object's plane from below.
    bool isMirrored() const { return m_ax[0] * m_ay[1] - m_ax[1] * m_ay[0] < 0; }

    QPointF toPlan(double x, double y, double z) const;

private:
    bool m_identity = true;
    double m_n[3] = {0, 0, 1};
    double m_ax[3] = {1, 0, 0};
    double m_ay[3] = {0, 1, 0};
};

} // namespace Demo
