#include "dxfsaver.h"

#include "dxfimport.h"
#include "dxflayerstatewriter.h"
#include "dxfpairstream.h"
#include "layertablestate.h"

#include <algorithm>

namespace Demo {
namespace {

bool isChanged(const SavedLayer& layer)
{
    return layer.erased || !layer.inFile || !sameLayer(layer.saved, layer.now);
}

} // namespace

DxfSaver::DxfSaver(QIODevice& source)
    : m_file(source), m_text(m_file.version(), m_file.codePage()), m_nextHandle(m_file.firstFreeHandle())
{
}

// A pass over every pair for the highest handle and one step of the
// objects the deleted layers take along; whether more were taken.
bool DxfSaver::walkObjects()
{
    m_objectsWalked = true;
    qulonglong highest = 0;
    const bool grew = m_file.walkObjects(m_dropped, m_dropMarkers, highest);
    m_nextHandle = std::max(m_nextHandle, highest + 1);
    return grew;
}

int DxfSaver::templateEntry()
{
    // Layer "0" has every group a layer entry of this version carries.
    if (m_templateEntry != -2)
        return m_templateEntry;
    m_templateEntry = m_file.layers().entryCount() > 0 ? 0 : -1;
    for (int e = 0; e < m_file.layers().entryCount(); ++e) {
        if (m_file.layers().entryValue(e, 2) == "0")
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
    const bool modern = m_file.version().mid(2).toInt() >= 1015;
    DxfLayerEntry entry = from < 0 ? DxfLayerEntry::blank(modern, m_file.codeLike())
                                   : DxfLayerEntry::templateFrom(m_file.layers().entry(from));
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

// The entries of each changed layer the file holds, by layerKey() of its
// name as saved, found by name as the reader matches them: trimmed, in any
// letter case. Only the changed layers' names are kept.
QHash<QString, QVector<int>> DxfSaver::entriesOfChanged(const DxfLayerEdit& edit) const
{
    QHash<QString, QVector<int>> found;
    for (const SavedLayer& layer : edit.layers) {
        if (layer.inFile && isChanged(layer))
            found.insert(layerKey(layer.saved.name), QVector<int>());
    }
    for (int e = 0; e < m_file.layers().entryCount() && !found.isEmpty(); ++e) {
        const auto entries = found.find(layerKey(m_text.decode(m_file.layers().entryValue(e, 2))));
        if (entries != found.end())
            entries->append(e);
    }
    return found;
}

QString DxfSaver::buildLayerTable(const DxfLayerEdit& edit)
{
    const QHash<QString, QVector<int>> found = entriesOfChanged(edit);
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
                dropOwnedObjects(m_file.layers().entry(e));
                continue;
            }
            if (layer.saved.name != layer.now.name)
                m_renames.insert(layerKey(layer.saved.name), m_text.encode(layer.now.name));
            if (sameLayer(layer.saved, layer.now))
                continue;
            DxfLayerEntry entry(m_file.layers().entry(e));
            entry.apply(layer.saved, layer.now, m_text, false);
            m_entryChanges.insert(e, entry.bytes(m_file.lineEnd()));
            descriptions = descriptions || entry.hasDescription();
            continue;
        }
        // A layer the file lacks and nobody changed (the "0" a reader adds) stays out.
        if (layer.erased || (layer.inFile && sameLayer(layer.saved, layer.now)))
            continue;
        const DxfLayerEntry entry = newLayerEntry(layer.now);
        m_added += entry.bytes(m_file.lineEnd());
        ++added;
        descriptions = descriptions || entry.hasDescription();
    }
    const int erased = static_cast<int>(std::count(m_entryChanges.cbegin(), m_entryChanges.cend(), QByteArray()));
    // A count that was wrong stays as it was while no entry comes or goes.
    m_layerCount = m_file.layers().entryCount() - erased + added;
    if (m_layerCount == m_file.layers().entryCount())
        m_layerCount = -1;
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
    for (int e = 0; e < m_file.apps().entryCount(); ++e) {
        for (const DxfRawPair& p : m_file.apps().entry(e)) {
            if (p.code == 2 && p.value.compare(DxfLayerEntry::descriptionApp, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

QByteArray DxfSaver::buildAppEntry()
{
    if (m_file.apps().entryCount() == 0)
        return QByteArray();
    DxfLayerEntry entry = DxfLayerEntry::templateFrom(m_file.apps().entry(0));
    entry.setGroup(2, DxfLayerEntry::descriptionApp);
    entry.setGroup(70, "0");
    if (entry.hasHandle())
        entry.setHandle(nextHandle());
    return entry.bytes(m_file.lineEnd());
}

// Builds what the edit writes; why it cannot be written, else "".
QString DxfSaver::prepare(const DxfLayerEdit& edit)
{
    if (m_file.layers().isComplete()) {
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
    if (edit.writeStates && m_file.error().isEmpty()) {
        const QString problem = prepareStates(edit);
        if (!problem.isEmpty())
            return problem;
    }
    return m_file.error();
}

// Plans the objects the layer states change. The states are read where
// they lie, by their offsets, so this costs passes over the file, not its
// bytes in memory; it runs only when states were changed.
QString DxfSaver::prepareStates(const DxfLayerEdit& edit)
{
    const qint64 headEnd = offsetOfPair(m_file.headPairs());
    DxfLayerStateWriter states(m_file.device(), headEnd, m_text, m_file.lineEnd());
    const QString problem = states.prepare(edit.states, m_newLayerHandles, [this] { return nextHandle(); });
    m_objects = states.edit();
    if (problem.isEmpty() && !m_objects.replaced.isEmpty())
        findReplacedObjects();
    return problem;
}

// Where the pair of that number begins; the end of the file when it has fewer.
qint64 DxfSaver::offsetOfPair(qint64 ordinal)
{
    if (!m_file.device().seek(0))
        return 0;
    DxfPairStream s(m_file.device());
    while (s.next()) {
        if (s.ordinal() == ordinal)
            return s.offset();
    }
    return s.endOffset();
}

// The markers of the objects the states replace or leave out, by offset.
void DxfSaver::findReplacedObjects()
{
    if (!m_file.device().seek(0))
        return;
    DxfPairStream s(m_file.device());
    QByteArray section;
    bool named = false;
    qint64 marker = -1;
    while (s.next()) {
        if (named)
            section = s.value().trimmed();
        named = s.code() == 0 && s.valueIs("SECTION");
        if (section != "OBJECTS")
            continue;
        if (s.code() == 0) {
            marker = s.offset();
        } else if (s.code() == 5 && marker >= 0) {
            const auto replaced = m_objects.replaced.constFind(s.value().trimmed().toUpper());
            if (replaced != m_objects.replaced.constEnd())
                m_replaceAt.insert(marker, replaced.value());
            marker = -1;
        }
    }
}

bool DxfSaver::write(const DxfLayerEdit& edit, QIODevice& out, QString& error)
{
    error = m_file.error().isEmpty() ? prepare(edit) : m_file.error();
    if (error.isEmpty() && !m_file.rewind())
        error = m_file.error();
    if (!error.isEmpty())
        return false;
    DxfPairStream s(m_file.device(), &out);
    CopyState state;
    while (s.next() && copyPair(s, state, edit)) {
    }
    if (!m_file.endPass(s))
        error = m_file.error();
    else if (s.writeFailed())
        error = out.errorString();
    return error.isEmpty();
}

// Writes the LAYER table as the edit leaves it, up to its ENDTAB, in place
// of its marker: its head with the new count, the entries kept, changed and
// added. The old entries are left out as the copy passes them.
void DxfSaver::writeLayerTable(DxfPairStream& s) const
{
    const DxfTableBytes& table = m_file.layers();
    const QVector<DxfRawPair> head = table.head();
    for (int h = 0; h < head.size(); ++h) {
        DxfRawPair p = head.at(h);
        if (table.begin + h == table.count && m_layerCount >= 0)
            p.setValue(QByteArray::number(m_layerCount));
        s.insert(p.bytes(m_file.lineEnd()));
        // A table given an extension dictionary names it after its handle.
        if (p.code == 5 && !m_objects.tableDictionary.isEmpty())
            s.insert(DxfRawPair(102, "{ACAD_XDICTIONARY", p.codeLine).bytes(m_file.lineEnd())
                     + DxfRawPair(360, m_objects.tableDictionary, p.codeLine).bytes(m_file.lineEnd())
                     + DxfRawPair(102, "}", p.codeLine).bytes(m_file.lineEnd()));
    }
    for (int e = 0; e < table.entryCount(); ++e) {
        const auto changed = m_entryChanges.constFind(e);
        s.insert(changed == m_entryChanges.constEnd() ? table.entryBytes(e) : changed.value());
    }
    s.insert(m_added);
    s.drop();
}

// Copies one pair, changed where the edit changes it; false once the rest
// of the file can be copied as it is.
bool DxfSaver::copyPair(DxfPairStream& s, CopyState& c, const DxfLayerEdit& edit)
{
    const qint64 at = s.ordinal();
    if (c.named)
        c.section = s.value().trimmed();
    c.named = s.code() == 0 && s.valueIs("SECTION");
    if (s.code() == 0 && c.section == "OBJECTS" && !m_objects.isEmpty()) {
        // New objects go before the section's end; a replaced one in its place.
        if (s.offset() == m_objects.addAt)
            s.insert(m_objects.added);
        const auto replaced = m_replaceAt.constFind(s.offset());
        c.dropping = m_dropMarkers.contains(at) || replaced != m_replaceAt.constEnd();
        if (replaced != m_replaceAt.constEnd())
            s.insert(replaced.value());
    } else if (s.code() == 0 && !m_dropMarkers.isEmpty()) {
        c.dropping = c.section == "OBJECTS" && m_dropMarkers.contains(at);
    }
    if (c.dropping || (at > m_file.layers().begin && at < m_file.layers().end)) {
        s.drop();
    } else if (at == m_file.layers().begin) {
        writeLayerTable(s);
    } else if (at == m_file.apps().count && !m_appEntry.isEmpty()) {
        DxfRawPair p = s.pair();
        p.setValue(QByteArray::number(p.value.trimmed().toInt() + 1));
        s.replace(p.bytes(m_file.lineEnd()));
    } else {
        if (at == m_file.apps().end && !m_appEntry.isEmpty())
            s.insert(m_appEntry);
        // A header without a current layer gets one when it is not "0".
        if (at == m_file.headerEnd() && !m_file.hasCurrentLayer() && edit.current != edit.savedCurrent)
            s.insert(DxfRawPair(9, "$CLAYER", m_file.codeLike()).bytes(m_file.lineEnd())
                     + DxfRawPair(8, m_text.encode(edit.current), m_file.codeLike()).bytes(m_file.lineEnd()));
        changePair(s, c, edit);
    }
    return at + 1 < m_file.headPairs() || !m_renames.isEmpty() || !m_dropMarkers.isEmpty() || !m_objects.isEmpty();
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
        else if (s.ordinal() == m_file.handSeed() && m_handlesTaken)
            value = QByteArray::number(m_nextHandle, 16).toUpper();
    } else if (s.code() == 8 && !m_renames.isEmpty()
               && (c.section == "ENTITIES" || c.section == "BLOCKS" || c.section == "OBJECTS")) {
        value = renamedLayer(s.value());
    }
    if (value.isEmpty())
        return;
    DxfRawPair p = s.pair();
    p.setValue(value);
    s.replace(p.bytes(m_file.lineEnd()));
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
    for (int e = 0; e < m_file.linetypes().entryCount(); ++e) {
        QPair<QString, QString> linetype;
        for (const DxfRawPair& p : m_file.linetypes().entry(e)) {
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
