#include "dxfimport.h"

#include "acipalette.h"
#include "dxftext.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <cmath>
#include <sstream>

namespace Demo {
namespace {

struct Pair
{
    int code = 0;
    QByteArray value;
    int line = 0;
};

// Splits the file into group code / value pairs and refuses what no DXF
// writer produces: codes that are not numbers, lines that never end.
class PairReader
{
public:
    explicit PairReader(const QByteArray& data) : m_data(data) {}

    // False at the end of the data or on an error (then error() says why).
    bool next(Pair& pair)
    {
        if (!m_error.isEmpty() || atEnd())
            return false;
        QByteArray codeLine;
        if (!readLine(codeLine))
            return false;
        const QByteArray trimmed = codeLine.trimmed();
        // A blank last line is the end of the data, not a fault of its own.
        if (trimmed.isEmpty() && atEnd())
            return false;
        bool ok = false;
        const int code = trimmed.toInt(&ok);
        if (!ok || trimmed.isEmpty() || code < 0 || code > 1071) {
            fail(QStringLiteral("line %1 should hold a group code but holds \"%2\"")
                     .arg(m_line)
                     .arg(QString::fromLatin1(trimmed.left(40))));
            return false;
        }
        pair.code = code;
        pair.line = m_line + 1;
        if (atEnd()) {
            fail(QStringLiteral("the file ends after the group code on line %1").arg(m_line));
            return false;
        }
        if (!readLine(pair.value))
            return false;
        if (code == 0 || code == 2 || code == 9)
            pair.value = pair.value.trimmed();
        return true;
    }

    bool atEnd() const { return m_pos >= m_data.size(); }
    int line() const { return m_line; }
    const QString& error() const { return m_error; }
    void fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = message;
    }

private:
    bool readLine(QByteArray& out)
    {
        const int end = m_data.indexOf('\n', m_pos);
        const int stop = end < 0 ? m_data.size() : end;
        int length = stop - m_pos;
        if (length > 0 && m_data.at(stop - 1) == '\r')
            --length;
        ++m_line;
        if (length > DxfImport::maxLineLength) {
            fail(QStringLiteral("line %1 is %2 characters long; a DXF line holds at most %3")
                     .arg(m_line)
                     .arg(length)
                     .arg(DxfImport::maxLineLength));
            return false;
        }
        out = m_data.mid(m_pos, length);
        m_pos = stop + 1;
        return true;
    }

    const QByteArray& m_data;
    int m_pos = 0;
    int m_line = 0;
    QString m_error;
};

QByteArray numberText(qint64 n)
{
    return QByteArray::number(n);
}

void emitPair(QByteArray& out, int code, const QByteArray& value)
{
    out += numberText(code);
    out += '\n';
    out += value;
    out += '\n';
}

// Group codes passed on to dxflib, per entity type; everything else
// (handles, extension data, reactors) is left out.
const QSet<int>& keptCodes(const QByteArray& type)
{
    static const QSet<int> common = {6, 8, 62, 370, 420, 210, 220, 230};
    static const QHash<QByteArray, QSet<int>> table = [] {
        QHash<QByteArray, QSet<int>> t;
        t.insert("LINE", common + QSet<int>{10, 20, 30, 11, 21, 31});
        t.insert("CIRCLE", common + QSet<int>{10, 20, 30, 40});
        t.insert("ARC", common + QSet<int>{10, 20, 30, 40, 50, 51});
        t.insert("POINT", common + QSet<int>{10, 20, 30});
        t.insert("TEXT", common + QSet<int>{1, 7, 10, 20, 30, 11, 21, 31, 40, 41, 50, 71, 72, 73});
        t.insert("MTEXT", common + QSet<int>{1, 3, 7, 10, 20, 30, 11, 21, 31, 40, 41, 44, 50, 71, 72, 73});
        t.insert("LWPOLYLINE", common + QSet<int>{38, 70, 10, 20, 42});
        t.insert("POLYLINE", common + QSet<int>{66, 70, 10, 20, 30});
        t.insert("VERTEX", common + QSet<int>{10, 20, 30, 42, 70});
        t.insert("SEQEND", common);
        t.insert("LAYER", QSet<int>{2, 6, 62, 70, 290, 370, 420});
        return t;
    }();
    static const QSet<int> none;
    const auto it = table.constFind(type);
    return it == table.constEnd() ? none : it.value();
}

bool isStringCode(int code)
{
    return (code >= 0 && code <= 9) || (code >= 100 && code <= 102) || code == 105
           || (code >= 300 && code <= 369) || (code >= 390 && code <= 399)
           || (code >= 410 && code <= 419) || (code >= 430 && code <= 439)
           || (code >= 470 && code <= 481) || code == 999 || (code >= 1000 && code <= 1009);
}

// What the first pass learns and what it hands to dxflib.
struct Scan
{
    QByteArray version;
    QByteArray codePage;
    QByteArray currentLayer;
    bool haveCurrentLayer = false;
    QHash<QByteArray, bool> plottable;     // raw layer name -> plot flag
    QHash<QByteArray, int> lineWeight;     // raw layer name -> 370
    QByteArray cleaned;
    QMap<QString, int> skipped;
    QStringList notes;
    int layerRecords = 0;
    int entities = 0;
};

class Scanner
{
public:
    Scanner(const QByteArray& data, Scan& scan) : m_reader(data), m_scan(scan) {}

