#include "benchcase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <map>
#include <string>

namespace {
std::map<std::string, BenchGroup>& groups()
{
    static std::map<std::string, BenchGroup> all;
    return all;
}

std::map<std::string, BenchChild>& children()
{
    static std::map<std::string, BenchChild> all;
    return all;
}
}

bool registerBenchGroup(const char* name, BenchGroup group)
{
    groups()[name] = std::move(group);
    return true;
}

bool registerBenchChild(const char* name, BenchChild child)
{
    children()[name] = std::move(child);
    return true;
}

QByteArray runBenchChild(const char* name, const QString& arg)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), QString::fromLatin1(name), arg});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return {};
    return child.readAllStandardOutput();
}

void printBenchResults(const QVector<BenchResult>& results)
{
    QTextStream out(stdout);
    for (const BenchResult& r : results)
        out << r.name << '\t' << r.size << '\t' << r.oursMs << '\t' << r.baselineMs << '\n';
}

QVector<BenchResult> childBenchResults(const char* name, const QString& arg)
{
    QVector<BenchResult> results;
    const QList<QByteArray> lines = runBenchChild(name, arg).split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 4)
            results << BenchResult{QString::fromUtf8(fields.at(0)), fields.at(1).toInt(), fields.at(2).toDouble(),
                                   fields.at(3).toDouble()};
    }
    return results;
}

double median(QVector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.isEmpty() ? 0.0 : times.at(times.size() / 2);
}

double medianMs(int runs, const std::function<void()>& setup, const std::function<void()>& body)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        body();
        times << timer.nsecsElapsed() / 1e6;
    }
    return median(times);
}

// Usage: kvcc-bench [--quick] [group...]; kvcc-bench --child name arg runs one child (see runBenchChild)
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--child")) {
        const auto child = children().find(args.at(2).toStdString());
        return child == children().end() ? 2 : child->second(args.at(3));
    }
    bool quick = false;
    QStringList wanted;
    for (const QString& arg : args.mid(1)) {
        if (arg == QLatin1String("--quick"))
            quick = true;
        else
            wanted << arg;
    }
    QTextStream out(stdout);
    out << "case\tsize\tours_ms\tbaseline_ms\tratio\n";
    for (const auto& entry : groups()) {
        if (!wanted.isEmpty() && !wanted.contains(QString::fromStdString(entry.first)))
            continue;
        QVector<BenchResult> results;
        entry.second(quick, results);
        for (const BenchResult& r : results) {
            const double ratio = r.baselineMs > 0 ? r.oursMs / r.baselineMs : 0.0;
            out << r.name << '\t' << r.size << '\t' << QString::number(r.oursMs, 'f', 3) << '\t'
                << QString::number(r.baselineMs, 'f', 3) << '\t' << QString::number(ratio, 'f', 2)
                << '\n';
            out.flush();
        }
    }
    return 0;
}
