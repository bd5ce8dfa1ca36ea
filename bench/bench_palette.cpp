#include "benchcase.h"

#include <frozentablewidget.h>
#include <kvlayerutility.h>
#include <layercolumns.h>
#include <layerdelegate.h>
#include <layertablewidget.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using namespace KvCc;

// A drawing of count layers in ten name families ("Wall-00042", ...) with
// assorted states, colors and lineweights, made the host's current one.
struct BenchDrawing
{
    explicit BenchDrawing(int count)
        : db(std::make_unique<DkDbDatabase>())
    {
        static const char* const families[] = {"Wall", "Door", "Window", "Floor", "Roof",
                                               "Layer", "Elec", "Plumb", "Furn", "Text"};
        static const int weights[] = {-3, 0, 25, 30, 50, 211};
        for (int i = 1; i < count; ++i) {
            DkDbLayerProperties layerProps;
            layerProps.name = QStringLiteral("%1-%2").arg(QLatin1String(families[i % 10])).arg(i, 5, 10, QLatin1Char('0')).toStdWString();
            layerProps.on = i % 7 != 0;
            layerProps.frozen = i % 11 == 0;
            layerProps.locked = i % 5 == 0;
            layerProps.color.setColorIndex(1 + i % 7);
            layerProps.lineWeight = weights[i % 6];
            layerProps.description = i % 3 ? std::wstring(L"bench layer") : std::wstring();
            last = layerProps.name;
            db->addLayer(layerProps);
        }
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        kvSetSysVar(L"LWUNITS", 1);
        kvSetSysVar(L"TILEMODE", 1);
    }
    ~BenchDrawing() { s_pServices->setWorkingDatabase(nullptr); }

    std::unique_ptr<DkDbDatabase> db;
    std::wstring last;
};

// The plain palette the cases are measured against: a table view with a
// second view laid over its first two columns, on a standard item model
// filled by appendRow with the drawing's rows in name order. Each fill
// starts from a new model: a standard item model that sorted its own items
// takes quadratic time to empty again, which would flatter the palette.
struct PlainPalette
{
    PlainPalette()
    {
        overlay = new QTableView(&view);
        overlay->verticalHeader()->hide();
        view.verticalHeader()->hide();
        view.resize(900, 600);
        view.show();
        overlay->show();
        renew();
    }

    // Untimed: a fresh, empty model on both views.
    void renew()
    {
        auto fresh = std::make_unique<QStandardItemModel>();
        fresh->setColumnCount(LayerColumnCount);
        view.setModel(fresh.get());
        overlay->setModel(fresh.get());
        overlay->setSelectionModel(view.selectionModel());
        model = std::move(fresh);
    }

    void fill()
    {
        QList<QStringList> rows;
        KvLayerUtility().getAllLayerDate(rows);
        std::stable_sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) {
            return a.at(NameColumn).compare(b.at(NameColumn)) < 0;
        });
        for (const QStringList& row : qAsConst(rows)) {
            QList<QStandardItem*> items;
            for (const QString& text : row)
                items << new QStandardItem(text);
            model->appendRow(items);
        }
        for (int column = OnColumn; column < LayerColumnCount; ++column)
            overlay->setColumnHidden(column, true);
    }

    void search(const QString& text)
    {
        const QString pattern = text.toLower();
        for (int row = 0; row < model->rowCount(); ++row) {
            view.setRowHidden(row, false);
            overlay->setRowHidden(row, false);
            if (!model->item(row, NameColumn)->text().toLower().startsWith(pattern)) {
                view.setRowHidden(row, true);
                overlay->setRowHidden(row, true);
            }
        }
    }

    QTableView view;
    QTableView* overlay = nullptr;
    std::unique_ptr<QStandardItemModel> model;
};

std::unique_ptr<LayerTableWidget> shownTable()
{
    auto table = std::make_unique<LayerTableWidget>();
    table->resize(900, 600);
    table->show();
    QApplication::processEvents();
    return table;
}

int runsFor(int size) { return size >= 50000 ? 5 : size >= 10000 ? 9 : 15; }

// Times the palette and its baseline in alternation, so a machine that
// gets busier or quieter during the run weighs on both alike.
void measure(BenchResult& result, int runs, const std::function<void()>& oursSetup,
             const std::function<void()>& ours, const std::function<void()>& baseSetup,
             const std::function<void()>& base)
{
    QVector<double> oursMs;
    QVector<double> baseMs;
    for (int i = 0; i < runs; ++i) {
        oursMs << medianMs(1, oursSetup, ours);
        baseMs << medianMs(1, baseSetup, base);
    }
    result.oursMs = median(oursMs);
    result.baselineMs = median(baseMs);
}

