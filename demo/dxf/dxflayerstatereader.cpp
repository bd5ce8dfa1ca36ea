#include "dxflayerstatereader.h"

#include "drawingdata.h"
#include "dxfpairstream.h"

#include <QSet>

namespace Demo {
namespace {

const QByteArray kStatesKey = QByteArrayLiteral("ACAD_LAYERSTATES");

QByteArray handleOf(const QByteArray& value)
{
    return value.trimmed().toUpper();
}

bool toInt(const QByteArray& value, int& out)
{
    bool ok = false;
    out = value.trimmed().toInt(&ok);
    return ok;
}

// The walk over a file's pairs: what it has seen of sections, tables,
// their entries and the objects.
class LayoutWalk
{
public:
    explicit LayoutWalk(DxfLayerStateLayout& layout, const DxfText& text) : m_layout(layout), m_text(text) {}

    void marker(const DxfPairStream& p)
    {
        close(p.offset());
        m_marker = p.value().trimmed();
        m_begin = p.offset();
        m_handle.clear();
        m_named = false;
        if (m_marker == "ENDSEC" && m_section == "OBJECTS" && m_layout.objectsEnd < 0)
            m_layout.objectsEnd = p.offset();
        if (m_marker == "ENDSEC")
            m_section.clear();
    }
    void pair(const DxfPairStream& p)
    {
        if (m_marker == "SECTION" && p.code() == 2 && m_section.isEmpty()) {
            m_section = p.value().trimmed();
        } else if (m_section == "TABLES") {
            tablePair(p);
        } else if (m_section == "OBJECTS" && p.code() == 5 && m_handle.isEmpty()) {
            m_handle = handleOf(p.value());
        }
    }
    void close(qint64 end)
    {
        if (m_section == "OBJECTS" && !m_handle.isEmpty() && (m_marker == "DICTIONARY" || m_marker == "XRECORD")) {
            auto& objects = m_marker == "DICTIONARY" ? m_layout.dictionaries : m_layout.records;
            objects.insert(m_handle, DxfLayerStateLayout::Object{m_begin, end});
        }
        if (m_section != "TABLES" || m_handle.isEmpty() || !m_named)
            return;
        const QString name = m_text.decode(m_rawName);
        if (m_table == "LAYER" && m_marker == "LAYER") {
            m_layout.layerHandles.insert(layerKey(name), m_handle);
            m_layout.layerNames.insert(m_handle, name);
        } else if (m_table == "LTYPE" && m_marker == "LTYPE") {
            m_layout.linetypeNames.insert(m_handle, name);
            m_layout.linetypeHandles.insert(layerKey(name), m_handle);
        }
    }

private:
    void tablePair(const DxfPairStream& p)
    {
        if (m_marker == "TABLE") {
            if (p.code() == 2 && !m_named) {
                m_table = p.value().trimmed();
                m_named = true;
            } else if (m_table == "LAYER" && p.code() == 5) {
                m_layout.layerTable = handleOf(p.value());
            } else if (m_table == "LAYER" && p.code() == 102) {
                m_inDictionary = p.value().trimmed() == "{ACAD_XDICTIONARY";
            } else if (m_table == "LAYER" && p.code() == 360 && m_inDictionary) {
                m_layout.tableDictionary = handleOf(p.value());
            }
        } else if (p.code() == 5 && m_handle.isEmpty()) {
            m_handle = handleOf(p.value());
        } else if (p.code() == 2 && !m_named) {
            m_rawName = p.value().trimmed();
            m_named = true;
        }
    }

