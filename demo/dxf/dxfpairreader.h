#pragma once

#include <QByteArray>
#include <QString>

namespace Demo {

// One group code with its value, and the line the value stands on.
struct DxfPair
{
    int code = 0;
    QByteArray value;
    int line = 0;
};

// Splits a DXF file into group code / value pairs and refuses what no DXF
// writer produces: codes that are not numbers, lines that never end.
class DxfPairReader
{
public:
    explicit DxfPairReader(const QByteArray& data) : m_data(data) {}

    // False at the end of the data or on an error (then error() says why).
    bool next(DxfPair& pair);

    bool atEnd() const { return m_pos >= m_data.size(); }
    int line() const { return m_line; }
    const QString& error() const { return m_error; }
    // Keeps the first failure: later ones follow from it.
    void fail(const QString& message);

private:
    bool readCode(int& code);
    bool readLine(QByteArray& out);

    const QByteArray& m_data;
    int m_pos = 0;
    int m_line = 0;
    QString m_error;
};

} // namespace Demo
