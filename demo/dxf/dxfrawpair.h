#pragma once

#include <QByteArray>
#include <QVector>

namespace Demo {

// One group code and value of a DXF file as the file spells them, so that
// a pair nobody changes is written back byte for byte.
struct DxfRawPair
{
    int code = 0;
    QByteArray codeLine; // the code as written ("  8"), without line end
    QByteArray value;    // without line end
    QByteArray raw;      // the pair's bytes in the file; empty once changed

    DxfRawPair() = default;
    // A new pair, its code laid out like codeLike.
    DxfRawPair(int code, const QByteArray& value, const QByteArray& codeLike);

    void setValue(const QByteArray& newValue);
    // Whether the value names this marker or name (codes 0, 2 and 9 may carry blanks).
    bool is(int groupCode, const char* name) const { return code == groupCode && value.trimmed() == name; }
    QByteArray bytes(const QByteArray& lineEnd) const;

    // The pairs of data up to end (all of it when -1); stops at a line that
    // holds no group code.
    static QVector<DxfRawPair> split(const QByteArray& data, int end = -1);
    // "\r\n" when the file's first line ends so, else "\n".
    static QByteArray lineEndOf(const QByteArray& data);
};

} // namespace Demo
