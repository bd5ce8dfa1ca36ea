#pragma once

#include "dxfrawpair.h"

#include <QByteArray>
#include <QVector>

namespace Demo {

// One table of a DXF file as the file holds it, from its TABLE marker up to
// its ENDTAB: its bytes and where its entries start. A save keeps a table
// as text and splits an entry into pairs only to read or change it.
class DxfTableBytes
{
public:
    // Adds the table's next pair: its code, its bytes as written, its ordinal in the file.
    void add(int code, const char* raw, int size, qint64 ordinal);
    // The table ended without ENDTAB: there is no place to write entries into.
    void drop();

    bool isComplete() const { return end >= 0; }
    int entryCount() const { return m_entryStarts.size(); }
    // The pairs before the first entry: the marker, the name, the count...
    QVector<DxfRawPair> head() const { return DxfRawPair::split(m_bytes.left(headBytes())); }
    QVector<DxfRawPair> entry(int e) const { return DxfRawPair::split(entryBytes(e)); }
    QByteArray entryBytes(int e) const { return m_bytes.mid(m_entryStarts.at(e), entryEnd(e) - m_entryStarts.at(e)); }
    // The value of the entry's first pair with code, without blanks at its ends; empty for none.
    QByteArray entryValue(int e, int code) const;

    qint64 begin = -1; // ordinal of the TABLE marker
    qint64 end = -1;   // ordinal of the ENDTAB
    qint64 count = -1; // ordinal of the entry count (code 70)
    bool seen = false; // the file has the table, complete or not

private:
    int headBytes() const { return m_entryStarts.isEmpty() ? m_bytes.size() : m_entryStarts.first(); }
    int entryEnd(int e) const { return e + 1 < m_entryStarts.size() ? m_entryStarts.at(e + 1) : m_bytes.size(); }

    QByteArray m_bytes;
    QVector<int> m_entryStarts;
    int m_pairs = 0;
};

} // namespace Demo
