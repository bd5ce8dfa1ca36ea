#include "dxfcurves.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace Demo {
namespace {

// Points for an angle: one every 5.6 degrees, at least two.
int stepsFor(double angle)
{
    return std::clamp(static_cast<int>(std::ceil(std::fabs(angle) / (M_PI / 32))), 2, 64);
}

// The points of a segment moved to its left and right by half its width,
// which runs from widths.x() at its start to widths.y() at its end.
void offsetSides(const QVector<QPointF>& part, const QPointF& widths, QVector<QPointF>& left, QVector<QPointF>& right)
{
    const int k = part.size();
    for (int j = 0; j < k; ++j) {
        // The direction at a point from its neighbours on the segment.
        const QPointF along = part.at(std::min(j + 1, k - 1)) - part.at(std::max(j - 1, 0));
        const double length = std::hypot(along.x(), along.y());
        if (length <= 0)
            continue;
        const double half = (widths.x() + (widths.y() - widths.x()) * j / (k - 1)) / 2;
        const QPointF side(-along.y() / length * half, along.x() / length * half);
        left.append(part.at(j) + side);
        right.append(part.at(j) - side);
    }
}

// Moves the end of side a and the start of side b to where their lines
// cross, unless they run (nearly) straight on or cross far away.
void miter(QVector<QPointF>& a, QVector<QPointF>& b)
{
    if (a.size() < 2 || b.size() < 2)
        return;
    const QPointF p = a.at(a.size() - 2), r = a.last() - p;
    const QPointF q = b.at(0), u = b.at(1) - q;
    const double denominator = r.x() * u.y() - r.y() * u.x();
    const double gap = std::hypot(a.last().x() - q.x(), a.last().y() - q.y());
    if (std::fabs(denominator) < 1e-12 * std::hypot(r.x(), r.y()) * std::hypot(u.x(), u.y()) || gap <= 0)
        return;
    const QPointF w = q - p;
    const QPointF cross = p + r * ((w.x() * u.y() - w.y() * u.x()) / denominator);
    if (std::hypot(cross.x() - a.last().x(), cross.y() - a.last().y()) > 4 * gap)
        return;
    a.last() = cross;
    b.first() = cross;
}

// Whether a segment of these start and end widths is drawn as an area.
bool wideSegment(const QPointF& w)
{
    return std::max(w.x(), w.y()) > 0 && std::isfinite(w.x() + w.y());
}

} // namespace

int DxfCurves::stepsPerSegment(int vertices)
{
    return std::clamp(65536 / std::max(vertices, 1), 2, 64);
}

void DxfCurves::appendBulge(QVector<QPointF>& out, const QPointF& a, const QPointF& b, double bulge, int steps)
{
    const double chord = std::hypot(b.x() - a.x(), b.y() - a.y());
    if (std::fabs(bulge) < 1e-9 || chord < 1e-12 || !std::isfinite(bulge)) {
        out.append(b);
        return;
    }
    const double angle = 4 * std::atan(bulge);
    const double radius = chord / (2 * std::sin(std::fabs(angle) / 2));
    // The centre lies off the chord's middle, to the left for a positive bulge.
    const QPointF mid = (a + b) / 2;
    const QPointF dir((b.x() - a.x()) / chord, (b.y() - a.y()) / chord);
    const double offset = radius * std::cos(angle / 2) * (bulge > 0 ? 1 : -1);
    const QPointF center = mid + QPointF(-dir.y(), dir.x()) * offset;
    const double start = std::atan2(a.y() - center.y(), a.x() - center.x());
    const int count = std::min(stepsFor(angle), std::max(steps, 2));
    for (int i = 1; i < count; ++i) {
        const double t = start + angle * i / count;
        out.append(center + QPointF(std::cos(t), std::sin(t)) * radius);
    }
    out.append(b);
}

