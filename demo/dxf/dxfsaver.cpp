#include "dxfsaver.h"

#include "dxfimport.h"
#include "dxfpairstream.h"
#include "layertablestate.h"

#include <algorithm>

namespace Demo {
namespace {

bool isChanged(const SavedLayer& layer)
{
    return layer.erased || !layer.inFile || !sameLayer(layer.saved, layer.now);
}

qulonglong handleValue(const DxfPairStream& s)
{
    return s.code() == 5 || s.code() == 105 ? s.value().trimmed().toULongLong(nullptr, 16) : 0;
}

} // namespace

DxfSaver::DxfSaver(QIODevice& source) : m_source(source)
{
    learn();
}

// The first pass: the header variables a save changes or needs, the tables
// it reads or writes, and the handles in them. Pairs are read up to the end
// of the TABLES section; the rest is only read, for the fingerprint.
void DxfSaver::learn()
{
    if (!rewind())
        return;
    DxfPairStream s(m_source);
    QByteArray section;
    QByteArray variable;
    bool named = false;
    qulonglong highest = 0;
    while (s.next()) {
        if (s.ordinal() == 0) {
            m_lineEnd = DxfRawPair::lineEndOf(s.pair().raw);
            m_codeLike = s.codeLine();
        }
        if (named)
            section = s.value().trimmed();
        named = s.code() == 0 && s.valueIs("SECTION");
        learnPair(s, variable);
        highest = std::max(highest, handleValue(s));
        m_headPairs = s.ordinal() + 1;
        if (section == "TABLES" && s.code() == 0 && s.valueIs("ENDSEC"))
            break;
    }
    if (!s.finish()) {
        m_error = QStringLiteral("the drawing's file could not be read: %1").arg(m_source.errorString());
        return;
    }
    m_fingerprint = s.fingerprint();
    m_text = DxfText(m_version, m_codePage);
    // New handles start above every handle in use, and above the seed.
    m_nextHandle = std::max(m_nextHandle, highest + 1);
}

void DxfSaver::learnPair(const DxfPairStream& s, QByteArray& variable)
{
    const qint64 at = s.ordinal();
    // The version and the code page count where the first section holds them.
    if (m_headerEnd < 0 && variable == "$ACADVER" && s.code() != 9 && m_version.isEmpty())
        m_version = s.value().trimmed();
    else if (m_headerEnd < 0 && variable == "$DWGCODEPAGE" && s.code() != 9 && m_codePage.isEmpty())
        m_codePage = s.value().trimmed();
    if (m_headerEnd < 0 && variable.startsWith('$') && s.code() == 0 && s.valueIs("ENDSEC"))
        m_headerEnd = at;
    if (s.code() == 9)
        variable = s.value().trimmed();
    if (s.code() == 9 && s.valueIs("$CLAYER")) {
        m_haveCurrent = true;
    } else if (variable == "$HANDSEED" && s.code() == 5 && m_handSeed < 0) {
        m_handSeed = at;
        m_nextHandle = s.value().trimmed().toULongLong(nullptr, 16);
    }
    learnTable(s);
}

// Keeps the first LAYER, APPID and LTYPE tables as text.
void DxfSaver::learnTable(const DxfPairStream& s)
{
    const bool marker = s.code() == 0;
    if (m_learning && marker && s.valueIs("ENDTAB")) {
        m_learning->end = s.ordinal();
        m_learning = nullptr;
    } else if (m_learning && marker && (s.valueIs("TABLE") || s.valueIs("ENDSEC") || s.valueIs("EOF"))) {
        m_learning->drop();
        m_learning = nullptr;
    } else if (m_learning) {
        m_learning->add(s.code(), s.rawData(), s.rawSize(), s.ordinal());
    } else if (m_tableMarkerAt >= 0 && s.code() == 2) {
        DxfTableBytes* table = s.valueIs("LAYER") ? &m_layers : s.valueIs("APPID") ? &m_apps
                             : s.valueIs("LTYPE") ? &m_linetypes : nullptr;
        if (table && !table->seen) {
            table->add(0, m_tableMarker.constData(), m_tableMarker.size(), m_tableMarkerAt);
            table->add(s.code(), s.rawData(), s.rawSize(), s.ordinal());
            m_learning = table;
        }
    }
    m_tableMarkerAt = marker && s.valueIs("TABLE") ? s.ordinal() : -1;
    if (m_tableMarkerAt >= 0)
        m_tableMarker = QByteArray(s.rawData(), s.rawSize());
}

bool DxfSaver::rewind()
{
    if (m_error.isEmpty() && !m_source.seek(0))
        m_error = QStringLiteral("the drawing's file could not be read: %1").arg(m_source.errorString());
    return m_error.isEmpty();
}

// Reads the rest of a pass; false, with why in m_error, when the pass did
// not read what the first one did.
bool DxfSaver::endPass(DxfPairStream& s)
{
    if (!s.finish() && !s.writeFailed())
        m_error = QStringLiteral("the drawing's file could not be read: %1").arg(m_source.errorString());
    else if (s.fingerprint() != m_fingerprint && !s.writeFailed())
        m_error = QStringLiteral("the drawing's file changed while it was being saved");
    return m_error.isEmpty();
}

// A pass over every pair: the highest handle, and one step of the objects
// the deleted layers take along (those owned by one already taken). Returns
// whether more objects were taken; the markers of those taken are noted.
bool DxfSaver::walkObjects()
{
    m_objectsWalked = true;
    if (!rewind())
        return false;
    DxfPairStream s(m_source);
    QByteArray section, handle, owner;
    bool named = false, inGroup = false, grew = false;
    qint64 marker = -1;
    qulonglong highest = 0;
    m_dropMarkers.clear();
    const auto endObject = [&] {
        if (!handle.isEmpty() && m_dropped.contains(owner) && !m_dropped.contains(handle)) {
            m_dropped.insert(handle);
            grew = true;
        }
        if (!handle.isEmpty() && m_dropped.contains(handle))
            m_dropMarkers.insert(marker);
    };
    while (s.next()) {
        highest = std::max(highest, handleValue(s));
        if (named)
            section = s.value().trimmed();
        named = s.code() == 0 && s.valueIs("SECTION");
        if (m_dropped.isEmpty() || section != "OBJECTS")
            continue;
        if (s.code() == 0) {
            endObject();
            marker = s.ordinal();
            handle.clear();
            owner.clear();
            inGroup = false;
        } else if (s.code() == 102) {
            inGroup = s.value().startsWith('{');
        } else if (s.code() == 5 && handle.isEmpty()) {
            handle = s.value().trimmed().toUpper();
        } else if (s.code() == 330 && !inGroup && owner.isEmpty()) {
            owner = s.value().trimmed().toUpper();
        }
    }
    endObject();
    m_nextHandle = std::max(m_nextHandle, highest + 1);
    return endPass(s) && grew;
}

int DxfSaver::templateEntry()
{
    // Layer "0" has every group a layer entry of this version carries.
    if (m_templateEntry != -2)
        return m_templateEntry;
    m_templateEntry = m_layers.entryCount() > 0 ? 0 : -1;
    for (int e = 0; e < m_layers.entryCount(); ++e) {
        if (m_layers.entryValue(e, 2) == "0")
            m_templateEntry = e;
    }
    return m_templateEntry;
}

QByteArray DxfSaver::nextHandle()
{
    if (!m_objectsWalked)
        walkObjects();
    m_handlesTaken = true;
    return QByteArray::number(m_nextHandle++, 16).toUpper();
}

DxfLayerEntry DxfSaver::newLayerEntry(const DrawingLayer& layer)
{
    const int from = templateEntry();
    const bool modern = m_version.mid(2).toInt() >= 1015;
    DxfLayerEntry entry = from < 0 ? DxfLayerEntry::blank(modern, m_codeLike)
                                   : DxfLayerEntry::templateFrom(m_layers.entry(from));
    entry.apply(DrawingLayer(), layer, m_text, true);
    // Entries get a handle where the table's entries have one.
    if (entry.hasHandle())
        entry.setHandle(nextHandle());
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
    // The entries of each changed layer the file holds, found by name as the
    // reader matches them: trimmed, in any letter case.
    QHash<QString, QVector<int>> found;
    for (const SavedLayer& layer : edit.layers) {
        if (layer.inFile && isChanged(layer))
            found.insert(layerKey(layer.saved.name), QVector<int>());
    }
    for (int e = 0; e < m_layers.entryCount() && !found.isEmpty(); ++e) {
        const auto entries = found.find(layerKey(m_text.decode(m_layers.entryValue(e, 2))));
        if (entries != found.end())
            entries->append(e);
    }
    int added = 0;
    bool descriptions = false;
    for (const SavedLayer& layer : edit.layers) {
        if (!isChanged(layer))
            continue;
        const QString problem = layer.erased ? QString() : checkText(layer.now);
        if (!problem.isEmpty())
            return problem;
        const QVector<int> entries = layer.inFile ? found.value(layerKey(layer.saved.name)) : QVector<int>();
        if (entries.size() > 1)
            return QStringLiteral("the file holds %1 entries for layer \"%2\"; which one to change is not clear")
                .arg(entries.size())
                .arg(layer.saved.name);
        const int e = entries.isEmpty() ? -1 : entries.first();
        if (e >= 0) {
            if (layer.erased) {
                m_entryChanges.insert(e, QByteArray());
                dropOwnedObjects(m_layers.entry(e));
                continue;
            }
            if (layer.saved.name != layer.now.name)
                m_renames.insert(layerKey(layer.saved.name), m_text.encode(layer.now.name));
            if (sameLayer(layer.saved, layer.now))
                continue;
            DxfLayerEntry entry(m_layers.entry(e));
            entry.apply(layer.saved, layer.now, m_text, false);
            m_entryChanges.insert(e, entry.bytes(m_lineEnd));
            descriptions = descriptions || entry.hasDescription();
            continue;
        }
        // A layer the file lacks and nobody changed (the "0" a reader adds) stays out.
        if (layer.erased || (layer.inFile && sameLayer(layer.saved, layer.now)))
            continue;
        const DxfLayerEntry entry = newLayerEntry(layer.now);
        m_added += entry.bytes(m_lineEnd);
        ++added;
        descriptions = descriptions || entry.hasDescription();
    }
    const int erased = static_cast<int>(std::count(m_entryChanges.cbegin(), m_entryChanges.cend(), QByteArray()));
    // A count that was wrong stays as it was while no entry comes or goes.
    m_layerCount = added > 0 || erased > 0 ? m_layers.entryCount() - erased + added : -1;
    if (descriptions && !hasApp())
        m_appEntry = buildAppEntry();
    return QString();
}

// The objects a deleted layer entry owns (its extension dictionary) go
// with it, and so does whatever they own in turn (see walkObjects()).
void DxfSaver::dropOwnedObjects(const QVector<DxfRawPair>& entry)
{
    bool inDictionary = false;
    for (const DxfRawPair& p : entry) {
        if (p.code == 102)
            inDictionary = p.value.trimmed() == "{ACAD_XDICTIONARY";
        else if (inDictionary && p.code == 360)
            m_dropped.insert(p.value.trimmed().toUpper());
    }
}

bool DxfSaver::hasApp() const
{
    for (int e = 0; e < m_apps.entryCount(); ++e) {
        for (const DxfRawPair& p : m_apps.entry(e)) {
            if (p.code == 2 && p.value.compare(DxfLayerEntry::descriptionApp, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

QByteArray DxfSaver::buildAppEntry()
{
    if (m_apps.entryCount() == 0)
        return QByteArray();
    DxfLayerEntry entry = DxfLayerEntry::templateFrom(m_apps.entry(0));
    entry.setGroup(2, DxfLayerEntry::descriptionApp);
    entry.setGroup(70, "0");
    if (entry.hasHandle())
        entry.setHandle(nextHandle());
    return entry.bytes(m_lineEnd);
}

// Builds what the edit writes; why it cannot be written, else "".
QString DxfSaver::prepare(const DxfLayerEdit& edit)
{
    if (m_layers.isComplete()) {
        const QString problem = buildLayerTable(edit);
        if (!problem.isEmpty())
            return problem;
    } else {
        for (const SavedLayer& layer : edit.layers) {
            // A reader makes up layer "0" and the layers objects name: unchanged, they need no table.
            if (isChanged(layer))
                return QStringLiteral("the file has no complete LAYER table to write layer changes into");
        }
    }
    if (edit.current != edit.savedCurrent && !m_text.canStore(edit.current))
        return QStringLiteral("the current layer's name cannot be stored in this file");
    // The objects a deleted layer takes are known once a pass takes no more.
    if (!m_dropped.isEmpty()) {
        while (walkObjects()) {
        }
    }
    return m_error;
}

bool DxfSaver::write(const DxfLayerEdit& edit, QIODevice& out, QString& error)
{
    error = m_error.isEmpty() ? prepare(edit) : m_error;
    if (!error.isEmpty() || !rewind()) {
        error = error.isEmpty() ? m_error : error;
        return false;
    }
    DxfPairStream s(m_source, &out);
    CopyState state;
    while (s.next() && copyPair(s, state, edit)) {
    }
    if (!endPass(s))
        error = m_error;
    else if (s.writeFailed())
        error = out.errorString();
    return error.isEmpty();
}

// The LAYER table as the edit leaves it, up to its ENDTAB: its head with the
// new count, the entries kept, changed and added.
QByteArray DxfSaver::layerTableBytes() const
{
    QByteArray table;
    const QVector<DxfRawPair> head = m_layers.head();
    for (int h = 0; h < head.size(); ++h) {
        DxfRawPair p = head.at(h);
        if (m_layers.begin + h == m_layers.count && m_layerCount >= 0)
            p.setValue(QByteArray::number(m_layerCount));
        table += p.bytes(m_lineEnd);
    }
    for (int e = 0; e < m_layers.entryCount(); ++e) {
        const auto changed = m_entryChanges.constFind(e);
        table += changed == m_entryChanges.constEnd() ? m_layers.entryBytes(e) : changed.value();
    }
    return table + m_added;
}

// Copies one pair, changed where the edit changes it; false once the rest
// of the file can be copied as it is.
bool DxfSaver::copyPair(DxfPairStream& s, CopyState& c, const DxfLayerEdit& edit)
{
    const qint64 at = s.ordinal();
    if (c.named)
        c.section = s.value().trimmed();
    c.named = s.code() == 0 && s.valueIs("SECTION");
    if (s.code() == 0 && !m_dropMarkers.isEmpty())
        c.dropping = c.section == "OBJECTS" && m_dropMarkers.contains(at);
    if (c.dropping || (at > m_layers.begin && at < m_layers.end)) {
        s.drop();
    } else if (at == m_layers.begin) {
        s.replace(layerTableBytes());
    } else if (at == m_apps.count && !m_appEntry.isEmpty()) {
        DxfRawPair p = s.pair();
        p.setValue(QByteArray::number(p.value.trimmed().toInt() + 1));
        s.replace(p.bytes(m_lineEnd));
    } else {
        if (at == m_apps.end && !m_appEntry.isEmpty())
            s.insert(m_appEntry);
        // A header without a current layer gets one when it is not "0".
        if (at == m_headerEnd && !m_haveCurrent && edit.current != edit.savedCurrent)
            s.insert(DxfRawPair(9, "$CLAYER", m_codeLike).bytes(m_lineEnd)
                     + DxfRawPair(8, m_text.encode(edit.current), m_codeLike).bytes(m_lineEnd));
        changePair(s, c, edit);
    }
    return at + 1 < m_headPairs || !m_renames.isEmpty() || !m_dropMarkers.isEmpty();
}

// A pair outside the layer and application tables: the current layer, the
// handle seed and the layer of each object are the ones that may change.
void DxfSaver::changePair(DxfPairStream& s, CopyState& c, const DxfLayerEdit& edit)
{
    QByteArray value;
    if (c.section == "HEADER") {
        if (s.code() == 9)
            c.variable = s.value().trimmed();
        else if (c.variable == "$CLAYER" && s.code() == 8 && edit.current != edit.savedCurrent)
            value = m_text.encode(edit.current);
        else if (s.ordinal() == m_handSeed && m_handlesTaken)
            value = QByteArray::number(m_nextHandle, 16).toUpper();
    } else if (s.code() == 8 && !m_renames.isEmpty()
               && (c.section == "ENTITIES" || c.section == "BLOCKS" || c.section == "OBJECTS")) {
        value = renamedLayer(s.value());
    }
    if (value.isEmpty())
        return;
    DxfRawPair p = s.pair();
    p.setValue(value);
    s.replace(p.bytes(m_lineEnd));
}

// The new value for a layer name as objects spell it; empty when kept.
QByteArray DxfSaver::renamedLayer(const QByteArray& raw)
{
    const auto cached = m_renamedRaw.constFind(raw);
    if (cached != m_renamedRaw.constEnd())
        return cached.value();
    const QByteArray renamed = m_renames.value(layerKey(m_text.decode(raw)));
    m_renamedRaw.insert(raw, renamed);
    return renamed;
}

QVector<QPair<QString, QString>> DxfSaver::linetypes() const
{
    QVector<QPair<QString, QString>> found;
    for (int e = 0; e < m_linetypes.entryCount(); ++e) {
        QPair<QString, QString> linetype;
        for (const DxfRawPair& p : m_linetypes.entry(e)) {
            if (p.code == 2)
                linetype.first = m_text.decode(p.value);
            else if (p.code == 3)
                linetype.second = m_text.decode(p.value);
        }
        if (!linetype.first.isEmpty())
            found.append(linetype);
    }
    return found;
}

} // namespace Demo