    QString run()
    {
        Pair p;
        if (!m_reader.next(p))
            return m_reader.error().isEmpty() ? QStringLiteral("the file holds no DXF data") : m_reader.error();
        while (p.code == 999) {
            if (!m_reader.next(p))
                return m_reader.error().isEmpty() ? QStringLiteral("the file holds no DXF data") : m_reader.error();
        }
        if (p.code != 0 || p.value != "SECTION")
            return QStringLiteral("this is not an ASCII DXF file (it does not start with a SECTION)");
        bool sawEof = false;
        while (true) {
            if (p.code == 0 && p.value == "EOF") {
                sawEof = true;
                break;
            }
            if (p.code != 0 || p.value != "SECTION") {
                if (p.code == 999) {
                    if (!m_reader.next(p))
                        break;
                    continue;
                }
                return QStringLiteral("line %1: expected a SECTION, found \"%2\"")
                    .arg(p.line - 1)
                    .arg(QString::fromLatin1(p.value.left(40)));
            }
            Pair name;
            if (!m_reader.next(name))
                return truncated(QStringLiteral("a section header"));
            if (name.code != 2)
                return QStringLiteral("line %1: a SECTION without a name").arg(name.line - 1);
            QString error;
            if (name.value == "HEADER")
                error = header(p);
            else if (name.value == "TABLES")
                error = tables(p);
            else if (name.value == "ENTITIES")
                error = entities(p);
            else
                error = skipSection(name.value, p);
            if (!error.isEmpty())
                return error;
            // p is the pair after ENDSEC, or the reader is at its end.
            if (m_atEnd)
                break;
        }
        if (!m_reader.error().isEmpty())
            return m_reader.error();
        if (!sawEof && !m_sectionsComplete)
            return truncated(QStringLiteral("the drawing"));
        emitPair(m_scan.cleaned, 0, "EOF");
        return QString();
    }

private:
    QString truncated(const QString& where) const
    {
        if (!m_reader.error().isEmpty())
            return m_reader.error();
        return QStringLiteral("the file is cut off in the middle of %1 (line %2)").arg(where).arg(m_reader.line());
    }

    // Reads the pair after ENDSEC into p; notes the end of the data.
    void afterSection(Pair& p)
    {
        m_sectionsComplete = true;
        if (!m_reader.next(p))
            m_atEnd = true;
    }

    QString skipSection(const QByteArray& name, Pair& p)
    {
        while (m_reader.next(p)) {
            if (p.code == 0 && p.value == "ENDSEC") {
                afterSection(p);
                return QString();
            }
        }
        return truncated(QStringLiteral("the %1 section").arg(QString::fromLatin1(name.left(40))));
    }

    QString header(Pair& p)
    {
        QByteArray variable;
        while (m_reader.next(p)) {
            if (p.code == 0 && p.value == "ENDSEC") {
                afterSection(p);
                return QString();
            }
            if (p.code == 9) {
                variable = p.value;
            } else if (variable == "$ACADVER" && p.code == 1) {
                m_scan.version = p.value.trimmed();
            } else if (variable == "$DWGCODEPAGE" && p.code == 3) {
                m_scan.codePage = p.value.trimmed();
            } else if (variable == "$CLAYER" && p.code == 8) {
                m_scan.currentLayer = p.value;
                m_scan.haveCurrentLayer = true;
            }
        }
        return truncated(QStringLiteral("the HEADER section"));
    }

