#include "benchcase.h"
#include "benchdrawing.h"

#include <layerbatchedit.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

// The batch edit, whole: read, commands, save. edit.big is one freeze line
// on a big generated drawing against dxflib's bare parse of it, and
// edit.big.peak_mb the peak memory of that command run as a user runs it
// against the file's size, both in MB.
// edit.commands runs 400 and 3,200 "new" lines on a small drawing against
// the same parse, so that the two lines show how the cost grows.
namespace {

double editMs(const QString& commands, const QString& in, const QString& out, int runs)
{
    return medianMs(runs, {}, [&] {
        QString errors;
        QTextStream err(&errors);
        Demo::LayerBatchEdit::run(commands, in, out, err);
    });
}

// The peak resident memory of the whole command, kvcc-demo --edit-layers,
// as a user runs it, in MB; 0 when it could not be measured. GNU time
// starts it from a small process of its own: a process forked from this
// one would count this one's memory as its own until it runs the command.
double commandPeakMb(const QString& commands, const QString& in, const QString& out)
{
    QProcess command;
    command.start(QStringLiteral("/usr/bin/time"), {QStringLiteral("-f"), QStringLiteral("peak %M"), QStringLiteral(KVCC_DEMO_BINARY),
                                                   QStringLiteral("--edit-layers"), commands, in, QStringLiteral("-o"), out});
    if (!command.waitForFinished(600000) || command.exitCode() != 0)
        return 0;
    const QList<QByteArray> lines = command.readAllStandardError().trimmed().split('\n');
    const QByteArray last = lines.isEmpty() ? QByteArray() : lines.last();
    return last.startsWith("peak ") ? last.mid(5).toDouble() / 1024.0 : 0;
}

} // namespace

KVCC_BENCH_GROUP(edit)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.dxf"));
    const QString small = dir.filePath(QStringLiteral("small.dxf"));
    const QString edited = dir.filePath(QStringLiteral("out.dxf"));
    const int layers = quick ? 2000 : 20000, entities = quick ? 40000 : 400000;
    if (!writeFile(big, generatedDrawing(layers, entities, 4)) || !writeFile(small, generatedDrawing(20, 2000, 4)))
        return;
    const QString freeze = dir.filePath(QStringLiteral("freeze.txt"));
    writeFile(freeze, "freeze L7\n");
    const double fileMb = QFileInfo(big).size() / (1024.0 * 1024.0);
    const double baseline = dxflibParseMs(big, 3);
    const double ours = editMs(freeze, big, edited, 3);
    out << BenchResult{QStringLiteral("edit.big"), entities, ours, baseline};
    out << BenchResult{QStringLiteral("edit.big.peak_mb"), entities, commandPeakMb(freeze, big, edited), fileMb};

    const double smallParse = dxflibParseMs(small, 5);
    for (int count : {400, 3200}) {
        QByteArray lines;
        for (int i = 0; i < count; ++i)
            lines += "new N" + QByteArray::number(i) + '\n';
        const QString commands = dir.filePath(QStringLiteral("new%1.txt").arg(count));
        writeFile(commands, lines);
        out << BenchResult{QStringLiteral("edit.commands"), count, editMs(commands, small, edited, 3), smallParse};
    }
}
