#pragma once

#include <QString>
#include <QVector>

#include <functional>

// One measured line of the table.
struct BenchResult
{
    QString name;
    int size = 0;
    double oursMs = 0;
    double baselineMs = 0;
};

// A group of cases; quick asks for the small sizes only.
using BenchGroup = std::function<void(bool quick, QVector<BenchResult>& out)>;

bool registerBenchGroup(const char* name, BenchGroup group);

// The middle value of times once sorted; 0 for no times.
double median(QVector<double> times);

// Median wall time in milliseconds of runs calls of body, each after an
// untimed call of setup.
double medianMs(int runs, const std::function<void()>& setup, const std::function<void()>& body);

// A case whose peak memory must not include what earlier cases left in the
// process runs in a fresh one: kvcc-bench starts itself with
// "--child name arg", and the child prints its results on standard output.
using BenchChild = std::function<int(const QString& arg)>;

bool registerBenchChild(const char* name, BenchChild child);

// Runs the child of that name on arg in a new process; what it printed,
// or nothing when it failed.
QByteArray runBenchChild(const char* name, const QString& arg);

// For a child that measures whole cases: prints them on standard output, and
// reads them back in the parent, which gets none when the child failed.
void printBenchResults(const QVector<BenchResult>& results);
QVector<BenchResult> childBenchResults(const char* name, const QString& arg);

#define KVCC_BENCH_GROUP(name)                                                                     \
    static void name(bool quick, QVector<BenchResult>& out);                                       \
    static const bool name##_registered = registerBenchGroup(#name, name);                         \
    static void name(bool quick, QVector<BenchResult>& out)