    QString tables(Pair& p)
    {
        emitPair(m_scan.cleaned, 0, "SECTION");
        emitPair(m_scan.cleaned, 2, "TABLES");
        bool inLayerTable = false;
        bool inTable = false;
        bool haveRecord = false;
        QVector<Pair> record;
        auto flushRecord = [&]() -> QString {
            if (!haveRecord)
                return QString();
            haveRecord = false;
            return layerRecord(record);
        };
        if (!m_reader.next(p))
            return truncated(QStringLiteral("the TABLES section"));
        while (true) {
            if (p.code == 0) {
                const QString error = flushRecord();
                if (!error.isEmpty())
                    return error;
                if (p.value == "ENDSEC") {
                    if (inTable)
                        return truncated(QStringLiteral("a table (ENDTAB missing)"));
                    emitPair(m_scan.cleaned, 0, "ENDSEC");
                    afterSection(p);
                    return QString();
                }
                if (p.value == "TABLE") {
                    Pair name;
                    if (!m_reader.next(name))
                        return truncated(QStringLiteral("the TABLES section"));
                    inTable = true;
                    inLayerTable = name.code == 2 && name.value == "LAYER";
                    if (inLayerTable) {
                        emitPair(m_scan.cleaned, 0, "TABLE");
                        emitPair(m_scan.cleaned, 2, "LAYER");
                    }
                    p = name;
                } else if (p.value == "ENDTAB") {
                    if (inLayerTable)
                        emitPair(m_scan.cleaned, 0, "ENDTAB");
                    inTable = false;
                    inLayerTable = false;
                } else if (inLayerTable && p.value == "LAYER") {
                    haveRecord = true;
                    record.clear();
                }
            } else if (haveRecord) {
                record.append(p);
            }
            if (!m_reader.next(p))
                return truncated(inLayerTable ? QStringLiteral("the LAYER table") : QStringLiteral("the TABLES section"));
        }
    }

    QString layerRecord(const QVector<Pair>& record)
    {
        QByteArray name;
        for (const Pair& q : record) {
            if (q.code == 2)
                name = q.value;
        }
        if (name.size() > DxfImport::maxNameLength)
            return QStringLiteral("line %1: a layer name of %2 characters; names hold at most %3")
                .arg(lineOf(record, 2))
                .arg(name.size())
                .arg(DxfImport::maxNameLength);
        if (++m_scan.layerRecords > DxfImport::maxLayers)
            return QStringLiteral("the layer table holds more than %1 layers").arg(DxfImport::maxLayers);
        const QSet<int>& kept = keptCodes("LAYER");
        emitPair(m_scan.cleaned, 0, "LAYER");
        for (const Pair& q : record) {
            if (q.code == 290)
                m_scan.plottable.insert(name, q.value.trimmed().toInt() != 0);
            else if (q.code == 370)
                m_scan.lineWeight.insert(name, q.value.trimmed().toInt());
            else if (kept.contains(q.code))
                emitPair(m_scan.cleaned, q.code, q.value);
        }
        return QString();
    }

    static int lineOf(const QVector<Pair>& record, int code)
    {
        for (const Pair& q : record) {
            if (q.code == code)
                return q.line;
        }
        return record.isEmpty() ? 0 : record.first().line;
    }

    QString entities(Pair& p)
    {
        emitPair(m_scan.cleaned, 0, "SECTION");
        emitPair(m_scan.cleaned, 2, "ENTITIES");
        QByteArray type;
        QVector<Pair> body;
        bool haveEntity = false;
        bool skippingPolyline = false;
        while (true) {
            if (!m_reader.next(p)) {
                return truncated(QStringLiteral("the ENTITIES section"));
            }
            if (p.code != 0) {
                if (haveEntity)
                    body.append(p);
                continue;
            }
            if (haveEntity) {
                const QString error = entity(type, body, skippingPolyline);
                if (!error.isEmpty())
                    return error;
            }
            if (p.value == "ENDSEC") {
                emitPair(m_scan.cleaned, 0, "ENDSEC");
                afterSection(p);
                return QString();
            }
            type = p.value;
            body.clear();
            haveEntity = true;
        }
    }

