#include "readprogress.h"

namespace Demo {

int ReadProgress::perMille() const
{
    const qint64 all = total.load();
    return all > 0 ? static_cast<int>(qMin<qint64>(1000, done.load() * 1000 / all)) : 0;
}

ProgressDevice::ProgressDevice(QIODevice& inner, ReadProgress& progress)
    : m_inner(inner), m_progress(progress)
{
    open(QIODevice::ReadOnly);
    seek(0);
}

ProgressDevice::~ProgressDevice() = default;

bool ProgressDevice::seek(qint64 pos)
{
    return QIODevice::seek(pos) && m_inner.seek(pos);
}

qint64 ProgressDevice::readData(char* data, qint64 maxSize)
{
    if (m_progress.cancelled.load()) {
        setErrorString(QStringLiteral("cancelled"));
        return -1;
    }
    const qint64 got = m_inner.read(data, maxSize);
    if (got > 0)
        m_progress.done += got;
    return got;
}

} // namespace Demo