QVector<QPointF> DxfCurves::bulgedPath(const QVector<QPointF>& vertices, const QVector<double>& bulges, bool closed,
                                       int steps)
{
    QVector<QPointF> path = {vertices.first()};
    for (int i = 1; i < vertices.size(); ++i)
        appendBulge(path, vertices.at(i - 1), vertices.at(i), bulges.at(i - 1), steps);
    if (closed && vertices.size() > 2 && std::fabs(bulges.last()) > 1e-9) {
        appendBulge(path, vertices.last(), vertices.first(), bulges.last(), steps);
        path.removeLast();
    }
    return path;
}

bool DxfCurves::isWide(const QVector<QPointF>& widths, bool closed)
{
    const int segments = closed ? widths.size() : widths.size() - 1;
    for (int i = 0; i < segments; ++i) {
        if (!wideSegment(widths.at(i)))
            return false;
    }
    return segments > 0;
}

QVector<QPointF> DxfCurves::wideOutline(const QVector<QPointF>& vertices, const QVector<double>& bulges,
                                        const QVector<QPointF>& widths, bool closed, int steps)
{
    const int n = vertices.size();
    const int segments = closed ? n : n - 1;
    QVector<QVector<QPointF>> left(segments), right(segments);
    for (int i = 0; i < segments; ++i) {
        QVector<QPointF> part = {vertices.at(i)};
        appendBulge(part, vertices.at(i), vertices.at((i + 1) % n), bulges.at(i), steps);
        offsetSides(part, widths.at(i), left[i], right[i]);
    }
    // Neighbouring segments meet in a mitre, as drawing programs join them.
    for (int i = 0; i + 1 < segments || (closed && i < segments); ++i) {
        miter(left[i], left[(i + 1) % segments]);
        miter(right[i], right[(i + 1) % segments]);
    }
    QVector<QPointF> out;
    for (const QVector<QPointF>& side : left)
        out += side;
    for (int i = segments - 1; i >= 0; --i)
        std::copy(right.at(i).crbegin(), right.at(i).crend(), std::back_inserter(out));
    return out;
}

DxfCurves::WidthRuns DxfCurves::widthRuns(const QVector<QPointF>& vertices, const QVector<double>& bulges,
                                          const QVector<QPointF>& widths, bool closed, int steps)
{
    WidthRuns out;
    const int n = vertices.size(), segments = closed ? n : n - 1;
    if (segments < 1 || std::none_of(widths.cbegin(), widths.cbegin() + segments, wideSegment))
        return out;
    if (isWide(widths, closed)) {
        out.bands = wideOutline(vertices, bulges, widths, closed, steps);
        out.loops = {int(out.bands.size())};
        return out;
    }
    // A closed polyline's runs start where its width changes, so none wraps round.
    int start = 0;
    while (closed && wideSegment(widths.at(start)) == wideSegment(widths.at((start + segments - 1) % segments)))
        ++start;
    for (int k = 0; k < segments;) {
        const bool wide = wideSegment(widths.at((start + k) % segments));
        QVector<QPointF> runVertices = {vertices.at((start + k) % segments)};
        QVector<double> runBulges;
        QVector<QPointF> runWidths;
        for (; k < segments && wideSegment(widths.at((start + k) % segments)) == wide; ++k) {
            const int i = (start + k) % segments;
            runVertices.append(vertices.at((i + 1) % n));
            runBulges.append(bulges.at(i));
            runWidths.append(widths.at(i));
        }
        runBulges.append(0);
        runWidths.append(QPointF());
        if (wide) {
            const QVector<QPointF> band = wideOutline(runVertices, runBulges, runWidths, false, steps);
            out.bands += band;
            out.loops.append(band.size());
        } else {
            out.lines.append(bulgedPath(runVertices, runBulges, false, steps));
        }
    }
    return out;
}

void DxfCurves::appendArc(QVector<QPointF>& out, const QPointF& center, double radius, double start, double end)
{
    double span = end - start;
    while (span <= 0)
        span += 2 * M_PI;
    appendEllipse(out, center, QPointF(radius, 0), QPointF(0, radius), start, start + span);
}