    QString entity(const QByteArray& type, const QVector<Pair>& body, bool& skippingPolyline)
    {
        bool paperSpace = false;
        int flags = 0;
        int vertexCount = 0;
        for (const Pair& q : body) {
            if (q.code == 8 && q.value.size() > DxfImport::maxNameLength)
                return QStringLiteral("line %1: a layer name of %2 characters; names hold at most %3")
                    .arg(q.line)
                    .arg(q.value.size())
                    .arg(DxfImport::maxNameLength);
            if (q.code == 67)
                paperSpace = q.value.trimmed().toInt() == 1;
            else if (q.code == 70)
                flags = q.value.trimmed().toInt();
            else if (q.code == 10)
                ++vertexCount;
        }
        if (type == "VERTEX" || type == "SEQEND") {
            if (skippingPolyline) {
                if (type == "SEQEND")
                    skippingPolyline = false;
                return QString();
            }
        } else {
            skippingPolyline = false;
        }
        const QSet<int>& kept = keptCodes(type);
        const QString name = QString::fromLatin1(type.left(40));
        if (kept.isEmpty()) {
            ++m_scan.skipped[name];
            return QString();
        }
        if (paperSpace && type != "VERTEX" && type != "SEQEND") {
            ++m_scan.skipped[QStringLiteral("in paper space")];
            skippingPolyline = type == "POLYLINE";
            return QString();
        }
        if (type == "POLYLINE" && (flags & (16 | 64))) {
            // Meshes and polyface meshes are not outlines; their vertices follow.
            ++m_scan.skipped[QStringLiteral("POLYLINE mesh")];
            skippingPolyline = true;
            return QString();
        }
        if (type != "VERTEX" && type != "SEQEND" && ++m_scan.entities > DxfImport::maxEntities) {
            ++m_scan.skipped[QStringLiteral("over the entity limit")];
            skippingPolyline = type == "POLYLINE";
            return QString();
        }
        emitPair(m_scan.cleaned, 0, type);
        if (type == "LWPOLYLINE") {
            // The vertex count is what dxflib allocates by: give it the true one.
            emitPair(m_scan.cleaned, 90, numberText(vertexCount));
        }
        for (const Pair& q : body) {
            if (!kept.contains(q.code))
                continue;
            QByteArray value = q.value;
            if (value.size() > DxfImport::maxTextLength) {
                if (q.code != 1 && q.code != 3)
                    continue;
                value.truncate(DxfImport::maxTextLength);
                // Do not end in the middle of a UTF-8 sequence.
                while (!value.isEmpty() && (static_cast<unsigned char>(value.back()) & 0xC0) == 0x80)
                    value.chop(1);
                if (!value.isEmpty() && (static_cast<unsigned char>(value.back()) & 0x80))
                    value.chop(1);
                m_textCut = true;
            }
            if (!isStringCode(q.code)) {
                value = value.trimmed();
                bool ok = false;
                const double number = value.toDouble(&ok);
                if (!ok || !std::isfinite(number) || std::fabs(number) > 1e15)
                    continue;
            }
            emitPair(m_scan.cleaned, q.code, value);
        }
        return QString();
    }

public:
    bool textCut() const { return m_textCut; }

private:
    PairReader m_reader;
    Scan& m_scan;
    bool m_atEnd = false;
    bool m_sectionsComplete = false;
    bool m_textCut = false;
};

// Object coordinates of planar entities (arcs, circles, polylines, text)
// relative to their extrusion direction, turned into world coordinates by
// the arbitrary axis rule of the DXF format. Mirrored arcs (extrusion 0,0,-1)
// and polylines drawn in a vertical plane thus land where CAD programs show them.
class ObjectCoordinates
{
public:
    explicit ObjectCoordinates(const double* n)
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

    bool isIdentity() const { return m_identity; }
    // Whether the plan view sees the object's plane from below.
    bool isMirrored() const { return m_ax[0] * m_ay[1] - m_ax[1] * m_ay[0] < 0; }

