#include "layerbatchedit.h"

#include "acipalette.h"
#include "drawingsession.h"
#include "linetypetable.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace Demo {
namespace {

// How many words each command takes after its name; -1: two or more.
const QHash<QString, int>& argumentCounts()
{
    static const QHash<QString, int> counts{
        {QStringLiteral("new"), 1},        {QStringLiteral("delete"), 1},     {QStringLiteral("rename"), 2},
        {QStringLiteral("current"), 1},    {QStringLiteral("on"), 1},         {QStringLiteral("off"), 1},
        {QStringLiteral("freeze"), 1},     {QStringLiteral("thaw"), 1},       {QStringLiteral("lock"), 1},
        {QStringLiteral("unlock"), 1},     {QStringLiteral("plot"), 1},       {QStringLiteral("noplot"), 1},
        {QStringLiteral("color"), 2},      {QStringLiteral("linetype"), 2},   {QStringLiteral("lineweight"), 2},
        {QStringLiteral("description"), -1},
        {QStringLiteral("all-on"), 0},     {QStringLiteral("thaw-all"), 0}};
    return counts;
}

// 1..255, or R,G,B with each part 0..255; false when neither.
bool parseColor(const QString& value, QColor& color, int& index)
{
    const QStringList parts = value.split(QLatin1Char(','));
    bool ok = false;
    if (parts.size() == 1) {
        index = value.toInt(&ok);
        color = aciColor(index);
        return ok && index >= 1 && index <= 255;
    }
    if (parts.size() != 3)
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        rgb[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok || rgb[i] < 0 || rgb[i] > 255)
            return false;
    }
    color = QColor(rgb[0], rgb[1], rgb[2]);
    // A true color that equals an index color is stored as that index.
    index = aciIndexOf(color);
    return true;
}

// Longest command file read; longer ones are refused, not cut.
const qint64 kMaxCommandFileSize = 64 * 1024 * 1024;

// The lines of a command file, which must be UTF-8 text (a BOM and CR LF
// line ends allowed). A NUL byte or a byte that is not UTF-8 is refused
// with its line: decoding on would drop or change what the line says.
bool readCommands(QFile& file, QStringList& lines, QString& error)
{
    // Read in parts: one read of the limit would reserve all of it.
    QByteArray data;
    while (data.size() <= kMaxCommandFileSize) {
        const QByteArray part = file.read(1024 * 1024);
        if (part.isEmpty())
            break;
        data += part;
    }
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral(" %1").arg(file.errorString());
        return false;
    }
    if (data.size() > kMaxCommandFileSize) {
        error = QStringLiteral(" the file is larger than %1 MB").arg(kMaxCommandFileSize / (1024 * 1024));
        return false;
    }
    const QList<QByteArray> raw = data.split('\n');
    for (int i = 0; i < raw.size(); ++i) {
        QByteArray line = raw.at(i);
        if (i == 0 && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = QString::fromUtf8(line);
        if (line.contains('\0'))
            error = QStringLiteral("%1: the line holds a NUL byte").arg(i + 1);
        else if (text.toUtf8() != line)
            error = QStringLiteral("%1: the line is not UTF-8 text").arg(i + 1);
        if (!error.isEmpty())
            return false;
        lines << text;
    }
    return true;
}

} // namespace

LayerBatchEdit::LayerBatchEdit(DrawingDocument* document, LayerHistory* history)
    : m_document(document), m_history(history), m_states(document, history)
{
}

bool LayerBatchEdit::split(const QString& line, QStringList& words)
{
    words.clear();
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return !quoted;
}

QString LayerBatchEdit::runLine(const QString& line)
{
    QStringList words;
    if (!split(line, words))
        return QStringLiteral("a double quote is not closed");
    if (words.isEmpty() || words.first().startsWith(QLatin1Char('#')))
        return QString();
    const QString command = words.takeFirst().toLower();
    if (command == QLatin1String("state"))
        return runState(words);
    if (!argumentCounts().contains(command))
        return QStringLiteral("unknown command \"%1\"").arg(command);
    const int wanted = argumentCounts().value(command);
    if ((wanted >= 0 && words.size() != wanted) || (wanted < 0 && words.size() < 2))
        return QStringLiteral("\"%1\" takes %2").arg(command, wanted == 0   ? QStringLiteral("no arguments")
                                                            : wanted == 1 ? QStringLiteral("a layer name")
                                                            : wanted == 2 ? QStringLiteral("two arguments")
                                                                          : QStringLiteral("a layer name and a text"));
    const QString error = runCommand(command, words);
    if (error.isEmpty())
        m_history->recordCommand();
    return error;
}

QString LayerBatchEdit::runCommand(const QString& command, const QStringList& args)
{
    if (command == QLatin1String("new"))
        return m_document->addLayer(args.at(0));
    if (command == QLatin1String("delete"))
        return m_document->deleteLayer(args.at(0));
    if (command == QLatin1String("rename"))
        return m_document->renameLayer(args.at(0), args.at(1));
    if (command == QLatin1String("current"))
        return m_document->setCurrentLayer(args.at(0));
    if (command == QLatin1String("color"))
        return setColor(args.at(0), args.at(1));
    if (command == QLatin1String("linetype"))
        return setLinetype(args.at(0), args.at(1));
    if (command == QLatin1String("lineweight"))
        return setLineWeight(args.at(0), args.at(1));
    if (command == QLatin1String("description"))
        return setDescription(args.at(0), args.mid(1).join(QLatin1Char(' ')));
    if (command == QLatin1String("all-on"))
        return m_document->turnAllLayersOn();
    if (command == QLatin1String("thaw-all"))
        return m_document->thawAllLayers();
    return setFlag(command, args.at(0));
}

