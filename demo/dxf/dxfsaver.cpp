#include "dxfsaver.h"

#include "dxfimport.h"
#include "dxflayerstatewriter.h"
#include "layertablestate.h"

#include <algorithm>

namespace Demo {
namespace {

// The value of a header variable (the pair after "9 name"), or empty.
QByteArray headerValue(const QVector<DxfRawPair>& pairs, const char* name)
{
    for (int i = 0; i + 1 < pairs.size(); ++i) {
        if (pairs.at(i).is(0, "ENDSEC"))
            break;
        if (pairs.at(i).is(9, name))
            return pairs.at(i + 1).value.trimmed();
    }
    return QByteArray();
}


} // namespace

DxfSaver::DxfSaver(const QByteArray& source)
    : m_source(source),
      m_headEnd(DxfTailCopy::headLength(source)),
      m_pairs(DxfRawPair::split(source, m_headEnd)),
      m_lineEnd(DxfRawPair::lineEndOf(source)),
      m_version(headerValue(m_pairs, "$ACADVER")),
      m_codePage(headerValue(m_pairs, "$DWGCODEPAGE")),
      m_text(m_version, m_codePage)
{
    for (const DxfRawPair& p : m_pairs)
        m_headBytes += p.raw.size();
    // When the head's pairs stop short of it, what follows is copied as it is.
    m_tail = m_headBytes == m_headEnd ? m_headBytes : -1;
    locate();
}

void DxfSaver::locate()
{
    m_layers = findTable("LAYER");
    m_apps = findTable("APPID");
    QByteArray variable;
    qulonglong highest = 0;
    for (int i = 0; i < m_pairs.size(); ++i) {
        const DxfRawPair& p = m_pairs.at(i);
        if (m_headerEnd < 0 && variable.startsWith('$') && p.is(0, "ENDSEC"))
            m_headerEnd = i;
        if (p.code == 9)
            variable = p.value.trimmed();
        if (p.is(9, "$CLAYER"))
            m_haveCurrent = true;
        else if (variable == "$HANDSEED" && p.code == 5 && m_handSeed < 0)
            m_handSeed = i;
        if (p.code == 5 || p.code == 105)
            highest = std::max(highest, p.value.trimmed().toULongLong(nullptr, 16));
    }
    // New handles start above every handle in use, and above the seed.
    m_nextHandle = highest + 1;
    if (m_handSeed >= 0)
        m_nextHandle = std::max(m_nextHandle, m_pairs.at(m_handSeed).value.trimmed().toULongLong(nullptr, 16));
}

DxfSaver::TableRange DxfSaver::findTable(const char* name) const
{
    TableRange range;
    for (int i = 0; i + 1 < m_pairs.size() && range.begin < 0; ++i) {
        if (m_pairs.at(i).is(0, "TABLE") && m_pairs.at(i + 1).is(2, name))
            range.begin = i;
    }
    if (range.begin < 0)
        return range;
    bool inHead = true;
    for (int i = range.begin + 2; i < m_pairs.size(); ++i) {
        const DxfRawPair& p = m_pairs.at(i);
        if (p.is(0, "ENDTAB")) {
            range.end = i;
            return range;
        }
        // A table that ends without ENDTAB has no place to write entries into.
        if (p.is(0, "TABLE") || p.is(0, "ENDSEC") || p.is(0, "EOF"))
            return TableRange();
        if (p.code == 0)
            inHead = false;
        else if (inHead && p.code == 70 && range.count < 0)
            range.count = i;
    }
    return TableRange();
}

QVector<QPair<int, int>> DxfSaver::entries(const TableRange& table) const
{
    QVector<QPair<int, int>> found;
    if (table.begin < 0)
        return found;
    for (int i = table.begin + 1; i < table.end; ++i) {
        if (m_pairs.at(i).code != 0)
            continue;
        if (!found.isEmpty())
            found.last().second = i;
        found.append(qMakePair(i, table.end));
    }
    return found;
}

// The handle of the object whose marker is at index, upper case.
QByteArray DxfSaver::handleOf(int index) const
{
    for (int i = index + 1; i < m_pairs.size() && m_pairs.at(i).code != 0; ++i) {
        if (m_pairs.at(i).code == 5)
            return m_pairs.at(i).value.trimmed().toUpper();
    }
    return QByteArray();
}

// The handles after the head, which new ones must stay above; read only
// when a save takes a handle.
void DxfSaver::takeTailHandles()
{
    m_tailHandlesTaken = true;
    m_nextHandle = std::max(m_nextHandle, tail().highestHandle() + 1);
}

QByteArray DxfSaver::nextHandle()
{
    if (!m_tailHandlesTaken)
        takeTailHandles();
    m_handlesTaken = true;
    return QByteArray::number(m_nextHandle++, 16).toUpper();
}

DxfLayerEntry DxfSaver::newLayerEntry(const DrawingLayer& layer, const TableRange& table)
{
    const QVector<QPair<int, int>> all = entries(table);
    // Layer "0" has every group a layer entry of this version carries.
    int from = all.isEmpty() ? -1 : 0;
    for (int e = 0; e < all.size(); ++e) {
        for (int i = all.at(e).first; i < all.at(e).second; ++i) {
            if (m_pairs.at(i).is(2, "0"))
                from = e;
        }
    }
    const bool modern = m_version.mid(2).toInt() >= 1015;
    DxfLayerEntry entry = from < 0 ? DxfLayerEntry::blank(modern, m_pairs.first().codeLine)
                                   : DxfLayerEntry::templateFrom(
                                         m_pairs.mid(all.at(from).first, all.at(from).second - all.at(from).first));
    entry.apply(DrawingLayer(), layer, m_text, true);
    // Entries get a handle where the table's entries have one.
    if (entry.hasHandle()) {
        const QByteArray handle = nextHandle();
        entry.setHandle(handle);
        m_newLayerHandles.insert(layerKey(layer.name), handle);
    }
    return entry;
}

// Names and texts are checked where they are typed; this is the last
// guard, for changes made past those checks.
QString DxfSaver::checkText(const DrawingLayer& layer) const
{
    if (!m_text.canStore(layer.name) || m_text.encode(layer.name).size() > DxfImport::maxNameLength)
        return QStringLiteral("the name of layer \"%1\" cannot be stored in this file").arg(layer.name);
    if (!m_text.canStore(layer.description)
        || m_text.encode(layer.description).size() > DxfLayerEntry::maxDescriptionBytes)
        return QStringLiteral("the description of layer \"%1\" cannot be stored in this file").arg(layer.name);
    return QString();
}

QString DxfSaver::buildLayerTable(const DxfLayerEdit& edit)
{
    const QVector<QPair<int, int>> all = entries(m_layers);
    QVector<QByteArray> written(all.size());
    // Entries by name as the reader matches them: trimmed, in any letter case.
    QMultiHash<QString, int> byName;
    for (int e = 0; e < all.size(); ++e) {
        for (int i = all.at(e).first; i < all.at(e).second; ++i)
            written[e] += m_pairs.at(i).raw;
        for (int i = all.at(e).first; i < all.at(e).second; ++i) {
            if (m_pairs.at(i).code == 2) {
                byName.insert(layerKey(m_text.decode(m_pairs.at(i).value.trimmed())), e);
                break;
            }
        }
    }
    QByteArray added;
    int addedCount = 0;
    bool descriptions = false;
    for (const SavedLayer& layer : edit.layers) {
        const bool changed = layer.erased || !layer.inFile || !sameLayer(layer.saved, layer.now);
        if (!changed)
            continue;
        const QString problem = layer.erased ? QString() : checkText(layer.now);
        if (!problem.isEmpty())
            return problem;
        const QList<int> found = layer.inFile ? byName.values(layerKey(layer.saved.name)) : QList<int>();
        if (found.size() > 1)
            return QStringLiteral("the file holds %1 entries for layer \"%2\"; which one to change is not clear")
                .arg(found.size())
                .arg(layer.saved.name);
        const int e = found.isEmpty() ? -1 : found.first();
        if (e >= 0) {
            if (layer.erased) {
                written[e].clear();
                dropOwnedObjects(m_pairs.mid(all.at(e).first, all.at(e).second - all.at(e).first));
                continue;
            }
            if (layer.saved.name != layer.now.name)
                m_renames.insert(layerKey(layer.saved.name), m_text.encode(layer.now.name));
            if (sameLayer(layer.saved, layer.now))
                continue;
            DxfLayerEntry entry(m_pairs.mid(all.at(e).first, all.at(e).second - all.at(e).first));
            entry.apply(layer.saved, layer.now, m_text, false);
            written[e] = entry.bytes(m_lineEnd);
            descriptions = descriptions || entry.hasDescription();
            continue;
        }
        // A layer the file lacks and nobody changed (the "0" a reader adds) stays out.
        if (layer.erased || (layer.inFile && sameLayer(layer.saved, layer.now)))
            continue;
        const DxfLayerEntry entry = newLayerEntry(layer.now, m_layers);
        added += entry.bytes(m_lineEnd);
        ++addedCount;
        descriptions = descriptions || entry.hasDescription();
    }
    QByteArray table;
    m_layerCount = addedCount;
    for (const QByteArray& w : written) {
        table += w;
        m_layerCount += w.isEmpty() ? 0 : 1;
    }
    // A count that was wrong stays as it was while no entry comes or goes.
    if (m_layerCount == all.size())
        m_layerCount = -1;
    if (descriptions && !hasApp())
        m_appEntry = buildAppEntry();
    m_layerTable = table + added;
    return QString();
}

// The objects a deleted layer entry owns (its extension dictionary) go
// with it, and so does whatever they own in turn.
void DxfSaver::dropOwnedObjects(const QVector<DxfRawPair>& entry)
{
    bool inDictionary = false;
    for (const DxfRawPair& p : entry) {
        if (p.code == 102)
            inDictionary = p.value.trimmed() == "{ACAD_XDICTIONARY";
        else if (inDictionary && p.code == 360)
            m_dropped.insert(p.value.trimmed().toUpper());
    }
    if (m_dropped.isEmpty())
        return;
    DxfTailCopy::addOwned(m_source, m_dropped);
}

bool DxfSaver::hasApp() const
{
    for (const auto& e : entries(m_apps)) {
        for (int i = e.first; i < e.second; ++i) {
            if (m_pairs.at(i).code == 2 && m_pairs.at(i).value.compare(DxfLayerEntry::descriptionApp, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

QByteArray DxfSaver::buildAppEntry()
{
    const QVector<QPair<int, int>> all = entries(m_apps);
    if (all.isEmpty())
        return QByteArray();
    DxfLayerEntry entry = DxfLayerEntry::templateFrom(m_pairs.mid(all.first().first, all.first().second - all.first().first));
    entry.setGroup(2, DxfLayerEntry::descriptionApp);
    entry.setGroup(70, "0");
    if (entry.hasHandle())
        entry.setHandle(nextHandle());
    return entry.bytes(m_lineEnd);
}

DxfTailCopy DxfSaver::tail() const
{
    return DxfTailCopy(m_source, m_tail, m_text, m_lineEnd);
}

// Builds what the edit writes; why it cannot be written, else "".
QString DxfSaver::prepare(const DxfLayerEdit& edit)
{
    if (m_layers.begin >= 0) {
        const QString problem = buildLayerTable(edit);
        if (!problem.isEmpty())
            return problem;
    } else {
        for (const SavedLayer& layer : edit.layers) {
            // A reader makes up layer "0" and the layers objects name: unchanged, they need no table.
            if (layer.erased || !layer.inFile || !sameLayer(layer.saved, layer.now))
                return QStringLiteral("the file has no complete LAYER table to write layer changes into");
        }
    }
    if (edit.current != edit.savedCurrent && !m_text.canStore(edit.current))
        return QStringLiteral("the current layer's name cannot be stored in this file");
    if (!edit.writeStates)
        return QString();
    DxfLayerStateWriter states(m_source, m_headEnd, m_text, m_lineEnd);
    const QString problem = states.prepare(edit.states, m_newLayerHandles, [this]() { return nextHandle(); });
    m_objects = states.edit();
    return problem;
}

bool DxfSaver::write(const DxfLayerEdit& edit, QIODevice& out, QString& error)
{
    error = prepare(edit);
    if (!error.isEmpty())
        return false;
    QByteArray section;
    const QByteArray head = emitHead(edit, section);
    DxfTailCopy rest = tail();
    rest.setObjectEdit(&m_objects);
    if (out.write(head) != head.size() || !rest.copy(out, m_headBytes, section, m_renames, m_dropped)) {
        error = out.errorString();
        return false;
    }
    return true;
}


// The pairs of the head, with the layer table, the application table and
// the header variables written in; section is the one the head ends in.
QByteArray DxfSaver::emitHead(const DxfLayerEdit& edit, QByteArray& section)
{
    QByteArray out;
    out.reserve(m_headBytes + m_layerTable.size());
    QByteArray variable;
    bool dropping = false;
    for (int i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs.at(i).is(0, "SECTION") && i + 1 < m_pairs.size())
            section = m_pairs.at(i + 1).value.trimmed();
        if (m_pairs.at(i).code == 0 && !m_dropped.isEmpty())
            dropping = section == "OBJECTS" && m_dropped.contains(handleOf(i));
        if (dropping)
            continue;
        if (i == m_layers.begin) {
            // The table's head up to its first entry, with the new count.
            const QVector<QPair<int, int>> all = entries(m_layers);
            const int head = all.isEmpty() ? m_layers.end : all.first().first;
            for (int h = i; h < head; ++h) {
                DxfRawPair p = m_pairs.at(h);
                if (h == m_layers.count && m_layerCount >= 0)
                    p.setValue(QByteArray::number(m_layerCount));
                out += p.bytes(m_lineEnd);
                // A table given an extension dictionary names it after its handle.
                if (p.code == 5 && !m_objects.tableDictionary.isEmpty())
                    out += DxfRawPair(102, "{ACAD_XDICTIONARY", p.codeLine).bytes(m_lineEnd)
                           + DxfRawPair(360, m_objects.tableDictionary, p.codeLine).bytes(m_lineEnd)
                           + DxfRawPair(102, "}", p.codeLine).bytes(m_lineEnd);
            }
            out += m_layerTable;
            i = m_layers.end - 1;
            continue;
        }
        if (i == m_apps.end && !m_appEntry.isEmpty())
            out += m_appEntry;
        // A header without a current layer gets one when it is not "0".
        if (i == m_headerEnd && !m_haveCurrent && edit.current != edit.savedCurrent) {
            const QByteArray codeLike = m_pairs.first().codeLine;
            out += DxfRawPair(9, "$CLAYER", codeLike).bytes(m_lineEnd);
            out += DxfRawPair(8, m_text.encode(edit.current), codeLike).bytes(m_lineEnd);
        }
        if (i == m_apps.count && !m_appEntry.isEmpty()) {
            DxfRawPair p = m_pairs.at(i);
            p.setValue(QByteArray::number(p.value.trimmed().toInt() + 1));
            out += p.bytes(m_lineEnd);
            continue;
        }
        out += pairBytes(i, section, variable, edit);
    }
    return out;
}

// A pair outside the layer and application tables: the current layer, the
// handle seed and the layer of each object are the ones that may change.
QByteArray DxfSaver::pairBytes(int index, const QByteArray& section, QByteArray& variable, const DxfLayerEdit& edit)
{
    DxfRawPair p = m_pairs.at(index);
    if (section == "HEADER") {
        if (p.code == 9)
            variable = p.value.trimmed();
        else if (variable == "$CLAYER" && p.code == 8 && edit.current != edit.savedCurrent)
            p.setValue(m_text.encode(edit.current));
        else if (index == m_handSeed && m_handlesTaken)
            p.setValue(QByteArray::number(m_nextHandle, 16).toUpper());
    } else if (p.code == 8 && !m_renames.isEmpty()
               && (section == "ENTITIES" || section == "BLOCKS" || section == "OBJECTS")) {
        const auto renamed = m_renames.constFind(layerKey(m_text.decode(p.value)));
        if (renamed != m_renames.constEnd())
            p.setValue(renamed.value());
    }
    return p.bytes(m_lineEnd);
}

QVector<QPair<QString, QString>> DxfSaver::linetypes() const
{
    QVector<QPair<QString, QString>> found;
    for (const auto& e : entries(findTable("LTYPE"))) {
        QPair<QString, QString> linetype;
        for (int i = e.first; i < e.second; ++i) {
            if (m_pairs.at(i).code == 2)
                linetype.first = m_text.decode(m_pairs.at(i).value);
            else if (m_pairs.at(i).code == 3)
                linetype.second = m_text.decode(m_pairs.at(i).value);
        }
        if (!linetype.first.isEmpty())
            found.append(linetype);
    }
    return found;
}

} // namespace Demo