void DxfCurves::appendEllipse(QVector<QPointF>& out, const QPointF& c, const QPointF& major, const QPointF& minor,
                              double start, double end)
{
    if (!std::isfinite(start) || !std::isfinite(end))
        return;
    double span = end - start;
    if (span <= 0 || span > 2 * M_PI)
        span = std::fmod(span, 2 * M_PI) + (span <= 0 ? 2 * M_PI : 0);
    if (span < 1e-9)
        span = 2 * M_PI;
    const int steps = stepsFor(span) * 2;
    for (int i = 0; i <= steps; ++i) {
        const double t = start + span * i / steps;
        out.append(c + major * std::cos(t) + minor * std::sin(t));
    }
}

QVector<double> DxfCurves::uniformKnots(int degree, int count)
{
    QVector<double> knots;
    const int inner = count - degree - 1;
    for (int i = 0; i <= degree; ++i)
        knots.append(0);
    for (int i = 1; i <= inner; ++i)
        knots.append(double(i) / (inner + 1));
    for (int i = 0; i <= degree; ++i)
        knots.append(1);
    return knots;
}

QVector<QPointF> DxfCurves::spline(int degree, const QVector<double>& knots, const QVector<QPointF>& controls,
                                   const QVector<double>& weights)
{
    const int n = controls.size();
    if (degree < 1 || degree > 11 || n < degree + 1 || knots.size() != n + degree + 1)
        return {};
    for (int i = 1; i < knots.size(); ++i) {
        if (!std::isfinite(knots.at(i)) || knots.at(i) < knots.at(i - 1))
            return {};
    }
    const double lo = knots.at(degree), hi = knots.at(n);
    if (!(hi > lo))
        return {};
    const bool rational = weights.size() == n;
    const int samples = std::clamp(n * 8, 16, maxPoints);
    QVector<QPointF> out;
    out.reserve(samples + 1);
    double p[12][3];
    int span = degree;
    for (int s = 0; s <= samples; ++s) {
        const double t = lo + (hi - lo) * s / samples;
        while (span < n - 1 && t >= knots.at(span + 1))
            ++span;
        for (int j = 0; j <= degree; ++j) {
            const int i = span - degree + j;
            const double w = rational && weights.at(i) > 0 ? weights.at(i) : 1.0;
            p[j][0] = controls.at(i).x() * w;
            p[j][1] = controls.at(i).y() * w;
            p[j][2] = w;
        }
        for (int r = 1; r <= degree; ++r) {
            for (int j = degree; j >= r; --j) {
                const int i = span - degree + j;
                const double d = knots.at(i + degree - r + 1) - knots.at(i);
                const double a = d > 0 ? (t - knots.at(i)) / d : 0;
                for (int k = 0; k < 3; ++k)
                    p[j][k] = (1 - a) * p[j - 1][k] + a * p[j][k];
            }
        }
        if (p[degree][2] != 0)
            out.append(QPointF(p[degree][0] / p[degree][2], p[degree][1] / p[degree][2]));
    }
    return out;
}

QVector<QPointF> DxfCurves::throughPoints(const QVector<QPointF>& points, bool closed)
{
    const int n = points.size();
    if (n < 3)
        return points;
    const int segments = closed ? n : n - 1;
    const int per = std::clamp(maxPoints / segments, 1, 16);
    QVector<QPointF> out;
    const auto at = [&](int i) {
        if (closed)
            return points.at(((i % n) + n) % n);
        return points.at(std::clamp(i, 0, n - 1));
    };
    out.append(points.first());
    for (int i = 0; i < segments; ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int k = 1; k <= per; ++k) {
            const double t = double(k) / per, t2 = t * t, t3 = t2 * t;
            out.append(0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2
                              + (-p0 + 3 * p1 - 3 * p2 + p3) * t3));
        }
    }
    return out;
}

