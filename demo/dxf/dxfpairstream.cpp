#include "dxfpairstream.h"

#include <cstring>

namespace Demo {

int DxfPairStream::lineEnd(int& pos) const
{
    const char* data = m_data.constData();
    const int size = m_data.size();
    const void* found = std::memchr(data + pos, '\n', static_cast<size_t>(size - pos));
    const int newline = found ? static_cast<int>(static_cast<const char*>(found) - data) : size;
    const int end = newline > pos && data[newline - 1] == '\r' ? newline - 1 : newline;
    pos = found ? newline + 1 : size;
    return end;
}

bool DxfPairStream::next()
{
    const int size = m_data.size();
    if (m_next >= size)
        return false;
    int pos = m_next;
    const int codeBegin = pos;
    const int codeEnd = lineEnd(pos);
    // A code is a number, with blanks around it as some writers pad it.
    const char* data = m_data.constData();
    int i = codeBegin;
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
    if (digits == 0 || i != codeEnd || pos >= size)
        return false;
    m_begin = codeBegin;
    m_codeEnd = codeEnd;
    m_code = negative ? -code : code;
    m_valueBegin = pos;
    m_valueEnd = lineEnd(pos);
    m_next = pos;
    return true;
}

bool DxfPairStream::valueIs(const char* text) const
{
    const char* data = m_data.constData();
    int from = m_valueBegin;
    int to = m_valueEnd;
    while (from < to && (data[from] == ' ' || data[from] == '\t'))
        ++from;
    while (to > from && (data[to - 1] == ' ' || data[to - 1] == '\t'))
        --to;
    const size_t length = std::strlen(text);
    return static_cast<size_t>(to - from) == length && std::memcmp(data + from, text, length) == 0;
}

} // namespace Demo
