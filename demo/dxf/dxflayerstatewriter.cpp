#include "dxflayerstatewriter.h"

#include "drawingdata.h"
#include "dxfimport.h"
#include "dxflayerentry.h"
#include "dxfpairstream.h"

#include <QSet>

namespace Demo {
namespace {

const QByteArray kStatesKey = QByteArrayLiteral("ACAD_LAYERSTATES");
const QByteArray kCodeLike = QByteArrayLiteral("  0");

bool isEntry(const QVector<DxfRawPair>& pairs, int i)
{
    return pairs.at(i).code == 3 && i + 1 < pairs.size() && (pairs.at(i + 1).code == 350 || pairs.at(i + 1).code == 360);
}

// A dictionary's pairs with its entries renamed or left out as the two
// tables say, and added written after its last entry.
QByteArray dictionaryBytes(const QVector<DxfRawPair>& pairs, const QHash<QByteArray, QByteArray>& renamed,
                           const QSet<QByteArray>& leftOut, const QByteArray& added, const QByteArray& lineEnd)
{
    QByteArray out;
    int insertAt = -1;
    int xdata = -1;
    for (int i = 0; i < pairs.size(); ++i) {
        if (!isEntry(pairs, i)) {
            if (pairs.at(i).code >= 1000 && xdata < 0)
                xdata = out.size();
            out += pairs.at(i).bytes(lineEnd);
            continue;
        }
        const QByteArray handle = pairs.at(i + 1).value.trimmed().toUpper();
        if (!leftOut.contains(handle)) {
            DxfRawPair name = pairs.at(i);
            if (renamed.contains(handle))
                name.setValue(renamed.value(handle));
            out += name.bytes(lineEnd) + pairs.at(i + 1).bytes(lineEnd);
            insertAt = out.size();
        }
        ++i;
    }
    out.insert(insertAt >= 0 ? insertAt : xdata >= 0 ? xdata : out.size(), added);
    return out;
}

} // namespace

DxfLayerStateWriter::DxfLayerStateWriter(QIODevice& source, qint64 headEnd, const DxfText& text,
                                         const QByteArray& lineEnd)
    : m_source(source), m_headEnd(headEnd), m_text(text), m_lineEnd(lineEnd), m_reader(source, text)
{
    QStringList notes;
    m_file = m_reader.states(notes);
    m_statesDictionary = m_reader.layout().statesDictionary;
}

QByteArray DxfLayerStateWriter::pair(int code, const QByteArray& value) const
{
    return DxfRawPair(code, value, kCodeLike).bytes(m_lineEnd);
}

// The state with every layer named by its handle in the file being
// written, and every linetype by the handle of its entry there.
DrawingLayerState DxfLayerStateWriter::resolved(const DrawingLayerState& state,
                                                const QHash<QString, QByteArray>& newLayers) const
{
    const DxfLayerStateLayout& layout = m_reader.layout();
    DrawingLayerState out = state;
    out.layers.clear();
    for (DrawingLayerStateEntry e : state.layers) {
        if (e.layer.isEmpty()) {
            const QString key = layerKey(e.layerName);
            e.layer = newLayers.value(key, layout.layerHandles.value(key));
        }
        // A layer deleted before the file ever held it has no handle to name it by.
        if (e.layer.isEmpty())
            continue;
        const QByteArray linetype = layout.linetypeHandle(e.linetype);
        if (!linetype.isEmpty() || e.linetypeHandle.isEmpty())
            e.linetypeHandle = linetype.isEmpty() ? layout.linetypeHandle(QStringLiteral("Continuous")) : linetype;
        e.linetype = layout.linetypeNames.value(e.linetypeHandle);
        out.layers.append(e);
    }
    return out;
}

// Names and texts are checked where they are typed; this is the last
// guard, against what would not read back as itself. Texts other programs
// wrote pass as long as they fit a line.
QString DxfLayerStateWriter::check(const DrawingLayerState& state) const
{
    if (state.name.trimmed().isEmpty())
        return QStringLiteral("a layer state has no name");
    const QString texts[] = {state.name, state.description, state.currentLayer};
    for (const QString& text : texts) {
        const int limit = &text == texts ? DxfImport::maxNameLength : DxfImport::maxLineLength - 1;
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || !m_text.canStore(text)
            || m_text.encode(text).size() > limit)
            return QStringLiteral("the layer state \"%1\" cannot be stored in this file").arg(state.name);
    }
    return QString();
}

