#include "dxfentityreader.h"

#include "dxfcurves.h"
#include "dxfmultileader.h"
#include "dxfobjectcoordinates.h"
#include "dxftext.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

double degrees(double radians)
{
    return radians * 180.0 / M_PI;
}

// The extrusion direction of codes 210, 220 and 230.
DxfObjectCoordinates objectCoordinates(const DxfFields& f)
{
    const double n[3] = {f.real(210, 0), f.real(220, 0), f.real(230, 1)};
    return DxfObjectCoordinates(n);
}

QPointF planPoint(const DxfObjectCoordinates& ocs, const DxfFields& f, int xCode)
{
    return ocs.toPlan(f.real(xCode), f.real(xCode + 10), f.real(xCode + 20));
}

// A multiline text drawn top to bottom is meant for scripts set in columns.
// With fonts that have no such forms, the drawings' own stored pictures show
// its paragraphs side by side on one line, not wrapped at its width, and
// their text positions assume that line; so does this.
void runTopToBottom(int drawingDirection, DrawingEntity& e)
{
    if (drawingDirection != 3)
        return;
    e.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    e.wrapWidth = 0;
}

// Every value of a code, in order.
QVector<double> values(const DxfFields& f, int code)
{
    QVector<double> out;
    for (const DxfPair& p : f.pairs()) {
        if (p.code == code)
            out.append(DxfFields::number(p.value, 0));
    }
    return out;
}

// Every point of codes xCode / xCode + 10, in order.
QVector<QPointF> pointList(const DxfFields& f, int xCode)
{
    QVector<QPointF> out;
    for (const DxfPair& p : f.pairs()) {
        if (p.code == xCode)
            out.append(QPointF(DxfFields::number(p.value, 0), 0));
        else if (p.code == xCode + 10 && !out.isEmpty())
            out.last().setY(DxfFields::number(p.value, 0));
    }
    return out;
}

} // namespace

bool DxfEntityReader::line(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Line;
    e.points = {f.point(10), f.point(11)};
    return true;
}

bool DxfEntityReader::point(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Point;
    e.points = {f.point(10)};
    return true;
}

bool DxfEntityReader::circle(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Circle;
    e.points = {planPoint(objectCoordinates(f), f, 10)};
    e.radius = std::fabs(f.real(40));
    return true;
}

bool DxfEntityReader::arc(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Arc;
    const DxfObjectCoordinates ocs = objectCoordinates(f);
    const double cx = f.real(10), cy = f.real(20), cz = f.real(30), r = f.real(40);
    const double a1 = f.real(50), a2 = f.real(51);
    e.points = {ocs.toPlan(cx, cy, cz)};
    e.radius = std::fabs(r);
    e.startAngle = a1;
    e.endAngle = a2;
    if (!ocs.isIdentity()) {
        // Angles run counter-clockwise in the object's plane; seen from
        // above a mirrored plane they run the other way.
        const QPointF c = e.points.first();
        const double r1 = a1 * M_PI / 180.0, r2 = a2 * M_PI / 180.0;
        const QPointF p1 = ocs.toPlan(cx + r * std::cos(r1), cy + r * std::sin(r1), cz) - c;
        const QPointF p2 = ocs.toPlan(cx + r * std::cos(r2), cy + r * std::sin(r2), cz) - c;
        const double w1 = degrees(std::atan2(p1.y(), p1.x()));
        const double w2 = degrees(std::atan2(p2.y(), p2.x()));
        e.startAngle = ocs.isMirrored() ? w2 : w1;
        e.endAngle = ocs.isMirrored() ? w1 : w2;
    }
    return true;
}

bool DxfEntityReader::ellipse(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Polyline;
    const QPointF major = f.point(11);
    const double ratio = f.real(40, 1);
    if (std::hypot(major.x(), major.y()) < 1e-12 || ratio <= 0 || ratio > 1e6)
        return false;
    // The minor axis is the extrusion direction crossed with the major axis.
    const double nz = f.real(230, 1) < 0 ? -1 : 1;
    const QPointF minor = QPointF(-major.y(), major.x()) * (ratio * nz);
    DxfCurves::appendEllipse(e.points, f.point(10), major, minor, f.real(41, 0), f.real(42, 2 * M_PI));
    return e.points.size() > 1;
}