    QPointF toPlan(double x, double y, double z) const
    {
        if (m_identity)
            return QPointF(x, y);
        return QPointF(x * m_ax[0] + y * m_ay[0] + z * m_n[0], x * m_ax[1] + y * m_ay[1] + z * m_n[1]);
    }

private:
    bool m_identity = true;
    double m_n[3] = {0, 0, 1};
    double m_ax[3] = {1, 0, 0};
    double m_ay[3] = {0, 1, 0};
};

// Receives what dxflib parsed from the cleaned copy.
class Collector : public DL_CreationAdapter
{
public:
    Collector(const Scan& scan, const DxfText& text, Drawing& drawing)
        : m_scan(scan), m_text(text), m_drawing(drawing)
    {
    }

    void addLayer(const DL_LayerData& data) override
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
        m_index.insert(name.toLower(), m_drawing.layers.size());
        m_drawing.layers.append(layer);
    }

    void addPoint(const DL_PointData& d) override
    {
        DrawingEntity e = start(DrawingEntity::Point);
        e.points = {QPointF(d.x, d.y)};
        finish(e);
    }

    void addLine(const DL_LineData& d) override
    {
        DrawingEntity e = start(DrawingEntity::Line);
        e.points = {QPointF(d.x1, d.y1), QPointF(d.x2, d.y2)};
        finish(e);
    }

