#include "dxfcollector.h"

#include "acipalette.h"
#include "dxfscanner.h"
#include "dxftext.h"

#include <lineweights.h>

#include <cmath>

namespace Demo {
namespace {

int validLineWeight(int value)
{
    if (value == LineWeightByLayer || value == LineWeightByBlock || value == LineWeightDefault)
        return value;
    return KvCc::standardLineWeights().contains(value) ? value : LineWeightDefault;
}

double degrees(double radians)
{
    return radians * 180.0 / M_PI;
}

} // namespace

DxfCollector::DxfCollector(const DxfScan& scan, const DxfText& text, Drawing& drawing)
    : m_scan(scan), m_text(text), m_drawing(drawing)
{
}

void DxfCollector::addLayer(const DL_LayerData& data)
{
    const QByteArray raw = QByteArray::fromStdString(data.name);
    const QString name = m_text.decode(raw);
    if (name.trimmed().isEmpty()) {
        noteOnce(QStringLiteral("A layer without a name was left out."));
        return;
    }
    if (m_index.contains(name.toLower())) {
        noteOnce(QStringLiteral("Layer \"%1\" appears twice; the first one is kept.").arg(name));
        return;
    }
    const DL_Attributes attr = getAttributes();
    DrawingLayer layer;
    layer.name = name;
    layer.frozen = data.flags & 1;
    layer.frozenInNewViewports = data.flags & 2;
    layer.locked = data.flags & 4;
    // A negative color index is how a drawing marks a layer off.
    layer.on = !data.off && attr.getColor() >= 0;
    const int index = std::abs(attr.getColor());
    layer.colorIndex = (index >= 1 && index <= 255) ? index : 7;
    layer.color = aciColor(layer.colorIndex);
    if (attr.getColor24() >= 0) {
        layer.color = trueColor(attr.getColor24());
        layer.colorIndex = 0;
    }
    const QString linetype = m_text.decode(QByteArray::fromStdString(attr.getLinetype()));
    if (!linetype.isEmpty() && linetype.compare(QLatin1String("BYLAYER"), Qt::CaseInsensitive) != 0)
        layer.linetype = linetype;
    layer.lineWeight = validLineWeight(m_scan.lineWeight.value(raw, LineWeightDefault));
    layer.plottable = m_scan.plottable.value(raw, true);
    layer.description = m_text.decode(m_scan.description.value(raw));
    m_index.insert(name.toLower(), m_drawing.layers.size());
    m_drawing.layers.append(layer);
}

void DxfCollector::addPoint(const DL_PointData& d)
{
    DrawingEntity e = start(DrawingEntity::Point);
    e.points = {QPointF(d.x, d.y)};
    finish(e);
}

void DxfCollector::addLine(const DL_LineData& d)
{
    DrawingEntity e = start(DrawingEntity::Line);
    e.points = {QPointF(d.x1, d.y1), QPointF(d.x2, d.y2)};
    finish(e);
}

void DxfCollector::addArc(const DL_ArcData& d)
{
    DrawingEntity e = start(DrawingEntity::Arc);
    const DxfObjectCoordinates ocs(getExtrusion()->getDirection());
    e.points = {ocs.toPlan(d.cx, d.cy, d.cz)};
    e.radius = std::fabs(d.radius);
    e.startAngle = d.angle1;
    e.endAngle = d.angle2;
    if (!ocs.isIdentity()) {
        // Angles run counter-clockwise in the object's plane; seen from
        // above a mirrored plane they run the other way.
        const QPointF c = e.points.first();
        const double a1 = d.angle1 * M_PI / 180.0, a2 = d.angle2 * M_PI / 180.0;
        const QPointF p1 = ocs.toPlan(d.cx + d.radius * std::cos(a1), d.cy + d.radius * std::sin(a1), d.cz) - c;
        const QPointF p2 = ocs.toPlan(d.cx + d.radius * std::cos(a2), d.cy + d.radius * std::sin(a2), d.cz) - c;
        const double w1 = degrees(std::atan2(p1.y(), p1.x()));
        const double w2 = degrees(std::atan2(p2.y(), p2.x()));
        e.startAngle = ocs.isMirrored() ? w2 : w1;
        e.endAngle = ocs.isMirrored() ? w1 : w2;
    }
    finish(e);
}

void DxfCollector::addCircle(const DL_CircleData& d)
{
    DrawingEntity e = start(DrawingEntity::Circle);
    const DxfObjectCoordinates ocs(getExtrusion()->getDirection());
    e.points = {ocs.toPlan(d.cx, d.cy, d.cz)};
    e.radius = std::fabs(d.radius);
    finish(e);
}

void DxfCollector::addPolyline(const DL_PolylineData& d)
{
    flushPolyline();
    m_polyline = start(DrawingEntity::Polyline);
    m_polyline.closed = d.flags & 1;
    m_inPolyline = true;
    m_polylineOcs = DxfObjectCoordinates(getExtrusion()->getDirection());
    m_polylineElevation = getExtrusion()->getElevation();
    if (!std::isfinite(m_polylineElevation))
        m_polylineElevation = 0;
}

void DxfCollector::addVertex(const DL_VertexData& d)
{
    if (m_inPolyline)
        m_polyline.points.append(m_polylineOcs.toPlan(d.x, d.y, d.z != 0 ? d.z : m_polylineElevation));
}

void DxfCollector::endSequence()
{
    flushPolyline();
}

void DxfCollector::flushPolyline()
{
    if (m_inPolyline && !m_polyline.points.isEmpty())
        finish(m_polyline);
    m_inPolyline = false;
    m_polyline = DrawingEntity();
}

void DxfCollector::addText(const DL_TextData& d)
{
    DrawingEntity e = start(DrawingEntity::Text);
    const DxfObjectCoordinates ocs(getExtrusion()->getDirection());
    const bool aligned = d.hJustification != 0 || d.vJustification != 0;
    e.points = {aligned ? ocs.toPlan(d.apx, d.apy, d.apz) : ocs.toPlan(d.ipx, d.ipy, d.ipz)};
    e.height = d.height;
    e.rotation = degrees(d.angle);
    e.text = DxfText::controlCodes(m_text.decode(QByteArray::fromStdString(d.text)));
    if (d.hJustification == 1 || d.hJustification == 4)
        e.hAlign = DrawingEntity::Center;
    else if (d.hJustification == 2)
        e.hAlign = DrawingEntity::Right;
    // Aligned (3) and fit (5) texts run from their first point.
    if (d.hJustification == 3 || d.hJustification == 5) {
        e.points = {ocs.toPlan(d.ipx, d.ipy, d.ipz)};
    } else if (d.hJustification == 4) {
        e.vAlign = DrawingEntity::Middle;
    } else {
        static const DrawingEntity::VAlign vertical[] = {DrawingEntity::Baseline, DrawingEntity::Bottom,
                                                        DrawingEntity::Middle, DrawingEntity::Top};
        if (d.vJustification >= 0 && d.vJustification <= 3)
            e.vAlign = vertical[d.vJustification];
    }
    finish(e);
}

void DxfCollector::addMText(const DL_MTextData& d)
{
    DrawingEntity e = start(DrawingEntity::Text);
    e.points = {QPointF(d.ipx, d.ipy)};
    e.height = d.height;
    e.rotation = degrees(d.angle);
    if (std::fabs(d.dirx) > 1e-12 || std::fabs(d.diry) > 1e-12)
        e.rotation = degrees(std::atan2(d.diry, d.dirx));
    e.text = DxfText::controlCodes(DxfText::plainMText(m_text.decode(QByteArray::fromStdString(d.text))));
    // Attachment 1..9: top, middle, bottom rows of left, centre, right.
    const int attachment = (d.attachmentPoint >= 1 && d.attachmentPoint <= 9) ? d.attachmentPoint - 1 : 0;
    static const DrawingEntity::VAlign rows[] = {DrawingEntity::Top, DrawingEntity::Middle, DrawingEntity::Bottom};
    e.vAlign = rows[attachment / 3];
    e.hAlign = static_cast<DrawingEntity::HAlign>(attachment % 3);
    finish(e);
}

DrawingEntity DxfCollector::start(DrawingEntity::Kind kind)
{
    if (kind != DrawingEntity::Polyline)
        flushPolyline();
    const DL_Attributes attr = getAttributes();
    DrawingEntity e;
    e.kind = kind;
    e.layer = layerFor(QByteArray::fromStdString(attr.getLayer()));
    if (attr.getColor24() >= 0)
        e.color = trueColor(attr.getColor24());
    else if (attr.getColor() >= 1 && attr.getColor() <= 255)
        e.color = aciColor(attr.getColor());
    return e;
}

void DxfCollector::finish(const DrawingEntity& e)
{
    bool valid = std::isfinite(e.radius) && std::isfinite(e.height) && std::isfinite(e.rotation)
                 && std::isfinite(e.startAngle) && std::isfinite(e.endAngle);
    for (const QPointF& pt : e.points)
        valid = valid && std::isfinite(pt.x()) && std::isfinite(pt.y());
    if (!valid) {
        ++m_drawing.skipped[QStringLiteral("with invalid coordinates")];
        return;
    }
    m_drawing.entities.append(e);
}

int DxfCollector::layerFor(const QByteArray& raw)
{
    const auto cached = m_rawIndex.constFind(raw);
    if (cached != m_rawIndex.constEnd())
        return cached.value();
    QString name = m_text.decode(raw);
    if (name.trimmed().isEmpty())
        name = QStringLiteral("0");
    int index = m_index.value(name.toLower(), -1);
    if (index < 0) {
        // Entities may name a layer the table lacks; CAD programs create it.
        DrawingLayer layer;
        layer.name = name;
        layer.color = aciColor(7);
        index = m_drawing.layers.size();
        m_index.insert(name.toLower(), index);
        m_drawing.layers.append(layer);
        noteOnce(QStringLiteral("Layer \"%1\" is used by entities but missing from the layer table; it was added.").arg(name));
    }
    m_rawIndex.insert(raw, index);
    return index;
}

void DxfCollector::noteOnce(const QString& note)
{
    if (m_drawing.notes.size() < 20 && !m_drawing.notes.contains(note))
        m_drawing.notes.append(note);
}

} // namespace Demo