bool DxfEntityReader::lightPolyline(const DxfFields& f, DrawingEntity& e, QVector<DrawingEntity>& thin) const
{
    e.kind = DrawingEntity::Polyline;
    e.closed = f.integer(70) & 1;
    QVector<QPointF> vertices;
    QVector<double> bulges;
    QVector<QPointF> widths; // start and end width of each vertex's segment
    const double constant = std::fabs(f.real(43));
    for (const DxfPair& p : f.pairs()) {
        const double value = DxfFields::number(p.value, 0);
        if (p.code == 10) {
            vertices.append(QPointF(value, 0));
            bulges.append(0);
            widths.append(QPointF(constant, constant));
        } else if (p.code == 20 && !vertices.isEmpty()) {
            vertices.last().setY(value);
        } else if (p.code == 42 && !bulges.isEmpty()) {
            bulges.last() = value;
        } else if ((p.code == 40 || p.code == 41) && !widths.isEmpty()) {
            (p.code == 40 ? widths.last().rx() : widths.last().ry()) = std::fabs(value);
        }
    }
    if (vertices.isEmpty())
        return false;
    polylineShape(vertices, bulges, widths, objectCoordinates(f), f.real(38), e, thin);
    return true;
}

void DxfEntityReader::polylineShape(const QVector<QPointF>& vertices, const QVector<double>& bulges,
                                    const QVector<QPointF>& widths, const DxfObjectCoordinates& ocs, double elevation,
                                    DrawingEntity& e, QVector<DrawingEntity>& thin)
{
    const int steps = DxfCurves::stepsPerSegment(vertices.size());
    const DxfCurves::WidthRuns runs = DxfCurves::widthRuns(vertices, bulges, widths, e.closed, steps);
    const auto toPlan = [&](const QVector<QPointF>& path) {
        QVector<QPointF> out;
        out.reserve(path.size());
        for (const QPointF& p : path)
            out.append(ocs.toPlan(p.x(), p.y(), elevation));
        return out;
    };
    if (runs.bands.isEmpty()) {
        e.kind = DrawingEntity::Polyline;
        e.points = toPlan(DxfCurves::bulgedPath(vertices, bulges, e.closed, steps));
        return;
    }
    // The wide segments are drawn as the area their width covers, the thin
    // ones between them as lines.
    DrawingEntity line = e;
    line.kind = DrawingEntity::Polyline;
    line.closed = false;
    for (const QVector<QPointF>& path : runs.lines) {
        line.points = toPlan(path);
        thin.append(line);
    }
    e.kind = DrawingEntity::Fill;
    e.points = toPlan(runs.bands);
    e.loops = runs.lines.isEmpty() ? QVector<int>() : runs.loops;
}

bool DxfEntityReader::text(const DxfFields& f, DrawingEntity& e) const
{
    return singleLineText(f, 73, e);
}

bool DxfEntityReader::attribute(const DxfFields& f, DrawingEntity& e) const
{
    return !(f.integer(70) & 1) && singleLineText(f, 74, e);
}

// TEXT and ATTRIB differ only in the code of their vertical alignment.
bool DxfEntityReader::singleLineText(const DxfFields& f, int verticalCode, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Text;
    e.height = f.real(40);
    e.rotation = f.real(50);
    const double widthFactor = f.real(41, 1);
    if (widthFactor > 0 && widthFactor < 100)
        e.scale.setX(widthFactor);
    e.text = DxfText::controlCodes(m_text.decode(f.text(1)));
    textAlignment(f, verticalCode, e);
    return !e.text.isEmpty();
}

