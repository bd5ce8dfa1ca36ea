#pragma once

#include <QFile>
#include <QHash>
#include <QImage>
#include <QLibraryInfo>
#include <QPainter>
#include <QProcess>
#include <QResource>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QTextStream>

// Stands in for the host's picture resources of the standard views and
// viewport layouts: draws them into a scratch folder, compiles them with rcc
// and registers them under ":/" for as long as the object lives.
class HostIcons
{
public:
    HostIcons();
    ~HostIcons();

    // False when rcc could not be found or failed; nothing is registered then.
    bool isRegistered() const { return registered; }
    QString error() const { return message; }

    // Side of the drawn view pictures and of the viewport layout pictures,
    // which the viewport gallery scales down.
    static constexpr int viewSize = 16;
    static constexpr int viewportSize = 32;

private:
    QTemporaryDir dir;
    QString rccFile;
    QString message;
    bool registered = false;
};

namespace hosticons {

// A cube seen from the named side: the face towards the viewer is filled.
inline QImage viewPicture(const QString& name)
{
    const int s = HostIcons::viewSize;
    QImage image(s, s, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(240, 240, 240));
    p.drawRect(3, 3, 9, 9);
    p.setBrush(QColor(60, 140, 220));
    if (name == QLatin1String("VIETOP"))
        p.drawRect(3, 3, 9, 9);
    else if (name == QLatin1String("VIEBOT"))
        p.drawRect(5, 5, 5, 5);
    else if (name == QLatin1String("VIELEF"))
        p.drawRect(1, 3, 3, 9);
    else if (name == QLatin1String("VIERIG"))
        p.drawRect(11, 3, 3, 9);
    else if (name == QLatin1String("VIEFRO"))
        p.drawRect(3, 11, 9, 3);
    else if (name == QLatin1String("VIEBAC"))
        p.drawRect(3, 1, 9, 3);
    else if (name == QLatin1String("VIESWI"))
        p.drawEllipse(1, 10, 5, 5);
    else if (name == QLatin1String("VIESEI"))
        p.drawEllipse(10, 10, 5, 5);
    else if (name == QLatin1String("VIENEI"))
        p.drawEllipse(10, 1, 5, 5);
    else
        p.drawEllipse(1, 1, 5, 5);
    return image;
}

// A screen split into the panes of the named layout.
inline QImage viewportPicture(const QString& name)
{
    const int s = HostIcons::viewportSize;
    const int m = s / 2;
    QImage image(s, s, QImage::Format_ARGB32);
    image.fill(QColor(250, 250, 250));
    QPainter p(&image);
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.drawRect(1, 1, s - 2, s - 2);
    const QHash<QString, QList<QLine>> panes = {
        {QStringLiteral("VPONE"), {}},
        {QStringLiteral("VPDOUBLEV"), {QLine(m, 0, m, s)}},
        {QStringLiteral("VPDOUBLEH"), {QLine(0, m, s, m)}},
        {QStringLiteral("VPTHREER"), {QLine(m, 0, m, s), QLine(0, m, m, m)}},
        {QStringLiteral("VPTHREEL"), {QLine(m, 0, m, s), QLine(m, m, s, m)}},
        {QStringLiteral("VPTHREET"), {QLine(0, m, s, m), QLine(m, m, m, s)}},
        {QStringLiteral("VPTHREEB"), {QLine(0, m, s, m), QLine(m, 0, m, m)}},
        {QStringLiteral("VPTHREEV"), {QLine(s / 3, 0, s / 3, s), QLine(2 * s / 3, 0, 2 * s / 3, s)}},
        {QStringLiteral("VPTHREEH"), {QLine(0, s / 3, s, s / 3), QLine(0, 2 * s / 3, s, 2 * s / 3)}},
        {QStringLiteral("VPFOUREQ"), {QLine(m, 0, m, s), QLine(0, m, s, m)}},
        {QStringLiteral("VPFOURR"), {QLine(s / 3, 0, s / 3, s), QLine(0, s / 3, s / 3, s / 3), QLine(0, 2 * s / 3, s / 3, 2 * s / 3)}},
        {QStringLiteral("VPFOURL"), {QLine(2 * s / 3, 0, 2 * s / 3, s), QLine(2 * s / 3, s / 3, s, s / 3), QLine(2 * s / 3, 2 * s / 3, s, 2 * s / 3)}},
    };
    p.drawLines(panes.value(name).toVector());
    return image;
}

inline QString findRcc()
{
    const QString beside = QLibraryInfo::location(QLibraryInfo::BinariesPath) + QStringLiteral("/rcc");
    if (QFile::exists(beside))
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("rcc"));
}

} // namespace hosticons

inline HostIcons::HostIcons()
{
    const QStringList views = {QStringLiteral("VIETOP"), QStringLiteral("VIEBOT"), QStringLiteral("VIELEF"),
        QStringLiteral("VIERIG"), QStringLiteral("VIEFRO"), QStringLiteral("VIEBAC"), QStringLiteral("VIESWI"),
        QStringLiteral("VIESEI"), QStringLiteral("VIENEI"), QStringLiteral("VIENWI")};
    const QStringList viewports = {QStringLiteral("VPONE"), QStringLiteral("VPDOUBLEV"),
        QStringLiteral("VPDOUBLEH"), QStringLiteral("VPTHREER"), QStringLiteral("VPTHREEL"),
        QStringLiteral("VPTHREET"), QStringLiteral("VPTHREEB"), QStringLiteral("VPTHREEV"),
        QStringLiteral("VPTHREEH"), QStringLiteral("VPFOUREQ"), QStringLiteral("VPFOURR"),
        QStringLiteral("VPFOURL")};

    const QString qrcFile = dir.filePath(QStringLiteral("hosticons.qrc"));
    QFile qrc(qrcFile);
    if (!dir.isValid() || !qrc.open(QIODevice::WriteOnly | QIODevice::Text)) {
        message = QStringLiteral("scratch folder not writable");
        return;
    }
    QTextStream out(&qrc);
    out << "<RCC><qresource prefix=\"/\">\n";
    auto add = [&](const QString& name, const QImage& image) {
        const QString file = QStringLiteral("KVRC_%1.png").arg(name);
        image.save(dir.filePath(file));
        out << "<file>" << file << "</file>\n";
    };
    for (const QString& name : views)
        add(name, hosticons::viewPicture(name));
    for (const QString& name : viewports)
        add(name, hosticons::viewportPicture(name));
    out << "</qresource></RCC>\n";
    qrc.close();

    const QString rcc = hosticons::findRcc();
    if (rcc.isEmpty()) {
        message = QStringLiteral("rcc not found");
        return;
    }
    rccFile = dir.filePath(QStringLiteral("hosticons.rcc"));
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(rcc, {QStringLiteral("-binary"), qrcFile, QStringLiteral("-o"), rccFile});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        message = QStringLiteral("rcc failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return;
    }
    registered = QResource::registerResource(rccFile);
    if (!registered)
        message = QStringLiteral("the compiled resource could not be registered");
}

inline HostIcons::~HostIcons()
{
    if (registered)
        QResource::unregisterResource(rccFile);
}