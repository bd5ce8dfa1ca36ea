#pragma once

#include "dxffingerprint.h"
#include "dxfrawpair.h"

#include <QByteArray>
#include <QIODevice>

namespace Demo {

// Walks the group code / value pairs of DXF text as it is read from a
// device, a chunk at a time, so that a pass over a whole file holds one
// chunk, whatever the file's size. The current pair is valid until the
// next call of next().
//
// Given an output, the stream copies what it reads there as it goes: every
// pair as it is, but for the ones the caller replaces or drops and the bytes
// it inserts. finish() copies the rest, pairs or not.
class DxfPairStream
{
public:
    explicit DxfPairStream(QIODevice& in, QIODevice* out = nullptr) : m_in(in), m_out(out) {}

    // Moves to the next pair; false at the end of the input, at a line that
    // holds no group code (what follows is then not pairs), or when a read
    // fails.
    bool next();
    // Reads (and copies) the rest of the input; false when a read or a write failed.
    bool finish();

    int code() const { return m_code; }
    // The value as written, without its line end.
    QByteArray value() const { return bytes(m_valueBegin, m_valueEnd); }
    // Whether the value, without blanks at either end, is text.
    bool valueIs(const char* text) const;
    // The code line as written, without its line end.
    QByteArray codeLine() const { return bytes(m_begin, m_codeEnd); }
    // The pair, with its bytes as written.
    DxfRawPair pair() const;
    // The pair's bytes as written.
    const char* rawData() const { return m_buffer.constData() + m_begin; }
    int rawSize() const { return m_next - m_begin; }
    // The pair's number, counted from 0 at the start of the input.
    qint64 ordinal() const { return m_ordinal; }
    // Where the pair's bytes begin and end, counted from the start of the input.
    qint64 offset() const { return m_base + m_begin; }
    qint64 endOffset() const { return m_base + m_next; }

    // Writes bytes in place of the current pair.
    void replace(const QByteArray& bytes);
    // Leaves the current pair out of the copy.
    void drop() { replace(QByteArray()); }
    // Writes bytes before the current pair.
    void insert(const QByteArray& bytes);

    // What was read so far: all of the input once finish() is done.
    const DxfFingerprint& fingerprint() const { return m_fingerprint; }
    bool readFailed() const { return m_readFailed; }
    bool writeFailed() const { return m_writeFailed; }

private:
    // 1: a pair was read; 0: more bytes are needed; -1: no pair starts here.
    int parse();
    // Reads a chunk after what is still needed; false when nothing more comes.
    bool fill();
    // The end of the line from pos, without its line end; -1 when the buffer holds no line end.
    int lineEnd(int pos, int& next) const;
    QByteArray bytes(int from, int to) const { return QByteArray(m_buffer.constData() + from, to - from); }
    void put(int from, int to);
    void put(const QByteArray& bytes);

    QIODevice& m_in;
    QIODevice* m_out;
    QByteArray m_buffer;
    qint64 m_base = 0; // input bytes let go before the buffer's first
    int m_next = 0;   // where the next pair starts in the buffer
    int m_copied = 0; // what of the buffer the output has (copied or left out)
    int m_begin = 0;
    int m_codeEnd = 0;
    int m_valueBegin = 0;
    int m_valueEnd = 0;
    int m_code = 0;
    qint64 m_ordinal = -1;
    bool m_inputEnded = false;
    bool m_pairsEnded = false;
    bool m_readFailed = false;
    bool m_writeFailed = false;
    DxfFingerprint m_fingerprint;
};

} // namespace Demo
