#pragma once

#include <QPointF>
#include <QVector>

namespace Demo {

// Turns the curves of a drawing into points along them, finely enough for
// the screen and never more than a fixed number per curve, whatever a
// file asks for.
class DxfCurves
{
public:
    static constexpr int maxPoints = 2048;

    // Appends the points after a up to b of a polyline segment with a bulge
    // (the tangent of a quarter of its arc's angle; 0 is straight), at most
    // steps of them.
    static void appendBulge(QVector<QPointF>& out, const QPointF& a, const QPointF& b, double bulge, int steps = 64);
    // The points along a polyline of vertices and bulges, closed back to
    // the first vertex when closed.
    static QVector<QPointF> bulgedPath(const QVector<QPointF>& vertices, const QVector<double>& bulges, bool closed,
                                       int steps);
    // Whether every segment of a polyline has a width (x start, y end, per
    // vertex): then it is drawn as the area it covers.
    static bool isWide(const QVector<QPointF>& widths, bool closed);
    // The outline of a polyline drawn wide: each segment, bulged as it is,
    // offset to both sides by half its width, which runs from the start
    // width (x of widths) at its first vertex to the end width (y) at the next.
    static QVector<QPointF> wideOutline(const QVector<QPointF>& vertices, const QVector<double>& bulges,
                                        const QVector<QPointF>& widths, bool closed, int steps);
    // A polyline some of whose segments are wide, split by width: the
    // outline of each run of wide segments (loops their sizes) and the path
    // of each run of thin ones. Empty when no segment is wide; a closed
    // polyline wide all round is one outline, mitred where it closes.
    struct WidthRuns
    {
        QVector<QPointF> bands;
        QVector<int> loops;
        QVector<QVector<QPointF>> lines;
    };
    static WidthRuns widthRuns(const QVector<QPointF>& vertices, const QVector<double>& bulges,
                               const QVector<QPointF>& widths, bool closed, int steps);
    // Points for each bulged segment of a polyline of that many vertices,
    // so that no polyline grows past a bound however many it has.
    static int stepsPerSegment(int vertices);
    // An arc from start to end (radians), counter-clockwise, start included.
    static void appendArc(QVector<QPointF>& out, const QPointF& center, double radius, double start, double end);
    // An elliptical arc c + cos(t) major + sin(t) minor for t from start to end.
    static void appendEllipse(QVector<QPointF>& out, const QPointF& c, const QPointF& major, const QPointF& minor,
                              double start, double end);
    // A B-spline of the degree through its control points (weights may be
    // empty), evaluated by de Boor's rule; empty when the knots cannot serve.
    static QVector<QPointF> spline(int degree, const QVector<double>& knots, const QVector<QPointF>& controls,
                                   const QVector<double>& weights);
    // Clamped uniform knots for count control points of the degree.
    static QVector<double> uniformKnots(int degree, int count);
    // A smooth curve through the points (Catmull-Rom).
    static QVector<QPointF> throughPoints(const QVector<QPointF>& points, bool closed);
    // The spline a SPLINE of fit points alone stands for: the cubic through
    // them, twice continuously differentiable, parametrized by chord length,
    // leaving the first point along startTangent and reaching the last along
    // endTangent. A null tangent is estimated from the five nearest points.
    static QVector<QPointF> fitPointSpline(QVector<QPointF> points, QPointF startTangent, QPointF endTangent,
                                           bool closed);
};

} // namespace Demo
