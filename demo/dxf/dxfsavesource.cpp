#include "dxfsavesource.h"

#include "dxfpairstream.h"

#include <algorithm>

namespace Demo {
namespace {

qulonglong handleValue(const DxfPairStream& s)
{
    return s.code() == 5 || s.code() == 105 ? s.value().trimmed().toULongLong(nullptr, 16) : 0;
}

} // namespace

DxfSaveSource::DxfSaveSource(QIODevice& device) : m_device(device)
{
    learn();
}

// The first pass: the header variables a save changes or needs, the tables
// it reads or writes, and the handles in them. Pairs are read up to the end
// of the TABLES section; the rest is only read, for the fingerprint.
void DxfSaveSource::learn()
{
    if (!rewind())
        return;
    DxfPairStream s(m_device);
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
        m_error = QStringLiteral("the drawing's file could not be read: %1").arg(m_device.errorString());
        return;
    }
    m_fingerprint = s.fingerprint();
    // New handles start above every handle in use, and above the seed.
    m_firstFree = std::max(m_firstFree, highest + 1);
}

void DxfSaveSource::learnPair(const DxfPairStream& s, QByteArray& variable)
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
        m_firstFree = s.value().trimmed().toULongLong(nullptr, 16);
    }
    learnTable(s);
}

// Keeps the first LAYER, APPID and LTYPE tables as text.
void DxfSaveSource::learnTable(const DxfPairStream& s)
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

bool DxfSaveSource::rewind()
{
    if (m_error.isEmpty() && !m_device.seek(0))
        m_error = QStringLiteral("the drawing's file could not be read: %1").arg(m_device.errorString());
    return m_error.isEmpty();
}

// Reads the rest of a pass; false, with why in m_error, when the pass did
// not read what the first one did.
bool DxfSaveSource::endPass(DxfPairStream& s)
{
    if (!s.finish() && !s.writeFailed())
        m_error = QStringLiteral("the drawing's file could not be read: %1").arg(m_device.errorString());
    else if (s.fingerprint() != m_fingerprint && !s.writeFailed())
        m_error = QStringLiteral("the drawing's file changed while it was being saved");
    return m_error.isEmpty();
}

bool DxfSaveSource::walkObjects(QSet<QByteArray>& dropped, QSet<qint64>& markers, qulonglong& highest)
{
    if (!rewind())
        return false;
    DxfPairStream s(m_device);
    QByteArray section, handle, owner;
    bool named = false, inGroup = false, grew = false;
    qint64 marker = -1;
    markers.clear();
    const auto endObject = [&] {
        if (!handle.isEmpty() && dropped.contains(owner) && !dropped.contains(handle)) {
            dropped.insert(handle);
            grew = true;
        }
        if (!handle.isEmpty() && dropped.contains(handle))
            markers.insert(marker);
    };
    while (s.next()) {
        highest = std::max(highest, handleValue(s));
        if (named)
            section = s.value().trimmed();
        named = s.code() == 0 && s.valueIs("SECTION");
        if (dropped.isEmpty() || section != "OBJECTS")
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
    return endPass(s) && grew;
}

} // namespace Demo
