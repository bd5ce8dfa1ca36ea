#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace Demo {

// One group code with its value, and the line the value stands on.
struct DxfPair
{
    int code = 0;
    QByteArray value;
    int line = 0;
};

// Splits a DXF file into group code / value pairs as it reads it, a chunk
// at a time, and refuses what no DXF writer produces: codes that are not
// numbers, lines that never end.
class DxfPairReader
{
public:
    explicit DxfPairReader(QIODevice& device) : m_device(device) {}

    // False at the end of the data or on an error (then error() says why).
    bool next(DxfPair& pair);

    bool atEnd();
    int line() const { return m_line; }
    const QString& error() const { return m_error; }
    // Keeps the first failure: later ones follow from it.
    void fail(const QString& message);

private:
    bool readCode(int& code);
    bool readLine(QByteArray& out);
    // The next line's place in the buffer, valid until the buffer is filled again.
    bool nextLine(int& start, int& length);
    // Reads a chunk after what is still needed; false when nothing more comes.
    bool fill();
    int skipLongLine();

    QIODevice& m_device;
    QByteArray m_buffer;
    int m_pos = 0;
    bool m_ended = false;
    int m_line = 0;
    QString m_error;
};

} // namespace Demo
