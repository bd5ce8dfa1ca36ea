#include "dxfscanner.h"

#include "dxfimport.h"

#include <QSet>

#include <cmath>

namespace Demo {
namespace {

bool isMarker(const DxfPair& p, const char* name)
{
    return p.code == 0 && p.value == name;
}

void emitPair(QByteArray& out, int code, const QByteArray& value)
{
    out += QByteArray::number(code);
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

bool isSequencePart(const QByteArray& type)
{
    return type == "VERTEX" || type == "SEQEND";
}

QString longNameError(int line, int length)
{
    return QStringLiteral("line %1: a layer name of %2 characters; names hold at most %3")
        .arg(line)
        .arg(length)
        .arg(DxfImport::maxNameLength);
}

int lineOf(const QVector<DxfPair>& record, int code)
{
    for (const DxfPair& q : record) {
        if (q.code == code)
            return q.line;
    }
    return record.isEmpty() ? 0 : record.first().line;
}

// Cuts a text to length bytes without ending in the middle of a UTF-8 sequence.
void cutText(QByteArray& value, int length)
{
    value.truncate(length);
    while (!value.isEmpty() && (static_cast<unsigned char>(value.back()) & 0xC0) == 0x80)
        value.chop(1);
    if (!value.isEmpty() && (static_cast<unsigned char>(value.back()) & 0x80))
        value.chop(1);
}

} // namespace

QString DxfScanner::run()
{
    DxfPair p;
    QString error = firstSection(p);
    if (!error.isEmpty())
        return error;
    bool sawEof = false;
    while (true) {
        if (isMarker(p, "EOF")) {
            sawEof = true;
            break;
        }
        if (p.code == 999) {
            if (!m_reader.next(p))
                break;
            continue;
        }
        error = section(p);
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

QString DxfScanner::truncated(const QString& where) const
{
    if (!m_reader.error().isEmpty())
        return m_reader.error();
    return QStringLiteral("the file is cut off in the middle of %1 (line %2)").arg(where).arg(m_reader.line());
}

// Reads past the comments at the top into p, which must open a section.
QString DxfScanner::firstSection(DxfPair& p)
{
    do {
        if (!m_reader.next(p))
            return m_reader.error().isEmpty() ? QStringLiteral("the file holds no DXF data") : m_reader.error();
    } while (p.code == 999);
    if (!isMarker(p, "SECTION"))
        return QStringLiteral("this is not an ASCII DXF file (it does not start with a SECTION)");
    return QString();
}

// Reads the section that p opens, leaving p at the pair after its ENDSEC.
QString DxfScanner::section(DxfPair& p)
{
    if (!isMarker(p, "SECTION"))
        return QStringLiteral("line %1: expected a SECTION, found \"%2\"")
            .arg(p.line - 1)
            .arg(QString::fromLatin1(p.value.left(40)));
    DxfPair name;
    if (!m_reader.next(name))
        return truncated(QStringLiteral("a section header"));
    if (name.code != 2)
        return QStringLiteral("line %1: a SECTION without a name").arg(name.line - 1);
    if (name.value == "HEADER")
        return header(p);
    if (name.value == "TABLES")
        return tables(p);
    if (name.value == "ENTITIES")
        return entities(p);
    return skipSection(name.value, p);
}

// Reads the pair after ENDSEC into p; notes the end of the data.
void DxfScanner::afterSection(DxfPair& p)
{
    m_sectionsComplete = true;
    if (!m_reader.next(p))
        m_atEnd = true;
}

QString DxfScanner::skipSection(const QByteArray& name, DxfPair& p)
{
    while (m_reader.next(p)) {
        if (isMarker(p, "ENDSEC")) {
            afterSection(p);
            return QString();
        }
    }
    return truncated(QStringLiteral("the %1 section").arg(QString::fromLatin1(name.left(40))));
}

QString DxfScanner::header(DxfPair& p)
{
    QByteArray variable;
    while (m_reader.next(p)) {
        if (isMarker(p, "ENDSEC")) {
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

// Passes on the LAYER table, record by record; other tables are left out.
QString DxfScanner::tables(DxfPair& p)
{
    emitPair(m_scan.cleaned, 0, "SECTION");
    emitPair(m_scan.cleaned, 2, "TABLES");
    TableState state;
    if (!m_reader.next(p))
        return truncated(QStringLiteral("the TABLES section"));
    while (true) {
        if (p.code == 0) {
            if (state.haveRecord) {
                state.haveRecord = false;
                const QString error = layerRecord(state.record);
                if (!error.isEmpty())
                    return error;
            }
            if (p.value == "ENDSEC") {
                if (state.inTable)
                    return truncated(QStringLiteral("a table (ENDTAB missing)"));
                emitPair(m_scan.cleaned, 0, "ENDSEC");
                afterSection(p);
                return QString();
            }
            const QString error = tableMarker(p, state);
            if (!error.isEmpty())
                return error;
        } else if (state.haveRecord) {
            state.record.append(p);
        }
        if (!m_reader.next(p))
            return truncated(state.inLayerTable ? QStringLiteral("the LAYER table") : QStringLiteral("the TABLES section"));
    }
}

// Follows the start or end of a table, or of a LAYER record, that p marks.
QString DxfScanner::tableMarker(DxfPair& p, TableState& state)
{
    if (p.value == "TABLE") {
        DxfPair name;
        if (!m_reader.next(name))
            return truncated(QStringLiteral("the TABLES section"));
        state.inTable = true;
        state.inLayerTable = name.code == 2 && name.value == "LAYER";
        if (state.inLayerTable) {
            emitPair(m_scan.cleaned, 0, "TABLE");
            emitPair(m_scan.cleaned, 2, "LAYER");
        }
        p = name;
    } else if (p.value == "ENDTAB") {
        if (state.inLayerTable)
            emitPair(m_scan.cleaned, 0, "ENDTAB");
        state.inTable = false;
        state.inLayerTable = false;
    } else if (state.inLayerTable && p.value == "LAYER") {
        state.haveRecord = true;
        state.record.clear();
    }
    return QString();
}

QString DxfScanner::layerRecord(const QVector<DxfPair>& record)
{
    QByteArray name;
    for (const DxfPair& q : record) {
        if (q.code == 2)
            name = q.value;
    }
    if (name.size() > DxfImport::maxNameLength)
        return longNameError(lineOf(record, 2), name.size());
    if (++m_scan.layerRecords > DxfImport::maxLayers)
        return QStringLiteral("the layer table holds more than %1 layers").arg(DxfImport::maxLayers);
    const QSet<int>& kept = keptCodes("LAYER");
    emitPair(m_scan.cleaned, 0, "LAYER");
    // dxflib reports neither the plot flag, the lineweight nor the
    // description of a layer; the description is the second string of the
    // layer's AcAecLayerStandard extended data.
    int descriptionStrings = -1;
    for (const DxfPair& q : record) {
        if (q.code == 1001)
            descriptionStrings = q.value == "AcAecLayerStandard" ? 0 : -1;
        else if (q.code == 1000 && descriptionStrings >= 0 && ++descriptionStrings == 2)
            m_scan.description.insert(name, q.value);
        if (q.code == 290)
            m_scan.plottable.insert(name, q.value.trimmed().toInt() != 0);
        else if (q.code == 370)
            m_scan.lineWeight.insert(name, q.value.trimmed().toInt());
        else if (kept.contains(q.code))
            emitPair(m_scan.cleaned, q.code, q.value);
    }
    return QString();
}

QString DxfScanner::entities(DxfPair& p)
{
    emitPair(m_scan.cleaned, 0, "SECTION");
    emitPair(m_scan.cleaned, 2, "ENTITIES");
    m_skippingPolyline = false;
    QByteArray type;
    QVector<DxfPair> body;
    bool haveEntity = false;
    while (true) {
        if (!m_reader.next(p))
            return truncated(QStringLiteral("the ENTITIES section"));
        if (p.code != 0) {
            if (haveEntity)
                body.append(p);
            continue;
        }
        if (haveEntity) {
            const QString error = entity(type, body);
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

QString DxfScanner::entity(const QByteArray& type, const QVector<DxfPair>& body)
{
    EntityFacts facts;
    const QString error = readFacts(body, facts);
    if (!error.isEmpty())
        return error;
    if (!leaveOut(type, facts))
        emitEntity(type, body, facts.vertexCount);
    return QString();
}

QString DxfScanner::readFacts(const QVector<DxfPair>& body, EntityFacts& facts) const
{
    for (const DxfPair& q : body) {
        if (q.code == 8 && q.value.size() > DxfImport::maxNameLength)
            return longNameError(q.line, q.value.size());
        if (q.code == 67)
            facts.paperSpace = q.value.trimmed().toInt() == 1;
        else if (q.code == 70)
            facts.flags = q.value.trimmed().toInt();
        else if (q.code == 10)
            ++facts.vertexCount;
    }
    return QString();
}

// Whether the entity stays out of the cleaned copy; counts why it does.
bool DxfScanner::leaveOut(const QByteArray& type, const EntityFacts& facts)
{
    if (isSequencePart(type)) {
        if (m_skippingPolyline) {
            if (type == "SEQEND")
                m_skippingPolyline = false;
            return true;
        }
    } else {
        m_skippingPolyline = false;
    }
    if (keptCodes(type).isEmpty()) {
        ++m_scan.skipped[QString::fromLatin1(type.left(40))];
        return true;
    }
    if (facts.paperSpace && !isSequencePart(type)) {
        ++m_scan.skipped[QStringLiteral("in paper space")];
        m_skippingPolyline = type == "POLYLINE";
        return true;
    }
    if (type == "POLYLINE" && (facts.flags & (16 | 64))) {
        // Meshes and polyface meshes are not outlines; their vertices follow.
        ++m_scan.skipped[QStringLiteral("POLYLINE mesh")];
        m_skippingPolyline = true;
        return true;
    }
    if (!isSequencePart(type) && ++m_scan.entities > DxfImport::maxEntities) {
        ++m_scan.skipped[QStringLiteral("over the entity limit")];
        m_skippingPolyline = type == "POLYLINE";
        return true;
    }
    return false;
}

void DxfScanner::emitEntity(const QByteArray& type, const QVector<DxfPair>& body, int vertexCount)
{
    const QSet<int>& kept = keptCodes(type);
    emitPair(m_scan.cleaned, 0, type);
    if (type == "LWPOLYLINE") {
        // The vertex count is what dxflib allocates by: give it the true one.
        emitPair(m_scan.cleaned, 90, QByteArray::number(vertexCount));
    }
    for (const DxfPair& q : body) {
        if (!kept.contains(q.code))
            continue;
        QByteArray value = q.value;
        if (cleanValue(q.code, value))
            emitPair(m_scan.cleaned, q.code, value);
    }
}

// Cuts long texts and checks numbers; false when the value is left out.
bool DxfScanner::cleanValue(int code, QByteArray& value)
{
    if (value.size() > DxfImport::maxTextLength) {
        if (code != 1 && code != 3)
            return false;
        cutText(value, DxfImport::maxTextLength);
        m_textCut = true;
    }
    if (isStringCode(code))
        return true;
    value = value.trimmed();
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok && std::isfinite(number) && std::fabs(number) <= 1e15;
}

} // namespace Demo
