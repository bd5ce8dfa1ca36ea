#include "kvcctest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdio>
#include <memory>

namespace kvcctest {

namespace {

// Notices the offscreen and X11 platforms print for things that are no fault
// of the code under test. Everything else Qt warns about fails the test.
const char* const knownPlatformNotices[] = {
    "This plugin does not support propagateSizeHints()",
    "This plugin does not support raise()",
    "This plugin does not support grabbing the keyboard",
    "This plugin does not support grabbing the mouse",
    "This plugin does not support setParent!",
    "This plugin does not support setting window masks",
    "QStandardPaths: XDG_RUNTIME_DIR not set",
    // The offscreen platform activates every window it shows, the floating
    // property page too, which takes no focus; a popup closing over it then
    // hands the focus back there, and Qt notes that the page refuses it.
    "which has Qt::WindowDoesNotAcceptFocus set",
};

bool isKnownNotice(const QString& message)
{
    for (const char* notice : knownPlatformNotices) {
        if (message.contains(QLatin1String(notice)))
            return true;
    }
    return false;
}

std::unique_ptr<QTemporaryDir>& scratch()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

int teardownWarnings = 0;
QtMessageHandler previousHandler = nullptr;

void teardownHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !isKnownNotice(message)) {
        ++teardownWarnings;
        std::fprintf(stderr, "FAIL: Qt warning outside a test function: %s\n", qPrintable(message));
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

// Reads the XML log and lists the warnings QTest recorded.
QStringList unexpectedWarnings(const QString& logFile)
{
    QStringList found;
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("the test log %1 could not be read").arg(logFile)};
    QXmlStreamReader xml(&file);
    QString function;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QLatin1String("TestFunction")) {
            function = xml.attributes().value(QLatin1String("name")).toString();
        } else if (xml.name() == QLatin1String("Message")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            QString text;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("Description"))
                    text = xml.readElementText();
                else
                    xml.skipCurrentElement();
            }
            // qCritical() is logged as "system".
            const bool warning = type == QLatin1String("qwarn") || type == QLatin1String("system")
                || type == QLatin1String("qcritical") || type == QLatin1String("qfatal")
                || type == QLatin1String("warn");
            if (warning && !isKnownNotice(text))
                found << QStringLiteral("%1: %2").arg(function, text);
        }
    }
    return found;
}

} // namespace

QString scratchDir()
{
    if (!scratch()) {
        scratch() = std::make_unique<QTemporaryDir>();
    }
    return scratch()->path();
}

QString writeScratch(const QByteArray& data, const QString& name)
{
    const QString path = QDir(scratchDir()).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
    return path;
}

void prepare()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and config go to a scratch folder, never to the user's own.
    // (Qt's test mode would send them to ~/.qttest, shared by every run.)
    const QByteArray dir = scratchDir().toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", dir + "/config");
    qputenv("XDG_DATA_HOME", dir + "/data");
    qputenv("XDG_CACHE_HOME", dir + "/cache");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(scratchDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
}

int run(QObject* testObject, int argc, char** argv)
{
    const QString logFile = scratchDir() + QStringLiteral("/testlog.xml");
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    args << QStringLiteral("-o") << logFile + QStringLiteral(",xml");
    args << QStringLiteral("-o") << QStringLiteral("-,txt");
    // Every warning is logged, however many platform notices came first.
    args << QStringLiteral("-maxwarnings") << QStringLiteral("0");

    int result = QTest::qExec(testObject, args);
    const QStringList warnings = unexpectedWarnings(logFile);
    for (const QString& w : warnings)
        std::fprintf(stderr, "FAIL: unexpected Qt warning in %s\n", qPrintable(w));
    if (!warnings.isEmpty() && result == 0)
        result = 1;
    previousHandler = qInstallMessageHandler(teardownHandler);
    return result;
}

int finish(int result)
{
    qInstallMessageHandler(previousHandler);
    if (teardownWarnings > 0 && result == 0)
        return 1;
    return result;
}

} // namespace kvcctest