QString DxfLayerStateWriter::plan(const QVector<DrawingLayerState>& states,
                                  const QHash<QString, QByteArray>& newLayers, Plan& out)
{
    QHash<QByteArray, int> fileByHandle;
    QHash<QString, int> fileByName;
    for (int f = 0; f < m_file.states.size(); ++f) {
        fileByHandle.insert(m_file.states.at(f).handle, f);
        fileByName.insert(layerKey(m_file.states.at(f).name), f);
    }
    QVector<int> match(states.size(), -1);
    QSet<int> matched;
    QSet<QString> names;
    // First the states the file holds by handle, then the others by name.
    for (int pass = 0; pass < 2; ++pass) {
        for (int s = 0; s < states.size(); ++s) {
            const int f = pass == 0 ? fileByHandle.value(states.at(s).handle, -1)
                                    : fileByName.value(layerKey(states.at(s).name), -1);
            if (match.at(s) < 0 && f >= 0 && !matched.contains(f)) {
                match[s] = f;
                matched.insert(f);
            }
        }
    }
    for (int s = 0; s < states.size(); ++s) {
        DrawingLayerState state = resolved(states.at(s), newLayers);
        const QString problem = check(state);
        if (!problem.isEmpty())
            return problem;
        if (names.contains(layerKey(state.name)))
            return QStringLiteral("two layer states are named \"%1\"").arg(state.name);
        names.insert(layerKey(state.name));
        const int f = match.at(s);
        DrawingLayerState file = f >= 0 ? m_file.states.at(f) : DrawingLayerState();
        state.handle = file.handle;
        file.name = state.name;
        out.rewrite.append(f < 0 || state != file);
        out.added.append(f < 0);
        out.dictionary = out.dictionary || f < 0 || m_file.states.at(f).name != state.name;
        out.states.append(state);
    }
    for (int f = 0; f < m_file.states.size(); ++f) {
        if (!matched.contains(f)) {
            out.dictionary = true;
            out.removed.insert(m_file.states.at(f).handle);
        }
    }
    return QString();
}

QString DxfLayerStateWriter::prepare(const QVector<DrawingLayerState>& states,
                                     const QHash<QString, QByteArray>& newLayers,
                                     const std::function<QByteArray()>& nextHandle)
{
    m_edit = DxfObjectEdit();
    Plan plan;
    QString problem = this->plan(states, newLayers, plan);
    if (!problem.isEmpty() || (!plan.dictionary && !plan.rewrite.contains(true)))
        return problem;
    const DxfLayerStateLayout& layout = m_reader.layout();
    if (!layout.storable())
        return QStringLiteral("this file has no place for layer states (it is DXF R12, or its layer table has no handle)");
    if (layout.objectsEnd < m_headEnd)
        return QStringLiteral("the file's objects come before its tables; layer states cannot be written into it");
    const bool newDictionary = m_statesDictionary.isEmpty();
    if (newDictionary) {
        problem = makeDictionaries(nextHandle);
        if (!problem.isEmpty())
            return problem;
    }
    QByteArray records;
    for (int s = 0; s < plan.states.size(); ++s) {
        if (plan.added.at(s))
            plan.states[s].handle = nextHandle();
        if (!plan.rewrite.at(s))
            continue;
        const QByteArray bytes = record(plan.states.at(s), m_statesDictionary);
        if (plan.added.at(s))
            records += bytes;
        else
            m_edit.replaced.insert(plan.states.at(s).handle, bytes);
    }
    // A record that goes takes what it owns (its extension dictionary) along.
    QSet<QByteArray> gone = plan.removed;
    addOwned(gone);
    for (const QByteArray& handle : gone)
        m_edit.replaced.insert(handle, QByteArray());
    if (newDictionary)
        m_dictionaries += objectHead("DICTIONARY", m_statesDictionary, m_dictionaryOwner, true)
                          + pair(100, "AcDbDictionary") + pair(281, "1") + statesDictionary(plan);
    else if (plan.dictionary)
        m_edit.replaced.insert(m_statesDictionary, statesDictionary(plan));
    m_edit.added = m_dictionaries + records;
    m_edit.addAt = layout.objectsEnd;
    return QString();
}

// Gives the layer table a states dictionary: in its extension dictionary,
// which is made when the table has none.
QString DxfLayerStateWriter::makeDictionaries(const std::function<QByteArray()>& nextHandle)
{
    const DxfLayerStateLayout& layout = m_reader.layout();
    m_statesDictionary = nextHandle();
    m_dictionaryOwner = layout.tableDictionary;
    const QByteArray entry = pair(3, kStatesKey) + pair(360, m_statesDictionary);
    if (m_dictionaryOwner.isEmpty()) {
        m_dictionaryOwner = nextHandle();
        m_edit.tableDictionary = m_dictionaryOwner;
        m_dictionaries = objectHead("DICTIONARY", m_dictionaryOwner, layout.layerTable, true)
                         + pair(100, "AcDbDictionary") + pair(280, "1") + pair(281, "1") + entry;
        return QString();
    }
    const auto found = layout.dictionaries.constFind(m_dictionaryOwner);
    if (found == layout.dictionaries.constEnd())
        return QStringLiteral("the layer table's extension dictionary is missing from the file");
    // An entry of that name that names no dictionary gives way to the new one.
    const QVector<DxfRawPair> pairs = m_reader.objectPairs(found.value());
    QSet<QByteArray> stale;
    for (int i = 0; i < pairs.size(); ++i) {
        if (isEntry(pairs, i) && pairs.at(i).value.trimmed() == kStatesKey)
            stale.insert(pairs.at(i + 1).value.trimmed().toUpper());
    }
    m_edit.replaced.insert(m_dictionaryOwner, dictionaryBytes(pairs, {}, stale, entry, m_lineEnd));
    return QString();
}

