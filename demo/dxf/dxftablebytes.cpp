#include "dxftablebytes.h"

namespace Demo {

void DxfTableBytes::add(int code, const char* raw, int size, qint64 ordinal)
{
    if (m_pairs == 0)
        begin = ordinal;
    seen = true;
    // The count is the first 70 after the marker and the name, before any entry.
    if (code == 0 && m_pairs > 0)
        m_entryStarts.append(m_bytes.size());
    else if (code == 70 && m_pairs >= 2 && m_entryStarts.isEmpty() && count < 0)
        count = ordinal;
    m_bytes.append(raw, size);
    ++m_pairs;
}

void DxfTableBytes::drop()
{
    *this = DxfTableBytes();
    seen = true;
}

QByteArray DxfTableBytes::entryValue(int e, int code) const
{
    const int stop = entryEnd(e);
    int pos = m_entryStarts.at(e);
    while (pos < stop) {
        const int codeEnd = m_bytes.indexOf('\n', pos);
        if (codeEnd < 0 || codeEnd >= stop)
            break;
        const int valueEnd = m_bytes.indexOf('\n', codeEnd + 1);
        const int end = valueEnd < 0 || valueEnd > stop ? stop : valueEnd;
        bool ok = false;
        if (m_bytes.mid(pos, codeEnd - pos).trimmed().toInt(&ok) == code && ok)
            return m_bytes.mid(codeEnd + 1, end - codeEnd - 1).trimmed();
        pos = end + 1;
    }
    return QByteArray();
}

} // namespace Demo