    DxfLayerStateLayout& m_layout;
    const DxfText& m_text;
    QByteArray m_section;
    QByteArray m_table;
    QByteArray m_marker;
    QByteArray m_handle;
    QByteArray m_rawName;
    qint64 m_begin = 0;
    bool m_named = false;
    bool m_inDictionary = false;
};

} // namespace

QByteArray DxfLayerStateLayout::linetypeHandle(const QString& name) const
{
    return linetypeHandles.value(layerKey(name));
}

DxfLayerStateReader::DxfLayerStateReader(QIODevice& source, const DxfText& text)
    : m_source(source), m_text(text)
{
    walk();
    findStates();
}

DxfLayerStateReader::DxfLayerStateReader(const QByteArray& bytes, const DxfText& text)
    : m_bytes(std::make_unique<QBuffer>()), m_source(*m_bytes), m_text(text)
{
    m_bytes->setData(bytes);
    m_bytes->open(QIODevice::ReadOnly);
    walk();
    findStates();
}

void DxfLayerStateReader::walk()
{
    LayoutWalk walk(m_layout, m_text);
    if (!m_source.seek(0))
        return;
    DxfPairStream p(m_source);
    qint64 end = 0;
    while (p.next()) {
        end = p.endOffset();
        if (p.code() == 0)
            walk.marker(p);
        else
            walk.pair(p);
    }
    walk.close(end);
}

QVector<DxfRawPair> DxfLayerStateReader::objectPairs(const DxfLayerStateLayout::Object& object) const
{
    if (object.begin < 0 || object.end < object.begin || !m_source.seek(object.begin))
        return {};
    return DxfRawPair::split(m_source.read(object.end - object.begin));
}

// The named entries of a dictionary: a name (3) and the handle after it.
QVector<DxfLayerStateLayout::Entry> DxfLayerStateReader::dictionaryEntries(const QByteArray& handle) const
{
    QVector<DxfLayerStateLayout::Entry> entries;
    const auto found = m_layout.dictionaries.constFind(handle);
    if (found == m_layout.dictionaries.constEnd())
        return entries;
    const QVector<DxfRawPair> pairs = objectPairs(found.value());
    for (int i = 0; i + 1 < pairs.size(); ++i) {
        const int next = pairs.at(i + 1).code;
        if (pairs.at(i).code == 3 && (next == 350 || next == 360))
            entries.append({m_text.decode(pairs.at(i).value), handleOf(pairs.at(i + 1).value)});
    }
    return entries;
}

void DxfLayerStateReader::findStates()
{
    if (!m_layout.storable() || m_layout.tableDictionary.isEmpty())
        return;
    for (const DxfLayerStateLayout::Entry& e : dictionaryEntries(m_layout.tableDictionary)) {
        if (e.name == QString::fromLatin1(kStatesKey) && m_layout.dictionaries.contains(e.handle)) {
            m_layout.statesDictionary = e.handle;
            m_layout.entries = dictionaryEntries(e.handle);
            return;
        }
    }
}

DrawingLayerStates DxfLayerStateReader::states(QStringList& notes) const
{
    DrawingLayerStates states;
    states.storable = m_layout.storable();
    states.layerHandles = m_layout.layerHandles;
    int missing = 0;
    QSet<QString> taken; // layerKey() of every name met
    for (const DxfLayerStateLayout::Entry& e : m_layout.entries) {
        const auto record = m_layout.records.constFind(e.handle);
        // An entry that names no object points nowhere: a save that
        // writes the dictionary leaves it out.
        const bool found = record != m_layout.records.constEnd();
        if (!found && !m_layout.dictionaries.contains(e.handle)) {
            ++missing;
            continue;
        }
        DrawingLayerState state;
        const bool twice = taken.contains(layerKey(e.name));
        taken.insert(layerKey(e.name));
        if (!found || twice || states.states.size() >= maxStates || !parse(objectPairs(record.value()), state)) {
            states.unreadable.append(e.name);
            notes.append(QStringLiteral("The layer state \"%1\" cannot be read; it is kept as it is.").arg(e.name));
            continue;
        }
        state.name = e.name;
        state.handle = e.handle;
        states.states.append(state);
    }
    if (missing > 0)
        notes.append(QStringLiteral("%1 layer state(s) name no record and were left out.").arg(missing));
    return states;
}

bool DxfLayerStateReader::parse(const QVector<DxfRawPair>& pairs, DrawingLayerState& out) const
{
    int i = 0;
    while (i < pairs.size() && !pairs.at(i).is(100, "AcDbXrecord"))
        ++i;
    if (i == pairs.size())
        return false;
    ++i;
    if (i < pairs.size() && pairs.at(i).code == 280)
        ++i;
    bool haveMask = false;
    for (; i < pairs.size() && pairs.at(i).code != 330; ++i) {
        const DxfRawPair& p = pairs.at(i);
        if (p.code == 91 && !haveMask) {
            if (!toInt(p.value, out.mask))
                return false;
            haveMask = true;
        } else if (p.code == 301) {
            out.description = m_text.decode(p.value);
        } else if (p.code == 302) {
            out.currentLayer = m_text.decode(p.value);
        } else {
            out.other.append({p.code, p.value});
        }
    }
    for (; i < pairs.size(); ++i) {
        if (pairs.at(i).code == 330) {
            if (out.layers.size() >= maxLayers)
                return false;
            out.layers.append(DrawingLayerStateEntry());
            out.layers.last().layer = handleOf(pairs.at(i).value);
            out.layers.last().layerName = m_layout.layerNames.value(out.layers.last().layer);
        } else if (!parseLayer(pairs.at(i), out.layers.last())) {
            return false;
        }
    }
    return haveMask;
}

// One group of a layer's part of a record; false when its value is not what the code holds.
bool DxfLayerStateReader::parseLayer(const DxfRawPair& p, DrawingLayerStateEntry& entry) const
{
    int number = 0;
    switch (p.code) {
    case 90:
        return toInt(p.value, entry.flags);
    case 62:
        if (!toInt(p.value, number))
            return false;
        entry.colorIndex = qAbs(number);
        return true;
    case 370:
        return toInt(p.value, entry.lineWeight);
    case 331:
        entry.linetypeHandle = handleOf(p.value);
        entry.linetype = m_layout.linetypeNames.value(entry.linetypeHandle);
        return true;
    case 92:
        if (!toInt(p.value, number))
            return false;
        // A true color: the method byte 0xC2 above the RGB.
        if ((static_cast<quint32>(number) >> 24) == 0xC2u) {
            entry.trueColor = QColor::fromRgb(static_cast<QRgb>(number) & 0xFFFFFFu);
            return true;
        }
        break;
    case 300:
        entry.colorBook = p.value;
        return true;
    default:
        break;
    }
    entry.other.append({p.code, p.value});
    return true;
}

} // namespace Demo
