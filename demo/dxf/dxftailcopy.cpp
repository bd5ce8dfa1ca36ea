#include "dxftailcopy.h"

#include "drawingdata.h"
#include "dxfpairstream.h"
#include "dxfrawpair.h"

#include <algorithm>

namespace Demo {
namespace {

bool put(QIODevice& out, const char* data, qint64 size)
{
    return size == 0 || out.write(data, size) == size;
}

// The handle of the object whose marker p is at, upper case.
QByteArray handleAt(DxfPairStream p)
{
    while (p.next() && p.code() != 0) {
        if (p.code() == 5)
            return p.value().trimmed().toUpper();
    }
    return QByteArray();
}

} // namespace

DxfTailCopy::DxfTailCopy(const QByteArray& source, int begin, const DxfText& text, const QByteArray& lineEnd)
    : m_source(source), m_begin(begin), m_text(text), m_lineEnd(lineEnd)
{
}

// Sections come in order: HEADER, TABLES, then the rest. In a file where
// they do not, the head just holds more.
int DxfTailCopy::headLength(const QByteArray& source)
{
    DxfPairStream s(source, 0);
    bool named = false;
    QByteArray section;
    int headerEnd = -1;
    while (s.next()) {
        if (named)
            section = s.value().trimmed();
        named = s.code() == 0 && s.valueIs("SECTION");
        if (s.code() != 0 || !s.valueIs("ENDSEC"))
            continue;
        if (section == "TABLES")
            return s.end();
        if (section == "HEADER" && headerEnd < 0)
            headerEnd = s.end();
    }
    return headerEnd >= 0 ? headerEnd : source.size();
}

qulonglong DxfTailCopy::highestHandle() const
{
    qulonglong highest = 0;
    if (m_begin < 0)
        return highest;
    DxfPairStream s(m_source, m_begin);
    while (s.next()) {
        if (s.code() == 5 || s.code() == 105)
            highest = std::max(highest, s.value().trimmed().toULongLong(nullptr, 16));
    }
    return highest;
}

void DxfTailCopy::addOwned(const QByteArray& source, QSet<QByteArray>& handles)
{
    // Each object of the OBJECTS section: its handle and its owner.
    struct Owned { QByteArray handle; QByteArray owner; };
    QVector<Owned> objects;
    QByteArray section;
    bool named = false;
    bool inGroup = false;
    DxfPairStream p(source, 0);
    while (p.next()) {
        if (named)
            section = p.value().trimmed();
        named = p.code() == 0 && p.valueIs("SECTION");
        if (section != "OBJECTS")
            continue;
        if (p.code() == 0) {
            objects.append(Owned());
            inGroup = false;
        } else if (p.code() == 102) {
            inGroup = p.value().startsWith('{');
        } else if (!objects.isEmpty() && p.code() == 5 && objects.last().handle.isEmpty()) {
            objects.last().handle = p.value().trimmed().toUpper();
        } else if (!objects.isEmpty() && p.code() == 330 && !inGroup && objects.last().owner.isEmpty()) {
            objects.last().owner = p.value().trimmed().toUpper();
        }
    }
    for (bool grew = true; grew;) {
        grew = false;
        for (const Owned& o : objects) {
            if (!o.handle.isEmpty() && handles.contains(o.owner) && !handles.contains(o.handle)) {
                handles.insert(o.handle);
                grew = true;
            }
        }
    }
}

// The bytes after the head: copied as they are, but for objects that go
// with a deleted layer, the layer name of objects on a renamed layer, and
// the objects the object edit replaces, leaves out or adds.
bool DxfTailCopy::copy(QIODevice& out, int from, QByteArray section, const QHash<QString, QByteArray>& renames,
                       const QSet<QByteArray>& dropped) const
{
    int copied = from;
    if (m_begin >= 0 && (!renames.isEmpty() || !dropped.isEmpty() || m_objects)) {
        DxfPairStream p(m_source, m_begin);
        bool named = false;
        bool dropping = false;
        while (p.next()) {
            if (named)
                section = p.value().trimmed();
            named = p.code() == 0 && p.valueIs("SECTION");
            QByteArray inserted;
            if (p.code() == 0 && (!dropped.isEmpty() || m_objects))
                dropping = section == "OBJECTS" && objectAt(p, dropped, inserted);
            QByteArray replacement;
            if (!dropping && p.code() == 8 && !renames.isEmpty()
                && (section == "ENTITIES" || section == "BLOCKS" || section == "OBJECTS"))
                replacement = renamedLayer(p.value(), renames);
            if (!dropping && replacement.isEmpty() && inserted.isEmpty())
                continue;
            if (!put(out, m_source.constData() + copied, p.begin() - copied)
                || !put(out, inserted.constData(), inserted.size()))
                return false;
            copied = p.begin();
            if (!dropping && replacement.isEmpty())
                continue;
            if (!replacement.isEmpty()) {
                DxfRawPair changed(8, p.value(), p.codeLine());
                changed.codeLine = p.codeLine();
                changed.setValue(replacement);
                const QByteArray bytes = changed.bytes(m_lineEnd);
                if (!put(out, bytes.constData(), bytes.size()))
                    return false;
            }
            copied = p.end();
        }
    }
    return put(out, m_source.constData() + copied, m_source.size() - copied);
}

// Whether the object whose marker p is at is left out or replaced; what
// goes in its place, or the new objects before the section's end, is
// added to inserted.
bool DxfTailCopy::objectAt(const DxfPairStream& p, const QSet<QByteArray>& dropped, QByteArray& inserted) const
{
    if (m_objects && p.begin() == m_objects->addAt) {
        inserted += m_objects->added;
        return false;
    }
    const QByteArray handle = handleAt(p);
    if (dropped.contains(handle))
        return true;
    const auto replaced = m_objects ? m_objects->replaced.constFind(handle) : QHash<QByteArray, QByteArray>::const_iterator();
    if (!m_objects || replaced == m_objects->replaced.constEnd())
        return false;
    inserted += replaced.value();
    return true;
}

// The new value for a layer name as objects spell it; empty when kept.
QByteArray DxfTailCopy::renamedLayer(const QByteArray& raw, const QHash<QString, QByteArray>& renames) const
{
    const auto cached = m_renamedRaw.constFind(raw);
    if (cached != m_renamedRaw.constEnd())
        return cached.value();
    const QByteArray renamed = renames.value(layerKey(m_text.decode(raw)));
    m_renamedRaw.insert(raw, renamed);
    return renamed;
}

} // namespace Demo