    void addArc(const DL_ArcData& d) override
    {
        DrawingEntity e = start(DrawingEntity::Arc);
        const ObjectCoordinates ocs(getExtrusion()->getDirection());
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
            const double w1 = std::atan2(p1.y(), p1.x()) * 180.0 / M_PI;
            const double w2 = std::atan2(p2.y(), p2.x()) * 180.0 / M_PI;
            e.startAngle = ocs.isMirrored() ? w2 : w1;
            e.endAngle = ocs.isMirrored() ? w1 : w2;
        }
        finish(e);
    }

    void addCircle(const DL_CircleData& d) override
    {
        DrawingEntity e = start(DrawingEntity::Circle);
        const ObjectCoordinates ocs(getExtrusion()->getDirection());
        e.points = {ocs.toPlan(d.cx, d.cy, d.cz)};
        e.radius = std::fabs(d.radius);
        finish(e);
    }

    // Light-weight polylines get their vertices right after addPolyline and
    // no end of sequence, so a polyline ends with the next entity too.
    void addPolyline(const DL_PolylineData& d) override
    {
        flushPolyline();
        m_polyline = start(DrawingEntity::Polyline);
        m_polyline.closed = d.flags & 1;
        m_inPolyline = true;
        m_polylineOcs = ObjectCoordinates(getExtrusion()->getDirection());
        m_polylineElevation = getExtrusion()->getElevation();
        if (!std::isfinite(m_polylineElevation))
            m_polylineElevation = 0;
    }

    void addVertex(const DL_VertexData& d) override
    {
        if (m_inPolyline)
            m_polyline.points.append(m_polylineOcs.toPlan(d.x, d.y, d.z != 0 ? d.z : m_polylineElevation));
    }

    void endSequence() override { flushPolyline(); }

    void flushPolyline()
    {
        if (m_inPolyline && !m_polyline.points.isEmpty())
            finish(m_polyline);
        m_inPolyline = false;
        m_polyline = DrawingEntity();
    }

    void addText(const DL_TextData& d) override
    {
        DrawingEntity e = start(DrawingEntity::Text);
        const ObjectCoordinates ocs(getExtrusion()->getDirection());
        const bool aligned = d.hJustification != 0 || d.vJustification != 0;
        e.points = {aligned ? ocs.toPlan(d.apx, d.apy, d.apz) : ocs.toPlan(d.ipx, d.ipy, d.ipz)};
        e.height = d.height;
        e.rotation = d.angle * 180.0 / M_PI;
        e.text = controlCodes(m_text.decode(QByteArray::fromStdString(d.text)));
        // Aligned (3) and fit (5) texts run from their first point.
        if (d.hJustification == 1 || d.hJustification == 4)
            e.hAlign = DrawingEntity::Center;
        else if (d.hJustification == 2)
            e.hAlign = DrawingEntity::Right;
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

    void addMText(const DL_MTextData& d) override
    {
        DrawingEntity e = start(DrawingEntity::Text);
        e.points = {QPointF(d.ipx, d.ipy)};
        e.height = d.height;
        e.rotation = d.angle * 180.0 / M_PI;
        if (std::fabs(d.dirx) > 1e-12 || std::fabs(d.diry) > 1e-12)
            e.rotation = std::atan2(d.diry, d.dirx) * 180.0 / M_PI;
        e.text = controlCodes(plainMText(m_text.decode(QByteArray::fromStdString(d.text))));
        // Attachment 1..9: top, middle, bottom rows of left, centre, right.
        const int attachment = (d.attachmentPoint >= 1 && d.attachmentPoint <= 9) ? d.attachmentPoint - 1 : 0;
        static const DrawingEntity::VAlign rows[] = {DrawingEntity::Top, DrawingEntity::Middle, DrawingEntity::Bottom};
        e.vAlign = rows[attachment / 3];
        e.hAlign = static_cast<DrawingEntity::HAlign>(attachment % 3);
        finish(e);
    }

private:
    static int validLineWeight(int value)
    {
        static const int valid[] = {0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
        if (value == LineWeightByLayer || value == LineWeightByBlock || value == LineWeightDefault)
            return value;
        for (int v : valid) {
            if (v == value)
                return value;
        }
        return LineWeightDefault;
    }

    // The %% codes of CAD texts: degree, plus/minus, diameter, percent, and
    // the underline and overline switches, which a plain view leaves out.
    static QString controlCodes(const QString& text)
    {
        if (!text.contains(QLatin1String("%%")))
            return text;
        QString out;
        out.reserve(text.size());
        for (int i = 0; i < text.size(); ++i) {
            if (text.at(i) != QLatin1Char('%') || i + 2 >= text.size() || text.at(i + 1) != QLatin1Char('%')) {
                out.append(text.at(i));
                continue;
            }
            const QChar code = text.at(i + 2).toLower();
            if (code == QLatin1Char('d'))
                out.append(QChar(0x00B0));
            else if (code == QLatin1Char('p'))
                out.append(QChar(0x00B1));
            else if (code == QLatin1Char('c'))
                out.append(QChar(0x2300));
            else if (code == QLatin1Char('%'))
                out.append(QLatin1Char('%'));
            else if (code == QLatin1Char('u') || code == QLatin1Char('o') || code == QLatin1Char('k'))
                ;
            else if (code.isDigit() && i + 4 < text.size() && text.at(i + 3).isDigit() && text.at(i + 4).isDigit()) {
                const int value = text.mid(i + 2, 3).toInt();
                out.append(value > 0 ? QChar(value) : QChar(QLatin1Char(' ')));
                i += 2;
            } else {
                out.append(text.mid(i, 3));
            }
            i += 2;
        }
        return out;
    }

    static QString plainMText(const QString& text)
    {
        QString out;
        out.reserve(text.size());
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('{') || c == QLatin1Char('}'))
                continue;
            if (c == QLatin1Char('\\') && i + 1 < text.size()) {
                const QChar k = text.at(i + 1);
                if (k == QLatin1Char('P') || k == QLatin1Char('X')) {
                    out.append(QLatin1Char('\n'));
                    ++i;
                } else if (k == QLatin1Char('\\') || k == QLatin1Char('{') || k == QLatin1Char('}')) {
                    out.append(k);
                    ++i;
                } else if (k == QLatin1Char('~')) {
                    out.append(QLatin1Char(' '));
                    ++i;
                } else if (QStringLiteral("LlOoKkNn").contains(k)) {
                    ++i;
                } else if (k.isLetter()) {
                    // A formatting code that runs to the next ';'.
                    const int end = text.indexOf(QLatin1Char(';'), i);
                    i = end < 0 ? text.size() : end;
                } else {
                    out.append(c);
                }
                continue;
            }
            out.append(c);
        }
        return out;
    }

    DrawingEntity start(DrawingEntity::Kind kind)
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

    void finish(const DrawingEntity& e)
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

    int layerFor(const QByteArray& raw)
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

    void noteOnce(const QString& note)
    {
        if (m_drawing.notes.size() < 20 && !m_drawing.notes.contains(note))
            m_drawing.notes.append(note);
    }

    const Scan& m_scan;
    const DxfText& m_text;
    Drawing& m_drawing;
    QHash<QString, int> m_index;
    QHash<QByteArray, int> m_rawIndex;
    DrawingEntity m_polyline;
    ObjectCoordinates m_polylineOcs{nullptr};
    double m_polylineElevation = 0;
    bool m_inPolyline = false;
};

} // namespace

