// Draws the ribbon images that the library's widgets name and a host
// supplies: the layer panel button, the fold arrows, the property labels,
// the ten standard views and the twelve viewport layouts.
// Usage: kvcc-demo-images OUTPUT_DIR (writes the PNGs and hostimages.qrc).
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <functional>

namespace {

const int kSize = 32;
const QColor kInk(40, 48, 60);
const QColor kAccent(30, 120, 210);
const QColor kPaper(236, 240, 246);

QImage canvas()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void layers(QPainter& p)
{
    const QColor fills[3] = {QColor(90, 170, 90), QColor(230, 180, 40), kAccent};
    for (int i = 2; i >= 0; --i) {
        const double y = 8 + i * 7;
        QPolygonF sheet({QPointF(16, y - 6), QPointF(29, y), QPointF(16, y + 6), QPointF(3, y)});
        p.setBrush(fills[i]);
        p.setPen(QPen(kInk, 1.5));
        p.drawPolygon(sheet);
    }
}

// A light rim under the dark stroke keeps the chevron readable on a dark
// ribbon too; on a light one the rim does not show.
void chevron(QPainter& p, bool down)
{
    p.setBrush(Qt::NoBrush);
    const double a = down ? 11 : 21;
    const double b = down ? 21 : 11;
    const QPolygonF line({QPointF(7, a), QPointF(16, b), QPointF(25, a)});
    p.setPen(QPen(QColor(245, 245, 245), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
    p.setPen(QPen(kInk, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
}

void colorWheel(QPainter& p)
{
    const QColor quarters[4] = {QColor(230, 50, 50), QColor(240, 200, 40), QColor(60, 170, 80), QColor(50, 110, 220)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(quarters[i]);
        p.drawPie(QRectF(3, 3, 26, 26), i * 90 * 16, 90 * 16);
    }
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 3, 26, 26));
}

void linetypes(QPainter& p)
{
    const Qt::PenStyle styles[3] = {Qt::SolidLine, Qt::DashLine, Qt::DashDotLine};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(kInk, 2.5, styles[i], Qt::FlatCap));
        p.drawLine(QPointF(3, 8 + i * 8), QPointF(29, 8 + i * 8));
    }
}

void lineweights(QPainter& p)
{
    const double widths[3] = {1.0, 3.0, 6.0};
    double y = 6;
    for (double w : widths) {
        p.setPen(QPen(kInk, w, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(3, y + w / 2), QPointF(29, y + w / 2));
        y += w + 7;
    }
}

// A box seen straight on, with the named face filled.
void flatView(QPainter& p, const QString& face)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(5, 5, 22, 22));
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    if (face == QLatin1String("TOP"))
        p.drawRect(QRectF(5, 5, 22, 7));
    else if (face == QLatin1String("BOT"))
        p.drawRect(QRectF(5, 20, 22, 7));
    else if (face == QLatin1String("LEF"))
        p.drawRect(QRectF(5, 5, 7, 22));
    else if (face == QLatin1String("RIG"))
        p.drawRect(QRectF(20, 5, 7, 22));
    else if (face == QLatin1String("FRO"))
        p.drawRect(QRectF(10, 10, 12, 12));
    else
        p.drawRect(QRectF(13, 13, 6, 6));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5, 5, 22, 22));
}

// An isometric cube; the compass corner tells from where it is seen.
void isoView(QPainter& p, const QString& corner)
{
    const bool west = corner.endsWith(QLatin1String("W"));
    const bool north = corner.startsWith(QLatin1String("N"));
    const QPointF top[4] = {QPointF(16, 4), QPointF(28, 10), QPointF(16, 16), QPointF(4, 10)};
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kAccent.lighter(150));
    p.drawPolygon(top, 4);
    p.setBrush(north ? kPaper.darker(115) : kAccent);
    p.drawPolygon(QPolygonF({QPointF(4, 10), QPointF(16, 16), QPointF(16, 29), QPointF(4, 23)}));
    p.setBrush(north ? kAccent : kPaper.darker(115));
    p.drawPolygon(QPolygonF({QPointF(16, 16), QPointF(28, 10), QPointF(28, 23), QPointF(16, 29)}));
    // The viewer's corner: a dot at the near left or right bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 60, 50));
    p.drawEllipse(west ? QPointF(4.5, 27.5) : QPointF(27.5, 27.5), 3, 3);
}

