#include "dxfhatchreader.h"

#include "dxfcurves.h"
#include "dxfobjectcoordinates.h"

#include <algorithm>
#include <cmath>

namespace Demo {

bool DxfHatchReader::read(DrawingEntity& e)
{
    e.kind = DrawingEntity::Fill;
    e.patterned = m_f.integer(70) != 1;
    const double n[3] = {m_f.real(210, 0), m_f.real(220, 0), m_f.real(230, 1)};
    const DxfObjectCoordinates ocs(n);
    const double elevation = m_f.real(30);
    while (m_i < m_pairs.size() && !at(91))
        ++m_i;
    int loops = m_i < m_pairs.size() ? static_cast<int>(take(91)) : 0;
    while (loops-- > 0 && m_i < m_pairs.size()) {
        while (m_i < m_pairs.size() && !at(92))
            ++m_i;
        if (m_i >= m_pairs.size())
            break;
        const int type = static_cast<int>(take(92));
        QVector<QPointF> loop;
        if (type & 2)
            polylineLoop(loop);
        else
            edgeLoop(loop);
        if (loop.size() < 3)
            continue;
        for (const QPointF& p : loop)
            e.points.append(ocs.toPlan(p.x(), p.y(), elevation));
        e.loops.append(loop.size());
    }
    return !e.loops.isEmpty();
}

double DxfHatchReader::take(int code, double fallback)
{
    if (!at(code))
        return fallback;
    return DxfFields::number(m_pairs.at(m_i++).value, fallback);
}

QPointF DxfHatchReader::takePoint(int xCode)
{
    const double x = take(xCode);
    return QPointF(x, take(xCode + 10));
}

void DxfHatchReader::polylineLoop(QVector<QPointF>& loop)
{
    // Bulge flag, closed flag (a boundary is closed anyway) and vertex count.
    take(72);
    take(73);
    take(93);
    QVector<QPointF> vertices;
    QVector<double> bulges;
    while (at(10)) {
        vertices.append(takePoint(10));
        bulges.append(take(42));
    }
    if (vertices.isEmpty())
        return;
    loop.append(vertices.first());
    // A boundary is always closed: the last vertex runs back to the first.
    const int steps = DxfCurves::stepsPerSegment(vertices.size());
    for (int i = 1; i <= vertices.size(); ++i)
        DxfCurves::appendBulge(loop, vertices.at(i - 1), vertices.at(i % vertices.size()), bulges.at(i - 1), steps);
    loop.removeLast();
}

void DxfHatchReader::edgeLoop(QVector<QPointF>& loop)
{
    // A loop stops growing at a bound, whatever its edges ask for.
    int edges = static_cast<int>(take(93));
    while (edges-- > 0 && at(72) && loop.size() < 65536)
        edge(static_cast<int>(take(72)), loop);
}

void DxfHatchReader::edge(int type, QVector<QPointF>& loop)
{
    if (type == 1) {
        const QPointF a = takePoint(10);
        const QPointF b = takePoint(11);
        if (loop.isEmpty() || loop.last() != a)
            loop.append(a);
        loop.append(b);
    } else if (type == 2 || type == 3) {
        const QPointF c = takePoint(10);
        const QPointF major = type == 3 ? takePoint(11) : QPointF(take(40), 0);
        const double ratio = type == 3 ? take(40, 1) : 1;
        const double start = take(50) * M_PI / 180, end = take(51, 360) * M_PI / 180;
        const bool ccw = take(73, 1) != 0;
        const QPointF minor = QPointF(-major.y(), major.x()) * ratio;
        QVector<QPointF> part;
        // Clockwise edges give their angles mirrored; walk them backwards.
        DxfCurves::appendEllipse(part, c, major, minor, ccw ? start : -end, ccw ? end : -start);
        if (!ccw)
            std::reverse(part.begin(), part.end());
        loop += part;
    } else if (type == 4) {
        splineEdge(loop);
    } else {
        ++m_i;
    }
}

void DxfHatchReader::splineEdge(QVector<QPointF>& loop)
{
    const int degree = static_cast<int>(take(94, 3));
    take(73);
    take(74);
    take(95);
    take(96);
    QVector<double> knots;
    while (at(40))
        knots.append(take(40));
    QVector<QPointF> controls;
    QVector<double> weights;
    while (at(10) || at(42)) {
        if (at(10))
            controls.append(takePoint(10));
        else
            weights.append(take(42));
    }
    QVector<QPointF> fits;
    if (at(97)) {
        take(97);
        while (at(11))
            fits.append(takePoint(11));
    }
    QVector<QPointF> part;
    if (controls.size() >= 2) {
        const int d = std::clamp(degree, 1, int(controls.size()) - 1);
        part = DxfCurves::spline(d, knots, controls, weights);
        if (part.isEmpty())
            part = DxfCurves::spline(d, DxfCurves::uniformKnots(d, controls.size()), controls, {});
    } else {
        part = DxfCurves::throughPoints(fits, false);
    }
    while (at(12) || at(13) || at(22) || at(23))
        ++m_i;
    loop += part;
}

} // namespace Demo
