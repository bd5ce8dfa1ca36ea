#include "dxfpairreader.h"

#include "dxfimport.h"

#include <algorithm>

namespace Demo {

namespace {

// The highest group code of the format (extended data).
const int kMaxGroupCode = 1071;
const int kChunk = 64 * 1024;

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
    // Read in place: a file has millions of group codes, and copying each
    // line to convert it would cost more than the conversion.
    int start = 0, length = 0;
    if (!nextLine(start, length))
        return false;
    const char* from = m_buffer.constData() + start;
    const char* to = from + length;
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (from < to && space(*from))
        ++from;
    while (to > from && space(to[-1]))
        --to;
    // A blank last line is the end of the data, not a fault of its own.
    // (Looking for more data may move the buffer, so nothing of it is kept.)
    if (from == to) {
        if (!atEnd())
            fail(QStringLiteral("line %1 should hold a group code but holds \"\"").arg(m_line));
        return false;
    }
    const char* digit = from;
    const bool negative = digit < to && *digit == '-';
    if (digit < to && (*digit == '-' || *digit == '+'))
        ++digit;
    bool ok = digit < to;
    qint64 value = 0;
    for (; ok && digit < to; ++digit) {
        ok = *digit >= '0' && *digit <= '9' && value <= kMaxGroupCode;
        value = value * 10 + (*digit - '0');
    }
    code = int(negative ? -value : value);
    if (!ok || code < 0 || code > kMaxGroupCode) {
        fail(QStringLiteral("line %1 should hold a group code but holds \"%2\"")
                 .arg(m_line)
                 .arg(QString::fromLatin1(from, int(std::min<qptrdiff>(to - from, 40)))));
        return false;
    }
    return true;
}

bool DxfPairReader::atEnd()
{
    return m_pos >= m_buffer.size() && !fill();
}

bool DxfPairReader::fill()
{
    if (m_ended)
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const int kept = m_buffer.size();
    m_buffer.resize(kept + kChunk);
    const qint64 got = m_device.read(m_buffer.data() + kept, kChunk);
    m_buffer.resize(kept + static_cast<int>(qMax<qint64>(got, 0)));
    if (got < 0)
        fail(QStringLiteral("the file could not be read: %1").arg(m_device.errorString()));
    m_ended = got <= 0;
    return got > 0;
}

// Reads on to the end of a line too long to keep; returns its length.
int DxfPairReader::skipLongLine()
{
    int length = 0;
    while (true) {
        const int end = m_buffer.indexOf('\n', m_pos);
        if (end >= 0) {
            length += end - m_pos - (end > m_pos && m_buffer.at(end - 1) == '\r' ? 1 : 0);
            m_pos = end + 1;
            return length;
        }
        // The last byte may be the '\r' of the line end: it waits for the next chunk.
        const int kept = m_buffer.size() > m_pos ? 1 : 0;
        length += m_buffer.size() - kept - m_pos;
        m_pos = m_buffer.size() - kept;
        if (!fill()) {
            length += m_buffer.size() - m_pos - (m_buffer.size() > m_pos && m_buffer.endsWith('\r') ? 1 : 0);
            m_pos = m_buffer.size();
            return length;
        }
    }
}

bool DxfPairReader::readLine(QByteArray& out)
{
    int start = 0, length = 0;
    if (!nextLine(start, length))
        return false;
    out = m_buffer.mid(start, length);
    return true;
}

bool DxfPairReader::nextLine(int& start, int& length)
{
    int end = m_buffer.indexOf('\n', m_pos);
    while (end < 0 && m_buffer.size() - m_pos <= DxfImport::maxLineLength + 1 && fill())
        end = m_buffer.indexOf('\n', m_pos);
    const int stop = end < 0 ? m_buffer.size() : end;
    length = stop - m_pos;
    if (length > 0 && m_buffer.at(stop - 1) == '\r')
        --length;
    ++m_line;
    if (end < 0 && length > DxfImport::maxLineLength)
        length = skipLongLine();
    if (length > DxfImport::maxLineLength) {
        fail(QStringLiteral("line %1 is %2 characters long; a DXF line holds at most %3")
                 .arg(m_line)
                 .arg(length)
                 .arg(DxfImport::maxLineLength));
        return false;
    }
    start = m_pos;
    m_pos = stop + 1;
    return true;
}

} // namespace Demo