// A sheet split into viewports, given as rectangles in a 0..1 square.
void viewports(QPainter& p, const QVector<QRectF>& panes)
{
    const QRectF frame(3, 5, 26, 22);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(frame);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < panes.size(); ++i) {
        const QRectF r(frame.x() + panes[i].x() * frame.width(), frame.y() + panes[i].y() * frame.height(),
                       panes[i].width() * frame.width(), panes[i].height() * frame.height());
        if (i == 0)
            p.fillRect(r.adjusted(1.5, 1.5, -1.5, -1.5), kAccent.lighter(160));
        p.drawRect(r);
    }
}

// The twelve viewport layouts, each named by its image's suffix.
QVector<QPair<QString, QVector<QRectF>>> viewportLayouts()
{
    const double h = 0.5, t = 1.0 / 3, tt = 2.0 / 3;
    return {
        {QStringLiteral("ONE"), {QRectF(0, 0, 1, 1)}},
        {QStringLiteral("DOUBLEV"), {QRectF(0, 0, h, 1), QRectF(h, 0, h, 1)}},
        {QStringLiteral("DOUBLEH"), {QRectF(0, 0, 1, h), QRectF(0, h, 1, h)}},
        {QStringLiteral("THREER"), {QRectF(h, 0, h, 1), QRectF(0, 0, h, h), QRectF(0, h, h, h)}},
        {QStringLiteral("THREEL"), {QRectF(0, 0, h, 1), QRectF(h, 0, h, h), QRectF(h, h, h, h)}},
        {QStringLiteral("THREET"), {QRectF(0, 0, 1, h), QRectF(0, h, h, h), QRectF(h, h, h, h)}},
        {QStringLiteral("THREEB"), {QRectF(0, h, 1, h), QRectF(0, 0, h, h), QRectF(h, 0, h, h)}},
        {QStringLiteral("THREEV"), {QRectF(0, 0, t, 1), QRectF(t, 0, t, 1), QRectF(tt, 0, t, 1)}},
        {QStringLiteral("THREEH"), {QRectF(0, 0, 1, t), QRectF(0, t, 1, t), QRectF(0, tt, 1, t)}},
        {QStringLiteral("FOUREQ"), {QRectF(0, 0, h, h), QRectF(h, 0, h, h), QRectF(0, h, h, h), QRectF(h, h, h, h)}},
        {QStringLiteral("FOURR"), {QRectF(t, 0, tt, 1), QRectF(0, 0, t, t), QRectF(0, t, t, t), QRectF(0, tt, t, t)}},
        {QStringLiteral("FOURL"), {QRectF(0, 0, tt, 1), QRectF(tt, 0, t, t), QRectF(tt, t, t, t), QRectF(tt, tt, t, t)}},
    };
}

// Draws every image into out; returns their file names.
QStringList drawImages(const QDir& out)
{
    QStringList names;
    auto save = [&](const QString& name, const std::function<void(QPainter&)>& draw) {
        QImage image = canvas();
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            draw(p);
        }
        image.save(out.filePath(name));
        names << name;
    };
    save(QStringLiteral("KVRC_LAYERS.png"), layers);
    save(QStringLiteral("ribbonMaximize.png"), [](QPainter& p) { chevron(p, true); });
    save(QStringLiteral("ribbonMinimize.png"), [](QPainter& p) { chevron(p, false); });
    save(QStringLiteral("KVRC_COLOR.png"), colorWheel);
    save(QStringLiteral("KVRC_LINETYPE.png"), linetypes);
    save(QStringLiteral("KVRC_LINEWEIGHT.png"), lineweights);
    for (const char* face : {"TOP", "BOT", "LEF", "RIG", "FRO", "BAC"})
        save(QStringLiteral("KVRC_VIE%1.png").arg(QLatin1String(face)),
             [face](QPainter& p) { flatView(p, QLatin1String(face)); });
    for (const char* corner : {"SWI", "SEI", "NEI", "NWI"})
        save(QStringLiteral("KVRC_VIE%1.png").arg(QLatin1String(corner)),
             [corner](QPainter& p) { isoView(p, QLatin1String(corner).left(2)); });
    for (const auto& layout : viewportLayouts())
        save(QStringLiteral("KVRC_VP%1.png").arg(layout.first),
             [&layout](QPainter& p) { viewports(p, layout.second); });
    return names;
}

bool writeResourceList(const QDir& out, const QStringList& names)
{
    QFile qrc(out.filePath(QStringLiteral("hostimages.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream s(&qrc);
    s << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& name : names)
        s << "    <file>" << name << "</file>\n";
    s << "</qresource>\n</RCC>\n";
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: kvcc-demo-images OUTPUT_DIR\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    return writeResourceList(out, drawImages(out)) ? 0 : 1;
}
