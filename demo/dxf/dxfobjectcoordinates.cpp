#include "dxfobjectcoordinates.h"

#include <cmath>

namespace Demo {

DxfObjectCoordinates::DxfObjectCoordinates(const double* n)
{
    double nx = n ? n[0] : 0.0, ny = n ? n[1] : 0.0, nz = n ? n[2] : 1.0;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!std::isfinite(length) || length < 1e-12) {
        nx = 0;
        ny = 0;
        nz = 1;
    } else {
        nx /= length;
        ny /= length;
        nz /= length;
    }
    m_identity = std::fabs(nx) < 1e-12 && std::fabs(ny) < 1e-12 && nz > 0;
    m_n[0] = nx;
    m_n[1] = ny;
    m_n[2] = nz;
    // Ax = Wy x N when N is near the world z axis, else Wz x N.
    double ax[3];
    if (std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64) {
        ax[0] = nz;
        ax[1] = 0;
        ax[2] = -nx;
    } else {
        ax[0] = -ny;
        ax[1] = nx;
        ax[2] = 0;
    }
    const double al = std::sqrt(ax[0] * ax[0] + ax[1] * ax[1] + ax[2] * ax[2]);
    for (int i = 0; i < 3; ++i)
        m_ax[i] = ax[i] / al;
    m_ay[0] = m_n[1] * m_ax[2] - m_n[2] * m_ax[1];
    m_ay[1] = m_n[2] * m_ax[0] - m_n[0] * m_ax[2];
    m_ay[2] = m_n[0] * m_ax[1] - m_n[1] * m_ax[0];
}

QPointF DxfObjectCoordinates::toPlan(double x, double y, double z) const
{
    if (m_identity)
        return QPointF(x, y);
    return QPointF(x * m_ax[0] + y * m_ay[0] + z * m_n[0], x * m_ax[1] + y * m_ay[1] + z * m_n[1]);
}

} // namespace Demo
