#pragma once

#include <QtGlobal>

class QIODevice;

namespace Demo {

// The size and a 64-bit hash of a file's bytes, taken as they stream past,
// so that a save can tell whether the file it copies from is still the one
// it read. Not a cryptographic hash: it guards against accidents (another
// program saving meanwhile), and a change of a single word always shows.
class DxfFingerprint
{
public:
    void add(const char* data, qint64 size);
    // Reads device to its end; false, with the fingerprint incomplete, when a read fails.
    bool addAll(QIODevice& device);
    qint64 size() const { return m_size; }
    quint64 value() const;

    bool operator==(const DxfFingerprint& other) const { return m_size == other.m_size && value() == other.value(); }
    bool operator!=(const DxfFingerprint& other) const { return !(*this == other); }

private:
    void mix(quint64 word);

    qint64 m_size = 0;
    quint64 m_hash = 0x243F6A8885A308D3ULL;
    quint64 m_carry = 0; // bytes of an unfinished word
    int m_carried = 0;
};

} // namespace Demo
