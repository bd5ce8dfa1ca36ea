#pragma once

#include <QDir>
#include <QStringList>

class QWidget;

namespace Demo {

class MainWindow;

// Writes PNGs of the demo window, of its layer drop-down opened, its
// property page unfolded and its palette, and of the library's dialogs.
class ScreenshotWriter
{
public:
    explicit ScreenshotWriter(const QString& dir);

    // Returns the files written.
    QStringList write(MainWindow& window);

private:
    void save(QWidget* widget, const QString& name);
    void saveWindowParts(MainWindow& window);
    void saveDialogs();

    QDir m_dir;
    QStringList m_written;
};

} // namespace Demo