// Where a single-line text sits: the first point, or the second when the
// text is aligned other than left on its baseline.
void DxfEntityReader::textAlignment(const DxfFields& f, int verticalCode, DrawingEntity& e) const
{
    const DxfObjectCoordinates ocs = objectCoordinates(f);
    const int h = f.integer(72), v = f.integer(verticalCode);
    const bool aligned = (h != 0 || v != 0) && f.has(11);
    e.points = {planPoint(ocs, f, aligned ? 11 : 10)};
    if (h == 1 || h == 4)
        e.hAlign = DrawingEntity::Center;
    else if (h == 2)
        e.hAlign = DrawingEntity::Right;
    // Aligned (3) and fit (5) texts run from their first point to their
    // second, along the line between them.
    if ((h == 3 || h == 5) && aligned) {
        e.points = {planPoint(ocs, f, 10), planPoint(ocs, f, 11)};
        const QPointF run = e.points.at(1) - e.points.at(0);
        e.hAlign = h == 3 ? DrawingEntity::Aligned : DrawingEntity::Fit;
        if (!run.isNull())
            e.rotation = degrees(std::atan2(run.y(), run.x()));
    } else if (h == 3 || h == 5) {
        e.points = {planPoint(ocs, f, 10)};
    } else if (h == 4) {
        e.vAlign = DrawingEntity::Middle;
    } else {
        static const DrawingEntity::VAlign vertical[] = {DrawingEntity::Baseline, DrawingEntity::Bottom,
                                                        DrawingEntity::Middle, DrawingEntity::Top};
        if (v >= 0 && v <= 3)
            e.vAlign = vertical[v];
    }
}

bool DxfEntityReader::multiText(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Text;
    e.points = {f.point(10)};
    e.height = f.real(40);
    e.rotation = f.real(50);
    e.wrapWidth = std::max(0.0, f.real(41));
    const QPointF direction = f.point(11);
    if (std::fabs(direction.x()) > 1e-12 || std::fabs(direction.y()) > 1e-12)
        e.rotation = degrees(std::atan2(direction.y(), direction.x()));
    // The text comes in chunks of 250 characters (code 3) before the last (code 1).
    QByteArray raw;
    for (const DxfPair& p : f.pairs()) {
        if (p.code == 3)
            raw += p.value;
    }
    raw += f.text(1);
    e.text = DxfText::controlCodes(DxfText::plainMText(m_text.decode(raw)));
    runTopToBottom(f.integer(72, 1), e);
    attach(f.integer(71, 1), e);
    return !e.text.isEmpty();
}

// Attachment 1..9: top, middle, bottom rows of left, centre, right.
void DxfEntityReader::attach(int attachment, DrawingEntity& e)
{
    const int index = (attachment >= 1 && attachment <= 9) ? attachment - 1 : 0;
    static const DrawingEntity::VAlign rows[] = {DrawingEntity::Top, DrawingEntity::Middle, DrawingEntity::Bottom};
    e.vAlign = rows[index / 3];
    e.hAlign = static_cast<DrawingEntity::HAlign>(index % 3);
}

QString DxfEntityReader::blockName(const DxfFields& f) const
{
    return m_text.decode(f.text(2));
}

bool DxfEntityReader::insert(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Insert;
    const DxfObjectCoordinates ocs = objectCoordinates(f);
    e.points = {planPoint(ocs, f, 10)};
    e.scale = QPointF(f.real(41, 1), f.real(42, 1));
    e.rotation = f.real(50);
    e.columns = std::max(1, f.integer(70, 1));
    e.rows = std::max(1, f.integer(71, 1));
    e.spacing = QPointF(f.real(44), f.real(45));
    if (ocs.isMirrored()) {
        // Seen from above, a block placed in a plane facing down is mirrored in x.
        e.rotation = -e.rotation;
        e.scale.setX(-e.scale.x());
    }
    return true;
}

bool DxfEntityReader::solid(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Fill;
    const DxfObjectCoordinates ocs = objectCoordinates(f);
    const int last = f.has(13) ? 13 : 12;
    e.points = {planPoint(ocs, f, 10), planPoint(ocs, f, 11), planPoint(ocs, f, last), planPoint(ocs, f, 12)};
    return true;
}

