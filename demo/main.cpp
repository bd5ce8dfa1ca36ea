// kvcc-demo: a small CAD viewer that hosts the library's widgets.
//   kvcc-demo [FILE.dxf]                    opens the sample drawing or FILE.dxf
//   kvcc-demo --list-layers FILE.dxf        prints the layer table as read, then exits
//   kvcc-demo --screenshot DIR [FILE.dxf]   writes PNGs of the window and widgets, then exits
#include "dxfimport.h"
#include "mainwindow.h"

#include <QApplication>
#include <QTextStream>

namespace {

int listLayers(const QString& path)
{
    QTextStream out(stdout);
    out.setCodec("UTF-8");
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
    return 0;
}

int usage()
{
    QTextStream(stderr) << "usage: kvcc-demo [FILE.dxf]\n"
                           "       kvcc-demo --list-layers FILE.dxf\n"
                           "       kvcc-demo --screenshot DIR [FILE.dxf]\n";
    return 2;
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
    Demo::MainWindow window;
    window.setQuiet(!shotDir.isEmpty());
    window.openSample();
    bool opened = true;
    if (!args.isEmpty())
        opened = window.openFile(args.first());

    if (!shotDir.isEmpty()) {
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
    window.show();
    return app.exec();
}