DxfImportResult DxfImport::readFile(const QString& path)
{
    DxfImportResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("%1 does not exist.").arg(path);
        return result;
    }
    if (!info.isFile()) {
        result.error = QStringLiteral("%1 is not a file.").arg(path);
        return result;
    }
    if (info.size() > maxFileSize) {
        result.error = QStringLiteral("%1 is %2 MB; this viewer opens drawings of up to %3 MB.")
                           .arg(path)
                           .arg(info.size() / (1024 * 1024))
                           .arg(maxFileSize / (1024 * 1024));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return result;
    }
    // Read at most one byte past the limit, in case the file grew meanwhile.
    const QByteArray data = file.read(maxFileSize + 1);
    file.close();
    result = readData(data, info.fileName());
    if (!result.ok)
        result.error = QStringLiteral("%1: %2").arg(info.fileName(), result.error);
    return result;
}

DxfImportResult DxfImport::readData(const QByteArray& data, const QString& title)
{
    DxfImportResult result;
    result.drawing.title = title;
    if (data.isEmpty()) {
        result.error = QStringLiteral("the file is empty.");
        return result;
    }
    if (data.size() > maxFileSize) {
        result.error = QStringLiteral("the file is larger than %1 MB.").arg(maxFileSize / (1024 * 1024));
        return result;
    }
    if (data.startsWith("AutoCAD Binary DXF")) {
        result.error = QStringLiteral("this is a binary DXF file; save the drawing as ASCII DXF to open it here.");
        return result;
    }
    if (data.indexOf('\0') >= 0) {
        result.error = QStringLiteral("this is not a text file, so it is not an ASCII DXF drawing.");
        return result;
    }
    Scan scan;
    Scanner scanner(data, scan);
    const QString error = scanner.run();
    if (!error.isEmpty()) {
        result.error = error.at(0).toUpper() + error.mid(1) + QLatin1Char('.');
        return result;
    }

    const DxfText text(scan.version, scan.codePage);
    Drawing& drawing = result.drawing;
    Collector collector(scan, text, drawing);
    try {
        DL_Dxf dxf;
        std::istringstream stream(scan.cleaned.toStdString());
        if (!dxf.in(stream, &collector)) {
            result.error = QStringLiteral("The drawing could not be parsed.");
            return result;
        }
    } catch (const std::exception& e) {
        result.error = QStringLiteral("The drawing could not be parsed (%1).").arg(QString::fromLocal8Bit(e.what()));
        return result;
    }
    collector.flushPolyline();

    if (drawing.layerIndex(QStringLiteral("0")) < 0) {
        DrawingLayer zero;
        zero.name = QStringLiteral("0");
        drawing.layers.prepend(zero);
        for (DrawingEntity& e : drawing.entities)
            ++e.layer;
    }
    drawing.currentLayer = QStringLiteral("0");
    if (scan.haveCurrentLayer) {
        const int index = drawing.layerIndex(text.decode(scan.currentLayer));
        if (index >= 0)
            drawing.currentLayer = drawing.layers.at(index).name;
        else
            drawing.notes.append(QStringLiteral("The current layer \"%1\" is not in the layer table; \"0\" is current.")
                                     .arg(text.decode(scan.currentLayer)));
    }
    // The current layer is never frozen in a drawing.
    const int current = drawing.layerIndex(drawing.currentLayer);
    if (current >= 0 && drawing.layers[current].frozen) {
        drawing.layers[current].frozen = false;
        drawing.notes.append(QStringLiteral("The current layer was frozen; it was thawed."));
    }
    if (scanner.textCut())
        drawing.notes.append(QStringLiteral("Texts longer than %1 characters were shortened.").arg(maxTextLength));
    for (auto it = scan.skipped.constBegin(); it != scan.skipped.constEnd(); ++it)
        drawing.skipped[it.key()] += it.value();
    result.ok = true;
    return result;
}

} // namespace Demo
