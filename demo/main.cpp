// kvcc-demo: a small CAD viewer that hosts the library's widgets.
//   kvcc-demo [FILE.dxf]                    opens the sample drawing or FILE.dxf
//   kvcc-demo --list-layers FILE.dxf        prints the layer table as read, then exits
//   kvcc-demo --screenshot DIR [FILE.dxf]   writes PNGs of the window and widgets, then exits
//   kvcc-demo --edit-layers COMMANDS IN.dxf -o OUT.dxf
//                                           applies layer commands and saves, without a window
//   kvcc-demo --render FILE.dxf OUT.png [--size WxH] [--view NAME] [--text-boxes] [--thin]
//                                           draws the drawing zoomed to its extents into a PNG
// With --lang CODE (de, ru...) the widgets speak that language instead of
// the system's; --dark shows them on a dark palette.
#include "darkpalette.h"
#include "drawingrender.h"
#include "dxfimport.h"
#include "layerbatchedit.h"
#include "mainwindow.h"
#include "viewprojection.h"

#include <kvcctranslations.h>

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QTextStream>

#include <cstdio>

namespace {

int listLayers(const QString& path)
{
    QString listing;
    QTextStream out(&listing);
    QTextStream err(stderr);
    const Demo::DxfImportResult result = Demo::DxfImport::readFile(path);
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    const Demo::Drawing& d = result.drawing;
    for (int i = 0; i < d.layers.size(); ++i) {
        const Demo::DrawingLayer& l = d.layers.at(i);
        out << l.name << '\t' << int(l.on) << '\t' << int(l.frozen) << '\t' << int(l.locked) << '\t'
            << l.color.red() << ',' << l.color.green() << ',' << l.color.blue() << '\t' << l.linetype << '\t'
            << l.lineWeight << '\t' << d.objectCount(i) << '\n';
    }
    out << "current\t" << result.drawing.currentLayer << '\n';
    // UTF-8 whatever the locale.
    const QByteArray bytes = listing.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

int usage()
{
    QTextStream(stderr) << "usage: kvcc-demo [FILE.dxf]\n"
                           "       kvcc-demo --list-layers FILE.dxf\n"
                           "       kvcc-demo --screenshot DIR [FILE.dxf]\n"
                           "       kvcc-demo --edit-layers COMMANDS IN.dxf -o OUT.dxf\n"
                           "       kvcc-demo --render FILE.dxf OUT.png [--size WxH] [--view NAME] [--text-boxes] [--thin]\n"
                           "options: --lang CODE, --dark\n";
    return 2;
}

// Takes --dark and --lang CODE out of args.
void takeLookOptions(QStringList& args, QString& language, bool& dark)
{
    for (int i = 0; i < args.size();) {
        if (args.at(i) == QLatin1String("--dark")) {
            dark = true;
            args.removeAt(i);
        } else if (args.at(i) == QLatin1String("--lang") && i + 1 < args.size()) {
            language = args.at(i + 1);
            args.erase(args.begin() + i, args.begin() + i + 2);
        } else {
            ++i;
        }
    }
}

// Writes the screenshots and lists them; fails when the drawing did not open.
int writeScreenshots(Demo::MainWindow& window, const QString& shotDir, bool opened)
{
    window.show();
    const QStringList files = window.saveScreenshots(shotDir);
    QTextStream out(stdout);
    for (const QString& f : files)
        out << f << '\n';
    if (!opened) {
        QTextStream(stderr) << window.lastMessage() << '\n';
        return 1;
    }
    return files.isEmpty() ? 1 : 0;
}

// The window, on the sample drawing or on the file args names.
int runWindow(int argc, char** argv, QStringList args)
{
    QString language;
    bool dark = false;
    takeLookOptions(args, language, dark);
    QString shotDir;
    if (!args.isEmpty() && args.first() == QLatin1String("--screenshot")) {
        if (args.size() < 2 || args.size() > 3)
            return usage();
        shotDir = args.at(1);
        args = args.mid(2);
        // Screenshots need no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))))
        return usage();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvcc-demo"));
    KvCc::loadTranslations(language.isEmpty() ? QLocale::system() : QLocale(language));
    if (dark)
        Demo::useDarkPalette(app);
    Demo::MainWindow window;
    window.setQuiet(!shotDir.isEmpty());
    window.openSample();
    if (!shotDir.isEmpty())
        return writeScreenshots(window, shotDir, args.isEmpty() || window.openFile(args.first()));
    // On a screen smaller than the window's usual size the window fits the
    // screen, its status line and right edge in reach.
    if (const QScreen* screen = window.screen())
        window.resize(window.size().boundedTo(screen->availableGeometry().size() * 0.9));
    // The window shows at once; a drawing named is read while it shows.
    window.show();
    if (!args.isEmpty())
        window.openInBackground(args.first());
    return app.exec();
}

// Reads the options of --render after its two file names; false on any it does not know.
bool takeRenderOptions(const QStringList& args, Demo::DrawingRender::Request& request)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args.at(i);
        const bool valued = option == QLatin1String("--size") || option == QLatin1String("--view");
        if (valued && i + 1 >= args.size())
            return false;
        if (option == QLatin1String("--size")) {
            const QStringList wh = args.at(++i).split(QLatin1Char('x'));
            bool w = false, h = false;
            request.size = wh.size() == 2 ? QSize(wh.at(0).toInt(&w), wh.at(1).toInt(&h)) : QSize();
            if (!w || !h)
                return false;
        } else if (option == QLatin1String("--view")) {
            request.view = args.at(++i);
            if (!Demo::ViewProjection::names().contains(request.view))
                return false;
        } else if (option == QLatin1String("--text-boxes")) {
            request.options.textBoxes = true;
        } else if (option == QLatin1String("--thin")) {
            request.options.thinLines = true;
        } else {
            return false;
        }
    }
    return true;
}

// Draws a drawing into a PNG on the offscreen platform: no window shows.
int render(int argc, char** argv, const QStringList& args)
{
    Demo::DrawingRender::Request request;
    if (args.size() < 3 || !takeRenderOptions(args.mid(3), request))
        return usage();
    request.input = args.at(1);
    request.output = args.at(2);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return Demo::DrawingRender::run(request, out, err);
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (!args.isEmpty() && args.first() == QLatin1String("--list-layers")) {
        if (args.size() != 2)
            return usage();
        QCoreApplication app(argc, argv);
        return listLayers(args.at(1));
    }
    if (!args.isEmpty() && args.first() == QLatin1String("--edit-layers")) {
        if (args.size() != 5 || args.at(3) != QLatin1String("-o"))
            return usage();
        QCoreApplication app(argc, argv);
        QTextStream err(stderr);
        return Demo::LayerBatchEdit::run(args.at(1), args.at(2), args.at(4), err);
    }
    if (!args.isEmpty() && args.first() == QLatin1String("--render"))
        return render(argc, argv, args);
    return runWindow(argc, argv, args);
}