namespace {

double cross(const QPointF& a, const QPointF& b)
{
    return a.x() * b.y() - a.y() * b.x();
}

// The direction at an end of a run of points by the five-point rule:
// chords q0..q3 nearest the end, the outer ones extended past it.
QPointF endDirection(const QPointF& q0, const QPointF& q1, const QPointF& q2, const QPointF& q3)
{
    const double v1 = std::fabs(cross(q0, q1)), v2 = std::fabs(cross(q2, q3));
    const double alpha = v1 + v2 > 0 ? v1 / (v1 + v2) : 0.5;
    return (1 - alpha) * q1 + alpha * q2;
}

QPointF scaledTo(const QPointF& v, double length)
{
    const double norm = std::hypot(v.x(), v.y());
    return norm > 0 ? v * (length / norm) : QPointF();
}

// Slopes at the points (per unit of the parameter) of the cubic spline
// through points h apart in the parameter with chord slopes d, clamped to
// the slopes given at the ends: its tridiagonal system, solved by elimination.
QVector<QPointF> clampedSlopes(const QVector<double>& h, const QVector<QPointF>& d, const QPointF& start,
                               const QPointF& end)
{
    const int n = h.size() + 1;
    QVector<QPointF> m(n), rhs(n);
    QVector<double> diag(n, 1.0), upper(n, 0.0), lower(n, 0.0);
    rhs[0] = start;
    rhs[n - 1] = end;
    for (int i = 1; i + 1 < n; ++i) {
        lower[i] = h.at(i);
        diag[i] = 2 * (h.at(i - 1) + h.at(i));
        upper[i] = h.at(i - 1);
        rhs[i] = 3 * (h.at(i) * d.at(i - 1) + h.at(i - 1) * d.at(i));
    }
    for (int i = 1; i < n; ++i) {
        const double factor = lower.at(i) / diag.at(i - 1);
        diag[i] -= factor * upper.at(i - 1);
        rhs[i] -= factor * rhs.at(i - 1);
    }
    m[n - 1] = rhs.at(n - 1) / diag.at(n - 1);
    for (int i = n - 2; i >= 0; --i)
        m[i] = (rhs.at(i) - upper.at(i) * m.at(i + 1)) / diag.at(i);
    return m;
}

} // namespace

QVector<QPointF> DxfCurves::fitPointSpline(QVector<QPointF> points, QPointF startTangent, QPointF endTangent,
                                           bool closed)
{
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (closed && points.size() > 2 && points.first() != points.last())
        points.append(points.first());
    const int n = points.size();
    if (n < 3)
        return points;
    QVector<double> h(n - 1);
    double total = 0;
    for (int i = 0; i + 1 < n; ++i)
        total += h[i] = std::hypot(points.at(i + 1).x() - points.at(i).x(), points.at(i + 1).y() - points.at(i).y());
    QVector<QPointF> d(n - 1);
    for (int i = 0; i + 1 < n; ++i) {
        h[i] /= total;
        d[i] = (points.at(i + 1) - points.at(i)) / h.at(i);
    }
    const QPointF first = points.at(1) - points.at(0), second = points.at(2) - points.at(1);
    const QPointF last = points.at(n - 1) - points.at(n - 2), before = points.at(n - 2) - points.at(n - 3);
    if (closed) {
        startTangent = endTangent = first + last;
    } else {
        const QPointF q0 = 2 * first - second, q4 = 2 * last - before;
        if (startTangent.isNull())
            startTangent = endDirection(2 * q0 - first, q0, first, second);
        if (endTangent.isNull())
            endTangent = endDirection(before, last, q4, 2 * q4 - last);
    }
    const QVector<QPointF> m = clampedSlopes(h, d, scaledTo(startTangent, total), scaledTo(endTangent, total));
    const int per = std::clamp(maxPoints / (n - 1), 1, 16);
    QVector<QPointF> out = {points.first()};
    for (int i = 0; i + 1 < n; ++i) {
        for (int k = 1; k <= per; ++k) {
            // Hermite form of the segment, with slopes scaled to its length.
            const double t = double(k) / per, t2 = t * t, t3 = t2 * t;
            out.append((2 * t3 - 3 * t2 + 1) * points.at(i) + (t3 - 2 * t2 + t) * h.at(i) * m.at(i)
                       + (-2 * t3 + 3 * t2) * points.at(i + 1) + (t3 - t2) * h.at(i) * m.at(i + 1));
        }
    }
    return out;
}

} // namespace Demo
