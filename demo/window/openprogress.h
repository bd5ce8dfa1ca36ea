#pragma once

#include "backgroundopen.h"

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace Demo {

// The status line's part of opening a drawing in the background: a progress
// bar and a Cancel button, shown while a read runs.
class OpenProgress : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(OpenProgress)

public:
    explicit OpenProgress(QWidget* parent = nullptr);
    ~OpenProgress() override;

    bool isOpening() const { return m_open.isRunning(); }
    // Starts reading path; a read already running is left to finish.
    void start(const QString& path);
    void cancel() { m_open.cancel(); }

signals:
    // The read is done: the window takes over the drawing.
    void read(const DrawingFile& file, const Drawing& drawing);
    void failed(const QString& message);
    void cancelled(const QString& path);

private:
    void finish();

    BackgroundOpen m_open;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace Demo
