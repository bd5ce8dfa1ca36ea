#include "dxfpairreader.h"

#include "dxfimport.h"

namespace Demo {

namespace {

// The highest group code of the format (extended data).
const int kMaxGroupCode = 1071;

} // namespace

bool DxfPairReader::next(DxfPair& pair)
{
    if (!m_error.isEmpty() || atEnd())
        return false;
    int code = 0;
    if (!readCode(code))
        return false;
    pair.code = code;
    pair.line = m_line + 1;
    if (atEnd()) {
        fail(QStringLiteral("the file ends after the group code on line %1").arg(m_line));
        return false;
    }
    if (!readLine(pair.value))
        return false;
    // Markers, names and variable names: dxflib compares them whole.
    if (code == 0 || code == 2 || code == 9)
        pair.value = pair.value.trimmed();
    return true;
}

void DxfPairReader::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
}

bool DxfPairReader::readCode(int& code)
{
    QByteArray codeLine;
    if (!readLine(codeLine))
        return false;
    const QByteArray trimmed = codeLine.trimmed();
    // A blank last line is the end of the data, not a fault of its own.
    if (trimmed.isEmpty() && atEnd())
        return false;
    bool ok = false;
    code = trimmed.toInt(&ok);
    if (!ok || trimmed.isEmpty() || code < 0 || code > kMaxGroupCode) {
        fail(QStringLiteral("line %1 should hold a group code but holds \"%2\"")
                 .arg(m_line)
                 .arg(QString::fromLatin1(trimmed.left(40))));
        return false;
    }
    return true;
}

bool DxfPairReader::readLine(QByteArray& out)
{
    const int end = m_data.indexOf('\n', m_pos);
    const int stop = end < 0 ? m_data.size() : end;
    int length = stop - m_pos;
    if (length > 0 && m_data.at(stop - 1) == '\r')
        --length;
    ++m_line;
    if (length > DxfImport::maxLineLength) {
        fail(QStringLiteral("line %1 is %2 characters long; a DXF line holds at most %3")
                 .arg(m_line)
                 .arg(length)
                 .arg(DxfImport::maxLineLength));
        return false;
    }
    out = m_data.mid(m_pos, length);
    m_pos = stop + 1;
    return true;
}

} // namespace Demo
