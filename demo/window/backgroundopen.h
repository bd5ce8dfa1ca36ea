#pragma once

#include "drawingfile.h"
#include "readprogress.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QThread;

namespace Demo {

// Reads a drawing on a thread of its own, so that the window stays
// responsive and shows how far the read has got; the widgets and the host
// database stay on the application's thread, where the window takes over
// the finished drawing. A cancelled read leaves nothing behind.
class BackgroundOpen : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BackgroundOpen)

public:
    explicit BackgroundOpen(QObject* parent = nullptr);
    // Cancels a read still running and waits for its thread.
    ~BackgroundOpen() override;

    bool isRunning() const { return m_running; }
    void start(const QString& path);
    void cancel();

    // What the last read gave, once finished() was sent.
    QString path() const { return m_path; }
    bool wasCancelled() const { return m_cancelled; }
    const DxfImportResult& result() const { return m_result; }
    const DrawingFile& file() const { return m_file; }

signals:
    void progressed(int perMille);
    void finished();

private:
    void done();

    std::unique_ptr<ReadProgress> m_progress;
    std::unique_ptr<QThread> m_thread;
    QTimer m_poll;
    QString m_path;
    DrawingFile m_file;
    DxfImportResult m_result;
    bool m_running = false;
    bool m_cancelled = false;
};

} // namespace Demo
