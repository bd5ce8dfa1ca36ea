#include "screenshotwriter.h"

#include "mainwindow.h"

#include "kvlineweightdialog.h"
#include "layercombobox.h"
#include "layercontrol.h"
#include "layerlinetypedialog.h"
#include "layerlineweightdialog.h"
#include "layerwarningdialog.h"
#include "stackwidget.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDockWidget>

namespace Demo {

ScreenshotWriter::ScreenshotWriter(const QString& dir) : m_dir(dir) {}

QStringList ScreenshotWriter::write(MainWindow& window)
{
    m_written.clear();
    QDir().mkpath(m_dir.path());
    // Let deferred refreshes and layouts run before anything is grabbed.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    save(&window, QStringLiteral("main-window.png"));
    saveWindowParts(window);
    saveDialogs();
    return m_written;
}

void ScreenshotWriter::save(QWidget* widget, const QString& name)
{
    const QString path = m_dir.filePath(name);
    if (widget && widget->grab().save(path))
        m_written << path;
}

// The parts that show only when opened are opened, grabbed and closed again.
void ScreenshotWriter::saveWindowParts(MainWindow& window)
{
    KvCc::LayerComboBox* combo = window.layerCombo();
    combo->showPopup();
    QCoreApplication::processEvents();
    if (combo->view() && combo->view()->isVisible())
        save(combo->view()->window(), QStringLiteral("layer-dropdown.png"));
    combo->hidePopup();

    window.layerControl()->folderClicked();
    QCoreApplication::processEvents();
    save(window.propertyPage(), QStringLiteral("property-page.png"));
    window.layerControl()->folderClicked();

    save(window.paletteDock(), QStringLiteral("layer-palette.png"));
}

void ScreenshotWriter::saveDialogs()
{
    KvCc::KvLineWeightDialog lineWeightDialog;
    KvCc::LayerLineTypeDialog lineTypeDialog;
    KvCc::LayerLineWeightDialog layerLineWeightDialog;
    KvCc::LayerWarningDialog warningDialog;
    const QList<QPair<QDialog*, QString>> dialogs = {
        {&lineWeightDialog, QStringLiteral("dialog-lineweight-settings.png")},
        {&lineTypeDialog, QStringLiteral("dialog-layer-linetype.png")},
        {&layerLineWeightDialog, QStringLiteral("dialog-layer-lineweight.png")},
        {&warningDialog, QStringLiteral("dialog-current-layer-warning.png")},
    };
    for (const auto& dialog : dialogs) {
        dialog.first->show();
        QCoreApplication::processEvents();
        save(dialog.first, dialog.second);
        dialog.first->hide();
    }
}

} // namespace Demo
