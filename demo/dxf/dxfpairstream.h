#pragma once

#include <QByteArray>

namespace Demo {

// Walks the group code / value pairs of DXF bytes without copying them:
// each pair is a code and offsets into the data. Passes over a whole file
// that look at a few pairs and copy the rest as bytes use it, so that
// their memory does not grow with the file.
class DxfPairStream
{
public:
    DxfPairStream(const QByteArray& data, int from) : m_data(data), m_next(from) {}

    // Moves to the next pair; false at the end of the data, or at a line
    // that holds no group code (what follows is then not pairs).
    bool next();

    int code() const { return m_code; }
    // The value as written, without its line end.
    QByteArray value() const { return m_data.mid(m_valueBegin, m_valueEnd - m_valueBegin); }
    // Whether the value, without blanks at either end, is text.
    bool valueIs(const char* text) const;
    // The code line as written, without its line end.
    QByteArray codeLine() const { return m_data.mid(m_begin, m_codeEnd - m_begin); }
    int begin() const { return m_begin; } // offset of the pair's code line
    int end() const { return m_next; }    // offset past the pair's value line

private:
    // The end of the line from pos, without its line end; pos moves past it.
    int lineEnd(int& pos) const;

    const QByteArray& m_data;
    int m_next = 0;
    int m_begin = 0;
    int m_codeEnd = 0;
    int m_code = 0;
    int m_valueBegin = 0;
    int m_valueEnd = 0;
};

} // namespace Demo