bool DxfEntityReader::face(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Polyline;
    e.closed = true;
    e.points = {f.point(10), f.point(11), f.point(12), f.has(13) ? f.point(13) : f.point(12)};
    return true;
}

bool DxfEntityReader::leader(const DxfFields& f, DrawingEntity& e, DrawingEntity& arrow) const
{
    e.kind = DrawingEntity::Polyline;
    e.points = pointList(f, 10);
    if (e.points.size() < 2)
        return false;
    if (f.integer(73) == 1)
        e.points = DxfCurves::throughPoints(e.points, false);
    if (f.integer(71, 1) == 0)
        return true;
    // An arrowhead a fifth of the first segment long, at most 2.5 units.
    const QPointF tip = e.points.at(0), next = e.points.at(1);
    const double length = std::hypot(next.x() - tip.x(), next.y() - tip.y());
    arrow = arrowhead(arrow, tip, next, std::min(length / 5, 2.5));
    return true;
}

// A filled arrowhead at tip pointing away from toward; no points when the two meet.
DrawingEntity DxfEntityReader::arrowhead(const DrawingEntity& base, const QPointF& tip, const QPointF& toward, double size)
{
    DrawingEntity arrow = base;
    arrow.kind = DrawingEntity::Fill;
    arrow.points.clear();
    const double length = std::hypot(toward.x() - tip.x(), toward.y() - tip.y());
    if (length < 1e-12 || !(size > 0))
        return arrow;
    const QPointF dir = (toward - tip) / length;
    const QPointF back = tip + dir * size, side(-dir.y() * size / 6, dir.x() * size / 6);
    arrow.points = {tip, back + side, back - side};
    return arrow;
}

bool DxfEntityReader::multiLeader(const DxfFields& f, const DrawingEntity& base, QVector<DrawingEntity>& out) const
{
    const DxfMultiLeader leader(f.pairs());
    for (const QVector<QPointF>& line : leader.lines) {
        DrawingEntity polyline = base;
        polyline.kind = DrawingEntity::Polyline;
        polyline.points = line;
        out << arrowhead(base, line.at(0), line.at(1), leader.arrowSize) << polyline;
    }
    DrawingEntity text = base;
    text.kind = DrawingEntity::Text;
    text.text = DxfText::controlCodes(DxfText::plainMText(m_text.decode(leader.text)));
    if (!text.text.isEmpty()) {
        if (leader.textHeight >= 0)
            text.height = leader.textHeight;
        text.points = {leader.textAt};
        text.wrapWidth = std::max(0.0, leader.textWidth);
        runTopToBottom(leader.drawingDirection, text);
        text.frameGap = leader.framed ? std::max(0.0, leader.landingGap) : -1.0;
        if (!leader.textDirection.isNull())
            text.rotation = degrees(std::atan2(leader.textDirection.y(), leader.textDirection.x()));
        attach(leader.attachment, text);
        out << text;
    }
    return !out.isEmpty();
}

bool DxfEntityReader::spline(const DxfFields& f, DrawingEntity& e) const
{
    e.kind = DrawingEntity::Polyline;
    const int flags = f.integer(70);
    const int degree = f.integer(71, 3);
    const QVector<QPointF> controls = pointList(f, 10);
    QVector<double> knots = values(f, 40);
    if (controls.size() >= 2) {
        const int d = std::clamp(degree, 1, int(controls.size()) - 1);
        if (d != degree || knots.size() != controls.size() + d + 1)
            knots = DxfCurves::uniformKnots(d, controls.size());
        e.points = DxfCurves::spline(d, knots, controls, (flags & 4) ? values(f, 41) : QVector<double>());
        if (e.points.isEmpty())
            e.points = DxfCurves::spline(d, DxfCurves::uniformKnots(d, controls.size()), controls, {});
    } else {
        // The tangents at the ends are given, or else (0, 0): estimated.
        e.points = DxfCurves::fitPointSpline(pointList(f, 11), f.point(12), f.point(13), flags & 1);
    }
    return e.points.size() >= 2;
}

} // namespace Demo
