#include "dxfcollector.h"

#include "acipalette.h"
#include "dxfblocklinker.h"
#include "dxfcurves.h"
#include "dxfhatchreader.h"
#include "dxfimport.h"
#include "dxfobjectcoordinates.h"
#include "dxfscanner.h"
#include "dxftext.h"

#include <dl_dxf.h>

#include <QSet>

#include <cmath>
#include <sstream>

namespace Demo {
namespace {

int validLineWeight(int value)
{
    if (value == LineWeightByLayer || value == LineWeightByBlock || value == LineWeightDefault)
        return value;
    return isStandardLineWeight(value) ? value : LineWeightDefault;
}

// Parts of a sequence and the templates of block attributes are objects of
// their owner, not of their own.
bool isCounted(const QByteArray& type)
{
    return type != "VERTEX" && type != "SEQEND" && type != "ATTRIB";
}

// Whether every number of the entity is one a screen can take.
bool isFinite(const DrawingEntity& e)
{
    bool valid = std::isfinite(e.radius) && std::isfinite(e.height) && std::isfinite(e.rotation)
                 && std::isfinite(e.startAngle) && std::isfinite(e.endAngle);
    for (const QPointF& pt : e.points)
        valid = valid && std::isfinite(pt.x()) && std::isfinite(pt.y());
    return valid;
}

} // namespace

DxfCollector::DxfCollector(const DxfScan& scan, Drawing& drawing, bool countOnly)
    : m_scan(scan), m_text(QByteArray(), QByteArray()), m_reader(m_text), m_drawing(drawing),
      m_target(&drawing.entities), m_countOnly(countOnly)
{
}

void DxfCollector::layerTable(const QByteArray& cleaned)
{
    m_text = DxfText(m_scan.version, m_scan.codePage);
    try {
        DL_Dxf dxf;
        std::istringstream stream(cleaned.toStdString());
        if (!dxf.in(stream, this))
            m_error = QStringLiteral("The drawing could not be parsed.");
    } catch (const std::exception& e) {
        m_error = QStringLiteral("The drawing could not be parsed (%1).").arg(QString::fromLocal8Bit(e.what()));
    }
    // Every drawing has a layer "0"; one that lacks it gets it first.
    if (!m_index.contains(QStringLiteral("0"))) {
        DrawingLayer zero;
        zero.name = QStringLiteral("0");
        m_drawing.layers.prepend(zero);
        for (int& index : m_index)
            ++index;
        m_index.insert(QStringLiteral("0"), 0);
    }
    m_drawing.layerObjects.resize(m_drawing.layers.size());
}

void DxfCollector::addLayer(const DL_LayerData& data)
{
    const QByteArray raw = QByteArray::fromStdString(data.name);
    const QString name = m_text.decode(raw);
    if (name.trimmed().isEmpty()) {
        m_drawing.noteOnce(QStringLiteral("A layer without a name was left out."));
        return;
    }
    if (m_index.contains(layerKey(name))) {
        m_drawing.noteOnce(QStringLiteral("Layer \"%1\" appears twice; the first one is kept.").arg(name));
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
    // Thousands of layers name a few linetypes: they share one copy of each name.
    if (!linetype.isEmpty() && linetype.compare(QLatin1String("BYLAYER"), Qt::CaseInsensitive) != 0)
        layer.linetype = *m_linetypeNames.insert(linetype);
    layer.lineWeight = validLineWeight(m_scan.lineWeight.value(raw, LineWeightDefault));
    layer.plottable = m_scan.plottable.value(raw, true);
    layer.description = m_text.decode(m_scan.description.value(raw));
    m_index.insert(layerKey(name), m_drawing.layers.size());
    m_drawing.layers.append(layer);
}

void DxfCollector::beginBlock(const QVector<DxfPair>& body)
{
    flushSequence();
    const DxfFields f(body);
    DrawingBlock block;
    block.name = m_text.decode(f.text(2));
    block.base = f.point(10);
    m_paperSpace = block.name.startsWith(QLatin1String("*paper_space"), Qt::CaseInsensitive);
    const QString key = block.name.toLower();
    if (m_drawing.blockNames.contains(key)) {
        m_drawing.noteOnce(QStringLiteral("Block \"%1\" is defined twice; the first one is kept.").arg(block.name));
    } else {
        m_drawing.blockNames.insert(key, m_drawing.blocks.size());
    }
    m_drawing.blocks.append(block);
    m_target = &m_drawing.blocks.last().entities;
    m_inBlock = true;
}

void DxfCollector::endBlock()
{
    flushSequence();
    m_target = &m_drawing.entities;
    m_paperSpace = false;
    m_inBlock = false;
}

void DxfCollector::entity(const QByteArray& type, const QVector<DxfPair>& body)
{
    const DxfFields f(body);
    if (m_countOnly) {
        if (isCounted(type))
            countObject(type, layerFor(f.text(8)));
        return;
    }
    if (m_inSequence) {
        if (type == "VERTEX" && m_sequence.kind == DrawingEntity::Polyline) {
            m_sequence.points.append(QPointF(f.real(10), f.real(20)));
            m_bulges.append(f.real(42));
            m_widths.append(QPointF(std::fabs(f.real(40, m_defaultWidths.x())), std::fabs(f.real(41, m_defaultWidths.y()))));
            return;
        }
        if (type == "ATTRIB" && m_sequence.kind == DrawingEntity::Insert) {
            DrawingEntity text = start(f);
            if (m_reader.attribute(f, text) && isFinite(text))
                m_sequence.attributes.push_back(text);
            return;
        }
        flushSequence();
        if (type == "SEQEND")
            return;
    }
    if (!isCounted(type))
        return;
    DrawingEntity e = start(f);
    countObject(type, e.layer);
    if (m_paperSpace || (!m_inBlock && f.integer(67) == 1)) {
        ++m_drawing.skipped[QStringLiteral("in paper space")];
        return;
    }
    if (type == "ATTDEF" || f.integer(60) == 1)
        return; // templates and invisible objects show nothing
    if (m_drawable >= DxfImport::maxEntities) {
        ++m_drawing.skipped[QStringLiteral("over the entity limit")];
        return;
    }
    if (decode(type, f, e) && isFinite(e))
        add(e);
}

// Fills in the geometry of e; false when it is not drawn (and counted as such).
bool DxfCollector::decode(const QByteArray& type, const DxfFields& f, DrawingEntity& e)
{
    using Read = bool (DxfEntityReader::*)(const DxfFields&, DrawingEntity&) const;
    // The kinds that make one entity from their own fields.
    static const QHash<QByteArray, Read> shapes{
        {"LINE", &DxfEntityReader::line},     {"POINT", &DxfEntityReader::point},
        {"CIRCLE", &DxfEntityReader::circle}, {"ARC", &DxfEntityReader::arc},
        {"ELLIPSE", &DxfEntityReader::ellipse},
        {"TEXT", &DxfEntityReader::text},     {"MTEXT", &DxfEntityReader::multiText},
        {"SOLID", &DxfEntityReader::solid},   {"TRACE", &DxfEntityReader::solid},
        {"3DFACE", &DxfEntityReader::face},   {"SPLINE", &DxfEntityReader::spline}};
    bool drawn = false;
    const auto shape = shapes.constFind(type);
    if (shape != shapes.constEnd())
        drawn = (m_reader.*shape.value())(f, e);
    else if (type == "HATCH")
        drawn = DxfHatchReader(f).read(e);
    else if (type == "LEADER") {
        DrawingEntity arrow = e;
        drawn = m_reader.leader(f, e, arrow);
        if (drawn && !arrow.points.isEmpty())
            add(arrow);
    } else if (type == "LWPOLYLINE") {
        QVector<DrawingEntity> thin;
        drawn = m_reader.lightPolyline(f, e, thin);
        addAll(thin);
    } else if (type == "MULTILEADER" || type == "MLEADER") {
        QVector<DrawingEntity> parts;
        drawn = m_reader.multiLeader(f, e, parts);
        addAll(parts);
        if (!drawn)
            ++m_drawing.skipped[QStringLiteral("MULTILEADER without a shape")];
        return false;
    } else if (type == "POLYLINE") {
        startPolyline(f, e);
        return false;
    } else if (type == "INSERT" || type == "DIMENSION") {
        drawn = reference(type, f, e);
        if (m_inSequence)
            return false;
    } else {
        ++m_drawing.skipped[QString::fromLatin1(type.left(40))];
        return false;
    }
    if (!drawn)
        ++m_drawing.skipped[QStringLiteral("%1 without a shape").arg(QString::fromLatin1(type))];
    return drawn;
}

// A polyline waits for its vertices; meshes are not outlines and are counted.
void DxfCollector::startPolyline(const DxfFields& f, const DrawingEntity& e)
{
    if (f.integer(70) & (16 | 64)) {
        ++m_drawing.skipped[QStringLiteral("POLYLINE mesh")];
        return;
    }
    m_sequence = e;
    m_sequence.kind = DrawingEntity::Polyline;
    m_sequence.closed = f.integer(70) & 1;
    m_polylineElevation = f.real(30);
    m_polylineExtrusion[0] = f.real(210, 0);
    m_polylineExtrusion[1] = f.real(220, 0);
    m_polylineExtrusion[2] = f.real(230, 1);
    m_bulges.clear();
    m_widths.clear();
    m_defaultWidths = QPointF(f.real(40), f.real(41));
    m_inSequence = true;
}

// A block reference, or a dimension drawn from its block, which lies in
// world coordinates. A reference followed by attributes waits for them.
bool DxfCollector::reference(const QByteArray& type, const DxfFields& f, DrawingEntity& e)
{
    const bool drawn = m_reader.insert(f, e);
    e.text = m_reader.blockName(f);
    if (type == "DIMENSION") {
        e.points = {QPointF()};
        e.scale = QPointF(1, 1);
        e.rotation = 0;
        e.columns = e.rows = 1;
    } else if (drawn && f.integer(66) == 1) {
        m_sequence = e;
        m_inSequence = true;
    }
    return drawn;
}

DrawingEntity DxfCollector::start(const DxfFields& f)
{
    DrawingEntity e;
    e.layer = layerFor(f.text(8));
    const int color = f.integer(62, 256);
    if (f.has(420))
        e.color = trueColor(f.integer(420));
    else if (color >= 1 && color <= 255)
        e.color = aciColor(color);
    e.colorByBlock = color == 0 && !f.has(420);
    e.linetype = m_text.decode(f.text(6));
    if (e.linetype.compare(QLatin1String("BYLAYER"), Qt::CaseInsensitive) == 0)
        e.linetype.clear();
    e.lineWeight = validLineWeight(f.integer(370, LineWeightByLayer));
    return e;
}

void DxfCollector::add(const DrawingEntity& e)
{
    ++m_drawable;
    m_target->append(e);
}

// Adds the parts of an entity that have a shape.
void DxfCollector::addAll(const QVector<DrawingEntity>& parts)
{
    for (const DrawingEntity& part : parts) {
        if (isFinite(part) && !part.points.isEmpty())
            add(part);
    }
}

// Adds the polyline or block reference waiting for the rest of its sequence.
void DxfCollector::flushSequence()
{
    if (!m_inSequence)
        return;
    m_inSequence = false;
    DrawingEntity e = std::move(m_sequence);
    m_sequence = DrawingEntity();
    if (e.kind == DrawingEntity::Polyline) {
        if (e.points.isEmpty())
            return;
        const QVector<QPointF> vertices = e.points;
        QVector<DrawingEntity> thin;
        DxfEntityReader::polylineShape(vertices, m_bulges, m_widths, DxfObjectCoordinates(m_polylineExtrusion),
                                       m_polylineElevation, e, thin);
        addAll(thin);
    }
    if (isFinite(e))
        add(e);
}

void DxfCollector::countObject(const QByteArray& type, int layer)
{
    if (m_drawing.layerObjects.size() <= layer)
        m_drawing.layerObjects.resize(m_drawing.layers.size());
    auto kind = m_kindNames.constFind(type);
    if (kind == m_kindNames.constEnd())
        kind = m_kindNames.insert(type, QString::fromLatin1(type.left(40)));
    ++m_drawing.layerObjects[layer][kind.value()];
}

int DxfCollector::layerFor(const QByteArray& raw)
{
    const auto cached = m_rawIndex.constFind(raw);
    if (cached != m_rawIndex.constEnd())
        return cached.value();
    QString name = m_text.decode(raw);
    if (name.trimmed().isEmpty())
        name = QStringLiteral("0");
    int index = m_index.value(layerKey(name), -1);
    if (index < 0) {
        // Entities may name a layer the table lacks; CAD programs create it.
        DrawingLayer layer;
        layer.name = name;
        layer.color = aciColor(7);
        index = m_drawing.layers.size();
        m_index.insert(layerKey(name), index);
        m_drawing.layers.append(layer);
        m_drawing.noteOnce(QStringLiteral("Layer \"%1\" is used by entities but missing from the layer table; it was added.").arg(name));
    }
    m_rawIndex.insert(raw, index);
    return index;
}

QString DxfCollector::finish()
{
    if (!m_error.isEmpty())
        return m_error;
    flushSequence();
    m_drawing.layerObjects.resize(m_drawing.layers.size());
    DxfBlockLinker(m_drawing).link();
    m_drawing.entities.squeeze();
    for (DrawingBlock& block : m_drawing.blocks)
        block.entities.squeeze();
    return QString();
}

} // namespace Demo
