#include "dxfscanner.h"

#include "dxfimport.h"

#include <QSet>

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

// Group codes of a layer record passed on to dxflib; everything else
// (handles, extension data, reactors) is left out.
const QSet<int>& layerCodes()
{
    static const QSet<int> codes = {2, 6, 62, 70, 290, 370, 420};
    return codes;
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
    handOverLayerTable();
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
    if (name.value == "ENTITIES" || name.value == "BLOCKS")
        return entities(p, name.value == "BLOCKS");
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
    const QSet<int>& kept = layerCodes();
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

// Hands on the entities of the BLOCKS or ENTITIES section that p opens.
QString DxfScanner::entities(DxfPair& p, bool blocks)
{
    handOverLayerTable();
    const QString where = blocks ? QStringLiteral("the BLOCKS section") : QStringLiteral("the ENTITIES section");
    QByteArray type;
    QVector<DxfPair> body;
    bool haveEntity = false;
    const bool geometry = m_sink.needsGeometry();
    while (true) {
        if (!m_reader.next(p))
            return truncated(where);
        if (p.code != 0) {
            // A block's own record is read whole: it names the block.
            if (haveEntity && p.code != 999 && (geometry || p.code == 8 || type == "BLOCK"))
                body.append(p);
            continue;
        }
        if (haveEntity) {
            const QString error = entity(type, body, blocks);
            if (!error.isEmpty())
                return error;
        }
        if (p.value == "ENDSEC") {
            afterSection(p);
            return QString();
        }
        type = p.value;
        body.clear();
        haveEntity = true;
    }
}

QString DxfScanner::entity(const QByteArray& type, QVector<DxfPair>& body, bool blocks)
{
    for (int i = 0; i < body.size(); ++i) {
        DxfPair& q = body[i];
        if (q.code == 8 && q.value.size() > DxfImport::maxNameLength)
            return longNameError(q.line, q.value.size());
        // Numbers are checked where they are read; only texts are cut here.
        if (q.value.size() > DxfImport::maxTextLength && !cutLongText(q.code, q.value)) {
            body.remove(i);
            --i;
        }
    }
    if (blocks && type == "BLOCK")
        m_sink.beginBlock(body);
    else if (blocks && type == "ENDBLK")
        m_sink.endBlock();
    else
        m_sink.entity(type, body);
    return QString();
}

// The sink gets the layer table once, before the first entity.
void DxfScanner::handOverLayerTable()
{
    if (m_layerTableHandedOver)
        return;
    m_layerTableHandedOver = true;
    emitPair(m_scan.cleaned, 0, "EOF");
    m_sink.layerTable(m_scan.cleaned);
}

// Cuts a long text to the limit; false for a long value of any other kind.
bool DxfScanner::cutLongText(int code, QByteArray& value)
{
    if (code != 1 && code != 3)
        return false;
    cutText(value, DxfImport::maxTextLength);
    m_textCut = true;
    return true;
}

} // namespace Demo
