// Draws the library's embedded icon set into a folder (src/resources).
// Keyed bitmaps are painted on solid magenta, which the widgets turn
// transparent; the others are drawn on white or with an alpha channel.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

struct Icon
{
    const char* file;
    int w;
    int h;
    bool keyed;
};

const Icon icons[] = {
    {"core_ccvon.bmp", 14, 14, true},       {"core_ccvoff.bmp", 14, 14, true},
    {"core_ccthw.bmp", 14, 14, true},       {"core_ccfrz.bmp", 14, 14, true},
    {"core_cculk.bmp", 14, 14, true},       {"core_cclk.bmp", 14, 14, true},
    {"core_ccpl.bmp", 14, 14, true},        {"core_ccnpl.bmp", 14, 14, true},
    {"core_ccpldi.bmp", 14, 14, true},      {"core_ccvthw.bmp", 14, 14, true},
    {"core_ccvfrz.bmp", 14, 14, true},      {"IDB_LSTATE_CURRENT.png", 16, 16, false},
    {"layertoolbar.bmp", 52, 16, true},     {"IDB_LAYER_SEARCH.bmp", 16, 16, false},
    {"KvLayer_SearchClose.bmp", 16, 16, false}, {"RqInterfaceRes_warning.bmp", 32, 32, false},
    {"KVRC_subChildFrame.png", 32, 32, false},  {"2d_LineFrame.bmp", 50, 50, false},
    {"3d_LineFrame.bmp", 50, 50, false},    {"3d_Hide.bmp", 50, 50, false},
    {"Flat.bmp", 50, 47, false},            {"Grouraud.bmp", 50, 49, false},
    {"Flat+Edges.bmp", 50, 49, false},      {"Gouraud+Edge.bmp", 50, 50, false},
    {"IDB_LSTATE_RES.bmp", 784, 16, true},  {"IDB_LSTATE_RES_ADD.bmp", 23, 21, false},
    {"IDB_LSTATE_RES_NEW.png", 16, 16, false},
};

const QColor magenta(255, 0, 255);

void draw(const Icon& icon, QPainter& p)
{
    p.setPen(Qt::black);
    p.drawRect(2, 2, icon.w - 5, icon.h - 5);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: kvcc-iconmaker <output folder>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QString qrc = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
    for (const Icon& icon : icons) {
        const QString name = QString::fromLatin1(icon.file);
        const bool png = name.endsWith(QLatin1String(".png"));
        QImage image(icon.w, icon.h, png ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        image.fill(icon.keyed ? magenta : (png ? QColor(Qt::transparent) : QColor(Qt::white)));
        {
            QPainter p(&image);
            draw(icon, p);
        }
        if (!image.save(out.filePath(name))) {
            QTextStream(stderr) << "cannot write " << out.filePath(name) << "\n";
            return 1;
        }
        qrc += QStringLiteral("    <file>%1</file>\n").arg(name);
    }
    qrc += QStringLiteral("</qresource>\n</RCC>\n");
    QFile file(out.filePath(QStringLiteral("Icons.qrc")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    file.write(qrc.toUtf8());
    return 0;
}
