#include "benchcase.h"

#include <QApplication>
#include <QElapsedTimer>
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
}

bool registerBenchGroup(const char* name, BenchGroup group)
{
    groups()[name] = std::move(group);
    return true;
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

// Usage: kvcc-bench [--quick] [group...]
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool quick = false;
    QStringList wanted;
    for (const QString& arg : app.arguments().mid(1)) {
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
