#include "dxfpairstream.h"

#include <cstring>

namespace Demo {
namespace {

const int kChunk = 64 * 1024;
// A pair longer than this is taken for bytes that are not pairs: a DXF
// line holds a few thousand characters at most.
const int kMaxPair = 256 * 1024;

} // namespace

int DxfPairStream::lineEnd(int pos, int& next) const
{
    const char* data = m_buffer.constData();
    const void* found = std::memchr(data + pos, '\n', static_cast<size_t>(m_buffer.size() - pos));
    if (!found)
        return -1;
    const int newline = static_cast<int>(static_cast<const char*>(found) - data);
    next = newline + 1;
    return newline > pos && data[newline - 1] == '\r' ? newline - 1 : newline;
}

int DxfPairStream::parse()
{
    const int size = m_buffer.size();
    int afterCode = 0;
    const int codeEnd = m_next < size ? lineEnd(m_next, afterCode) : -1;
    if (codeEnd < 0)
        return m_inputEnded ? -1 : 0;
    // A code is a number, with blanks around it as some writers pad it.
    const char* data = m_buffer.constData();
    int i = m_next;
    while (i < codeEnd && (data[i] == ' ' || data[i] == '\t'))
        ++i;
    const bool negative = i < codeEnd && data[i] == '-';
    if (i < codeEnd && (data[i] == '-' || data[i] == '+'))
        ++i;
    int code = 0;
    int digits = 0;
    for (; i < codeEnd && data[i] >= '0' && data[i] <= '9' && digits < 9; ++i, ++digits)
        code = code * 10 + (data[i] - '0');
    while (i < codeEnd && (data[i] == ' ' || data[i] == '\t'))
        ++i;
    if (digits == 0 || i != codeEnd)
        return -1;
    if (afterCode >= size)
        return m_inputEnded ? -1 : 0;
    int afterValue = size;
    int valueEnd = lineEnd(afterCode, afterValue);
    if (valueEnd < 0) {
        // The last line of the input may lack its line end.
        if (!m_inputEnded)
            return 0;
        valueEnd = size > afterCode && data[size - 1] == '\r' ? size - 1 : size;
    }
    m_begin = m_next;
    m_codeEnd = codeEnd;
    m_code = negative ? -code : code;
    m_valueBegin = afterCode;
    m_valueEnd = valueEnd;
    m_next = afterValue;
    return 1;
}

bool DxfPairStream::fill()
{
    if (m_inputEnded || m_buffer.size() - m_next >= kMaxPair)
        return false;
    // The output catches up before the bytes it may still need are let go.
    put(m_copied, m_next);
    m_base += m_next;
    m_buffer.remove(0, m_next);
    m_copied = 0;
    m_next = 0;
    const int kept = m_buffer.size();
    m_buffer.resize(kept + kChunk);
    const qint64 got = m_in.read(m_buffer.data() + kept, kChunk);
    m_buffer.resize(kept + static_cast<int>(qMax<qint64>(got, 0)));
    m_readFailed = m_readFailed || got < 0;
    if (got <= 0)
        m_inputEnded = true;
    else
        m_fingerprint.add(m_buffer.constData() + kept, got);
    return true;
}

bool DxfPairStream::next()
{
    while (!m_pairsEnded) {
        const int parsed = parse();
        if (parsed > 0) {
            ++m_ordinal;
            return true;
        }
        if (parsed < 0 || !fill())
            m_pairsEnded = true;
    }
    return false;
}

bool DxfPairStream::finish()
{
    m_pairsEnded = true;
    do {
        m_next = m_buffer.size();
    } while (fill());
    put(m_copied, m_buffer.size());
    m_copied = m_buffer.size();
    return !m_readFailed && !m_writeFailed;
}

bool DxfPairStream::valueIs(const char* text) const
{
    const char* data = m_buffer.constData();
    int from = m_valueBegin;
    int to = m_valueEnd;
    while (from < to && (data[from] == ' ' || data[from] == '\t'))
        ++from;
    while (to > from && (data[to - 1] == ' ' || data[to - 1] == '\t'))
        --to;
    const size_t length = std::strlen(text);
    return static_cast<size_t>(to - from) == length && std::memcmp(data + from, text, length) == 0;
}

DxfRawPair DxfPairStream::pair() const
{
    DxfRawPair p;
    p.code = m_code;
    p.codeLine = codeLine();
    p.value = value();
    p.raw = bytes(m_begin, m_next);
    return p;
}

void DxfPairStream::replace(const QByteArray& bytes)
{
    put(m_copied, m_begin);
    put(bytes);
    m_copied = m_next;
}

void DxfPairStream::insert(const QByteArray& bytes)
{
    put(m_copied, m_begin);
    put(bytes);
    m_copied = m_begin;
}

void DxfPairStream::put(int from, int to)
{
    if (m_out && to > from && !m_writeFailed)
        m_writeFailed = m_out->write(m_buffer.constData() + from, to - from) != to - from;
}

void DxfPairStream::put(const QByteArray& bytes)
{
    if (m_out && !bytes.isEmpty() && !m_writeFailed)
        m_writeFailed = m_out->write(bytes) != bytes.size();
}

} // namespace Demo
