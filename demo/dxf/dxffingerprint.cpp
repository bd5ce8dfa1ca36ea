#include "dxffingerprint.h"

#include <QIODevice>
#include <QtEndian>

namespace Demo {

// Each step is a bijection of the hash for a given word, so two inputs that
// differ in one word never end in the same value.
void DxfFingerprint::mix(quint64 word)
{
    m_hash ^= word;
    m_hash *= 0x9E3779B97F4A7C15ULL;
    m_hash ^= m_hash >> 29;
}

void DxfFingerprint::add(const char* data, qint64 size)
{
    m_size += size;
    qint64 i = 0;
    // Words are counted from the file's start, whatever the pieces it comes in.
    for (; i < size && m_carried > 0; ++i) {
        m_carry |= quint64(static_cast<unsigned char>(data[i])) << (8 * m_carried);
        if (++m_carried == 8) {
            mix(m_carry);
            m_carry = 0;
            m_carried = 0;
        }
    }
    for (; i + 8 <= size; i += 8) {
        mix(qFromLittleEndian<quint64>(data + i));
    }
    for (; i < size; ++i)
        m_carry |= quint64(static_cast<unsigned char>(data[i])) << (8 * m_carried++);
}

bool DxfFingerprint::addAll(QIODevice& device)
{
    char chunk[65536];
    while (true) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got <= 0)
            return got == 0;
        add(chunk, got);
    }
}

quint64 DxfFingerprint::value() const
{
    DxfFingerprint last = *this;
    last.mix(m_carry ^ (quint64(m_carried) << 56));
    last.mix(quint64(m_size));
    return last.m_hash;
}

} // namespace Demo
