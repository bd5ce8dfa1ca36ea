#pragma once

#include <QIODevice>
#include <QPointer>

#include <atomic>

namespace Demo {

// How far a read of a drawing has got, shared between the thread that reads
// and the one that shows it, and the way to stop it: once cancelled, every
// further read fails, so the import ends with an error at its next chunk.
struct ReadProgress
{
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancelled{false};

    // Per mille read so far, for a progress bar.
    int perMille() const;
};

// A read-only view of another device that counts what is read through it
// into a ReadProgress and fails once that is cancelled.
class ProgressDevice : public QIODevice
{
    Q_OBJECT
    Q_DISABLE_COPY(ProgressDevice)

public:
    ProgressDevice(QIODevice& inner, ReadProgress& progress);
    ~ProgressDevice() override;

    bool isSequential() const override { return m_inner.isSequential(); }
    qint64 size() const override { return m_inner.size(); }
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& m_inner;
    ReadProgress& m_progress;
};

} // namespace Demo
