#include "benchcase.h"
#include "benchdrawing.h"

#include <drawingcanvas.h>
#include <drawingdata.h>
#include <layercolumns.h>
#include <layercombobox.h>
#include <layermanager.h>
#include <layertablewidget.h>
#include <mainwindow.h>
#include <openprogress.h>

#include <KvAppBase.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QtTest>

// The demo host's whole round trip of a toggle in the palette: the click on
// a state cell, the flag written, the undo step, the notice, and the
// deferred refresh of the drop-down and the canvas. The baseline is the
// same round trip with the drop-down hidden, which the window does not
// refresh then, so the ratio is what the drop-down costs the host.
namespace {

Demo::Drawing drawingOf(int layers)
{
    Demo::Drawing drawing;
    drawing.title = QStringLiteral("bench");
    drawing.layers.resize(layers);
    drawing.layers[0].name = QStringLiteral("0");
    for (int i = 1; i < layers; ++i) {
        drawing.layers[i].name = QStringLiteral("Layer %1").arg(i);
        drawing.layers[i].color = QColor::fromHsv(i % 360, 200, 220);
    }
    // One line on every layer, so the canvas has the drawing's size of work.
    for (int i = 0; i < layers; ++i) {
        Demo::DrawingEntity line;
        line.layer = i;
        line.points = {QPointF(i % 100, i / 100), QPointF(i % 100 + 0.8, i / 100 + 0.5)};
        drawing.entities << line;
    }
    return drawing;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// One size: the toggle's round trip with the drop-down and without it.
BenchResult toggleRoundTrip(int size)
{
    const int runs = 21;
    BenchResult result{QStringLiteral("demo.toggle"), size};
    Demo::MainWindow window;
    window.setQuiet(true);
    window.openDrawing(drawingOf(size), QStringLiteral("bench"));
    window.resize(1400, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return result;
    settle();

    KvCc::LayerTableWidget* table = window.paletteTable();
    const QModelIndexList found = table->model()->match(table->model()->index(0, KvCc::NameColumn), Qt::DisplayRole,
                                                        QStringLiteral("Layer %1").arg(size / 2), 1, Qt::MatchExactly);
    if (found.isEmpty())
        return result;
    const QModelIndex cell = found.first().siblingAtColumn(KvCc::OnColumn);
    table->scrollTo(cell);
    settle();
    auto toggle = [&] {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
        settle();
    };
    // The same host without the drop-down: hidden, it is not refreshed,
    // while the undo step, the palette and the canvas are as before. The
    // two take turns, so that a slow spell of the machine meets both.
    QVector<double> ours, baseline;
    for (int i = 0; i < runs; ++i) {
        window.layerCombo()->show();
        ours << medianMs(1, settle, toggle);
        window.layerCombo()->hide();
        baseline << medianMs(1, settle, toggle);
    }
    result.oursMs = median(ours);
    result.baselineMs = median(baseline);
    return result;
}

// A big drawing opened in the window, from the start of the open to the
// first paint of the finished drawing, against dxflib's bare parse of the
// file; and the process's peak memory over that, against the file's size.
// The open runs in a fresh process, as a user's does, so that its peak does
// not carry what the cases before it left in this one.
int bigOpenChild(const QString& path)
{
    Demo::MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.resize(1400, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    settle();
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    window.openInBackground(path);
    while (window.openProgress()->isOpening())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    settle();
    window.repaint();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    QTextStream(stdout) << ms << '\t' << peakMb() << '\n';
    return 0;
}

const bool bigOpenChildRegistered = registerBenchChild("big-open", bigOpenChild);

void bigOpen(bool quick, QVector<BenchResult>& out)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.dxf"));
    const int layers = quick ? 2000 : 20000, entities = quick ? 40000 : 400000;
    if (!writeFile(path, generatedDrawing(layers, entities, 4)))
        return;
    const double fileMb = QFileInfo(path).size() / (1024.0 * 1024.0);
    const double parse = dxflibParseMs(path, 3);
    const QList<QByteArray> measured = runBenchChild("big-open", path).trimmed().split('\t');
    if (measured.size() != 2)
        return;
    out << BenchResult{QStringLiteral("demo.big.open"), entities, measured.at(0).toDouble(), parse}
        << BenchResult{QStringLiteral("demo.big.open.peak_mb"), entities, measured.at(1).toDouble(), fileMb};
}

} // namespace

KVCC_BENCH_GROUP(demo)
{
    const QVector<int> sizes = quick ? QVector<int>{500} : QVector<int>{1000, 5000, 20000};
    for (int size : sizes)
        out << toggleRoundTrip(size);
    bigOpen(quick, out);
}