// Loading the table, and searching it one keystroke at a time.
void benchLoadAndSearch(bool quick, QVector<BenchResult>& out)
{
    const QVector<int> loadSizes = quick ? QVector<int>{1000} : QVector<int>{1000, 10000, 50000};
    const QVector<int> searchSizes = quick ? QVector<int>{1000} : QVector<int>{10000, 50000};

    for (int size : loadSizes) {
        BenchDrawing drawing(size);
        auto table = shownTable();
        PlainPalette plain;
        const int runs = runsFor(size);
        BenchResult load{QStringLiteral("palette.load"), size};
        measure(load, runs, nullptr, [&]() { table->InitLayerModel(); }, [&]() { plain.renew(); },
                [&]() { plain.fill(); });
        out << load;

        if (!searchSizes.contains(size))
            continue;
        // The first letter hides most rows; the second touches few of ours.
        // Before each keystroke the views settle, as between two keystrokes.
        auto settled = [](const std::function<void()>& before) {
            return [before]() {
                before();
                QApplication::processEvents();
            };
        };
        BenchResult search{QStringLiteral("palette.search"), size};
        measure(search, runs, settled([&]() { table->slotSearchLayer(QString()); }),
                [&]() { table->slotSearchLayer(QStringLiteral("w")); },
                settled([&]() { plain.search(QString()); }), [&]() { plain.search(QStringLiteral("w")); });
        out << search;
        BenchResult next{QStringLiteral("palette.search.next"), size};
        measure(next, runs, settled([&]() { table->slotSearchLayer(QStringLiteral("w")); }),
                [&]() { table->slotSearchLayer(QStringLiteral("wa")); },
                settled([&]() { plain.search(QStringLiteral("w")); }),
                [&]() { plain.search(QStringLiteral("wa")); });
        out << next;
        table->slotSearchLayer(QString());
    }
}

// One full screen of cells, 1920 x 1080, painted ten times.
void benchPaint(QVector<BenchResult>& out)
{
    BenchDrawing drawing(1000);
    auto table = shownTable();
    auto* ours = table->itemDelegate();
    QStyledItemDelegate base;
    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    const int rows = 1080 / 22;
    const int width = 1920 / LayerColumnCount;
    auto paintScreen = [&](QAbstractItemDelegate* delegate) {
        QPainter painter(&screen);
        for (int pass = 0; pass < 10; ++pass) {
            for (int row = 0; row < rows; ++row) {
                for (int column = 0; column < LayerColumnCount; ++column) {
                    QStyleOptionViewItem option;
                    option.initFrom(table->viewport());
                    option.rect = QRect(column * width, row * 22, width, 22);
                    option.state = QStyle::State_Enabled | QStyle::State_Active;
                    option.features = QStyleOptionViewItem::HasDisplay;
                    delegate->paint(&painter, option, table->model()->index(row, column));
                }
            }
        }
    };
    BenchResult paint{QStringLiteral("palette.paint"), rows * LayerColumnCount};
    measure(paint, 9, nullptr, [&]() { paintScreen(ours); }, nullptr, [&]() { paintScreen(&base); });
    out << paint;
}

// A click on a lock cell against the bridge call it makes, per click.
void benchToggle(bool quick, QVector<BenchResult>& out)
{
    const int size = quick ? 1000 : 10000;
    BenchDrawing drawing(size);
    auto table = shownTable();
    const QString name = QString::fromStdWString(drawing.last);
    int row = 0;
    while (table->model()->index(row, NameColumn).data().toString() != name)
        ++row;
    const QModelIndex lock = table->model()->index(row, LockColumn);
    table->scrollTo(lock);
    QApplication::processEvents();
    const QPoint at = table->visualRect(lock).center();
    // Timed over twenty clicks at a time.
    const int clicks = 20;
    BenchResult toggle{QStringLiteral("palette.toggle"), size};
    bool locked = false;
    measure(toggle, 15, nullptr, [&]() {
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    }, nullptr, [&]() {
        for (int i = 0; i < clicks; ++i) {
            locked = !locked;
            KvLayerUtility().setLayerLock(name, locked);
        }
    });
    toggle.oursMs /= clicks;
    toggle.baselineMs /= clicks;
    out << toggle;
}

} // namespace

KVCC_BENCH_GROUP(palette)
{
    benchLoadAndSearch(quick, out);
    benchPaint(out);
    benchToggle(quick, out);
}