// The entries of the states dictionary; the whole dictionary when the file has one.
QByteArray DxfLayerStateWriter::statesDictionary(const Plan& plan) const
{
    const DxfLayerStateLayout& layout = m_reader.layout();
    QByteArray added;
    QHash<QByteArray, QByteArray> renamed;
    for (int s = 0; s < plan.states.size(); ++s) {
        const DrawingLayerState& state = plan.states.at(s);
        if (plan.added.at(s))
            added += pair(3, m_text.encode(state.name)) + pair(350, state.handle);
        else
            renamed.insert(state.handle, m_text.encode(state.name));
    }
    const auto found = layout.dictionaries.constFind(m_statesDictionary);
    if (found == layout.dictionaries.constEnd())
        return added;
    // Entries that name no object are left out; those of records that
    // cannot be read stay.
    QSet<QByteArray> leftOut = plan.removed;
    for (const DxfLayerStateLayout::Entry& e : layout.entries) {
        if (!layout.records.contains(e.handle) && !layout.dictionaries.contains(e.handle))
            leftOut.insert(e.handle);
    }
    // Names are rewritten only where they change, so the others keep their bytes.
    for (const DrawingLayerState& file : m_file.states) {
        if (renamed.contains(file.handle) && m_text.encode(file.name) == renamed.value(file.handle))
            renamed.remove(file.handle);
    }
    return dictionaryBytes(m_reader.objectPairs(found.value()), renamed, leftOut, added, m_lineEnd);
}

QByteArray DxfLayerStateWriter::objectHead(const char* type, const QByteArray& handle, const QByteArray& owner,
                                           bool reactor) const
{
    QByteArray out = pair(0, type) + pair(5, handle);
    if (reactor)
        out += pair(102, "{ACAD_REACTORS") + pair(330, owner) + pair(102, "}");
    return out + pair(330, owner);
}

// A state's record: the file's own head of it when it has one, then the state.
QByteArray DxfLayerStateWriter::record(const DrawingLayerState& state, const QByteArray& owner) const
{
    QByteArray out;
    const auto found = m_reader.layout().records.constFind(state.handle);
    if (found != m_reader.layout().records.constEnd()) {
        const QVector<DxfRawPair> pairs = m_reader.objectPairs(found.value());
        int i = 0;
        while (i < pairs.size() && !pairs.at(i).is(100, "AcDbXrecord"))
            out += pairs.at(i++).bytes(m_lineEnd);
        for (int head = i + (i + 1 < pairs.size() && pairs.at(i + 1).code == 280 ? 2 : 1); i < head && i < pairs.size(); ++i)
            out += pairs.at(i).bytes(m_lineEnd);
    } else {
        out = objectHead("XRECORD", state.handle, owner, true) + pair(100, "AcDbXrecord") + pair(280, "1");
    }
    out += pair(91, QByteArray::number(state.mask)) + pair(301, m_text.encode(state.description));
    for (const StoredGroup& g : state.other)
        out += pair(g.first, g.second);
    out += pair(302, m_text.encode(state.currentLayer));
    for (const DrawingLayerStateEntry& e : state.layers) {
        out += pair(330, e.layer) + pair(90, QByteArray::number(e.flags)) + pair(62, QByteArray::number(e.colorIndex))
               + pair(370, QByteArray::number(e.lineWeight));
        if (!e.linetypeHandle.isEmpty())
            out += pair(331, e.linetypeHandle);
        for (const StoredGroup& g : e.other)
            out += pair(g.first, g.second);
        if (!e.trueColor.isValid())
            continue;
        out += pair(92, QByteArray::number(static_cast<qint32>(0xC2000000u | (e.trueColor.rgb() & 0xFFFFFFu))));
        if (!e.colorBook.isEmpty())
            out += pair(300, e.colorBook);
    }
    return out;
}

void DxfLayerStateWriter::addOwned(QSet<QByteArray>& handles) const
{
    // Each object of the OBJECTS section: its handle and its owner.
    struct Owned
    {
        QByteArray handle;
        QByteArray owner;
    };
    QVector<Owned> objects;
    QByteArray section;
    bool named = false;
    bool inGroup = false;
    if (!m_source.seek(0))
        return;
    DxfPairStream p(m_source);
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

} // namespace Demo
