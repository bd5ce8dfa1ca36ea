#include "backgroundopen.h"

#include <QThread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace Demo {

BackgroundOpen::BackgroundOpen(QObject* parent)
    : QObject(parent)
{
    m_poll.setInterval(100);
    connect(&m_poll, &QTimer::timeout, this, [this] { emit progressed(m_progress ? m_progress->perMille() : 0); });
}

BackgroundOpen::~BackgroundOpen()
{
    if (m_thread) {
        cancel();
        m_thread->wait();
    }
}

void BackgroundOpen::start(const QString& path)
{
    if (m_running)
        return;
    if (m_thread)
        m_thread->wait();
    m_running = true;
    m_cancelled = false;
    m_path = path;
    m_file = DrawingFile();
    m_result = DxfImportResult();
    m_progress = std::make_unique<ReadProgress>();
    // The thread writes the result; this object reads it only after the
    // thread has finished, when its finished() arrives here.
    m_thread.reset(QThread::create([this, progress = m_progress.get()] {
        DrawingFile file;
        DxfImportResult result = file.open(m_path, DxfImport::Extent::Whole, progress);
        m_file = file;
        m_result = std::move(result);
#ifdef __GLIBC__
        // The read's scratch memory was taken from this thread's own heap,
        // which keeps it once freed; a big drawing's worth goes back now.
        malloc_trim(0);
#endif
    }));
    connect(m_thread.get(), &QThread::finished, this, &BackgroundOpen::done);
    m_poll.start();
    m_thread->start();
}

void BackgroundOpen::cancel()
{
    if (m_running && m_progress)
        m_progress->cancelled = true;
}

void BackgroundOpen::done()
{
    m_poll.stop();
    m_running = false;
    m_cancelled = m_progress && m_progress->cancelled.load();
    emit progressed(1000);
    emit finished();
}

} // namespace Demo