// A named layer state: saved from the layers as they are, restored (every
// property it holds; other layers stay as they are), deleted or renamed.
QString LayerBatchEdit::runState(const QStringList& args)
{
    static const QHash<QString, int> counts{{QStringLiteral("save"), 1},
                                            {QStringLiteral("restore"), 1},
                                            {QStringLiteral("delete"), 1},
                                            {QStringLiteral("rename"), 2}};
    const QString command = args.value(0).toLower();
    if (!counts.contains(command) || args.size() != counts.value(command) + 1)
        return QStringLiteral("\"state\" takes save NAME, restore NAME, delete NAME or rename OLD NEW");
    if (command == QLatin1String("save"))
        return m_states.captureState(args.at(1));
    if (command == QLatin1String("restore"))
        return m_states.restoreState(args.at(1), KvCc::LayerState::AllProperties, false);
    if (command == QLatin1String("delete"))
        return m_states.removeState(args.at(1));
    return m_states.renameState(args.at(1), args.at(2));
}

QString LayerBatchEdit::setFlag(const QString& command, const QString& name)
{
    return m_document->editLayer(name, [&](DrawingLayer& layer) {
        if (command == QLatin1String("on") || command == QLatin1String("off"))
            layer.on = command == QLatin1String("on");
        else if (command == QLatin1String("freeze") || command == QLatin1String("thaw"))
            layer.frozen = command == QLatin1String("freeze");
        else if (command == QLatin1String("lock") || command == QLatin1String("unlock"))
            layer.locked = command == QLatin1String("lock");
        else
            layer.plottable = command == QLatin1String("plot");
        return QString();
    });
}

QString LayerBatchEdit::setColor(const QString& name, const QString& value)
{
    return m_document->editLayer(name, [&](DrawingLayer& layer) {
        if (!parseColor(value, layer.color, layer.colorIndex))
            return QStringLiteral("\"%1\" is not a color: give an index from 1 to 255 or R,G,B").arg(value);
        return QString();
    });
}

QString LayerBatchEdit::setLinetype(const QString& name, const QString& linetype)
{
    return m_document->editLayer(name, [&](DrawingLayer& layer) {
        for (const Linetype& known : LinetypeTable(m_document->database()).layerLinetypes()) {
            if (known.first.compare(linetype, Qt::CaseInsensitive) == 0) {
                layer.linetype = known.first;
                return QString();
            }
        }
        return QStringLiteral("The drawing has no linetype \"%1\".").arg(linetype);
    });
}

QString LayerBatchEdit::setLineWeight(const QString& name, const QString& value)
{
    static const QHash<QString, int> words{{QStringLiteral("bylayer"), LineWeightByLayer},
                                           {QStringLiteral("byblock"), LineWeightByBlock},
                                           {QStringLiteral("default"), LineWeightDefault}};
    return m_document->editLayer(name, [&](DrawingLayer& layer) {
        bool ok = false;
        const int hundredths = value.toInt(&ok);
        if (words.contains(value.toLower()))
            layer.lineWeight = words.value(value.toLower());
        else if (ok && isStandardLineWeight(hundredths))
            layer.lineWeight = hundredths;
        else
            return QStringLiteral("\"%1\" is not a lineweight: give hundredths of a millimetre (25 for 0.25 mm), "
                                  "bylayer, byblock or default")
                .arg(value);
        return QString();
    });
}

QString LayerBatchEdit::setDescription(const QString& name, const QString& text)
{
    return m_document->editLayer(name, [&](DrawingLayer& layer) {
        layer.description = text;
        return QString();
    });
}

int LayerBatchEdit::run(const QString& commandsPath, const QString& inPath, const QString& outPath, QTextStream& err)
{
    QFile commands(commandsPath);
    QStringList lines;
    QString problem;
    if (!commands.open(QIODevice::ReadOnly)) {
        err << commandsPath << ": " << commands.errorString() << '\n';
        return 1;
    }
    if (!readCommands(commands, lines, problem)) {
        err << commandsPath << ':' << problem << "\nNothing was written.\n";
        return 1;
    }
    DrawingSession session;
    // Commands change layers only: the entities need counting, not reading.
    const QString openError = session.openFile(inPath, DxfImport::Extent::Layers);
    if (!openError.isEmpty()) {
        err << openError << '\n';
        return 1;
    }
    LayerBatchEdit edit(session.document(), session.history());
    int failures = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString error = edit.runLine(lines.at(i));
        if (!error.isEmpty()) {
            err << commandsPath << ':' << i + 1 << ": " << error << '\n';
            ++failures;
        }
    }
    if (failures > 0) {
        err << "Nothing was written.\n";
        return 1;
    }
    QString message;
    if (session.saveTo(outPath, false, message) != DrawingFile::Saved) {
        err << message << '\n';
        return 1;
    }
    return 0;
}

} // namespace Demo
