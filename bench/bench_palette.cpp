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
            DkDbLayerSpec spec;
            spec.name = QStringLiteral("%1-%2").arg(QLatin1String(families[i % 10])).arg(i, 5, 10, QLatin1Char('0')).toStdWString();
            spec.on = i % 7 != 0;
            spec.frozen = i % 11 == 0;
            spec.locked = i % 5 == 0;
            spec.color.setColorIndex(1 + i % 7);
            spec.lineWeight = weights[i % 6];
            spec.description = i % 3 ? std::wstring(L"bench layer") : std::wstring();
            last = spec.name;
            db->addLayer(spec);
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
// second view laid over its first two columns, on a standard item model.
struct PlainPalette
{
    PlainPalette()
    {
        view.setModel(&model);
        overlay = new QTableView(&view);
        overlay->setModel(&model);
        overlay->setSelectionModel(view.selectionModel());
        overlay->verticalHeader()->hide();
        view.verticalHeader()->hide();
        view.resize(900, 600);
        view.show();
        overlay->show();
    }

    void fill()
    {
        model.removeRows(0, model.rowCount());
        model.setColumnCount(LayerColumnCount);
        QList<QStringList> rows;
        KvLayerUtility().getAllLayerDate(rows);
        for (const QStringList& row : qAsConst(rows)) {
            QList<QStandardItem*> items;
            for (const QString& text : row)
                items << new QStandardItem(text);
            model.appendRow(items);
        }
        model.sort(NameColumn, Qt::AscendingOrder);
        for (int column = OnColumn; column < LayerColumnCount; ++column)
            overlay->setColumnHidden(column, true);
    }

    void search(const QString& text)
    {
        const QString pattern = text.toLower();
        for (int row = 0; row < model.rowCount(); ++row) {
            view.setRowHidden(row, false);
            overlay->setRowHidden(row, false);
            if (!model.item(row, NameColumn)->text().toLower().startsWith(pattern)) {
                view.setRowHidden(row, true);
                overlay->setRowHidden(row, true);
            }
        }
    }

    QStandardItemModel model;
    QTableView view;
    QTableView* overlay = nullptr;
};

std::unique_ptr<LayerTableWidget> shownTable()
{
    auto table = std::make_unique<LayerTableWidget>();
    table->resize(900, 600);
    table->show();
    QApplication::processEvents();
    return table;
}

int runsFor(int size) { return size >= 50000 ? 3 : size >= 10000 ? 5 : 11; }

} // namespace

KVCC_BENCH_GROUP(palette)
{
    const QVector<int> loadSizes = quick ? QVector<int>{1000} : QVector<int>{1000, 10000, 50000};
    const QVector<int> searchSizes = quick ? QVector<int>{1000} : QVector<int>{10000, 50000};

    for (int size : loadSizes) {
        BenchDrawing drawing(size);
        auto table = shownTable();
        PlainPalette plain;
        const int runs = runsFor(size);
        BenchResult load{QStringLiteral("palette.load"), size};
        load.oursMs = medianMs(runs, nullptr, [&]() { table->InitLayerModel(); });
        load.baselineMs = medianMs(runs, nullptr, [&]() { plain.fill(); });
        out << load;

        if (!searchSizes.contains(size))
            continue;
        // The first letter hides most rows; the second touches few of ours.
        BenchResult search{QStringLiteral("palette.search"), size};
        search.oursMs = medianMs(runs, [&]() { table->slotSearchLayer(QString()); },
                                 [&]() { table->slotSearchLayer(QStringLiteral("w")); });
        search.baselineMs = medianMs(runs, [&]() { plain.search(QString()); },
                                     [&]() { plain.search(QStringLiteral("w")); });
        out << search;
        BenchResult next{QStringLiteral("palette.search.next"), size};
        next.oursMs = medianMs(runs, [&]() { table->slotSearchLayer(QStringLiteral("w")); },
                               [&]() { table->slotSearchLayer(QStringLiteral("wa")); });
        next.baselineMs = medianMs(runs, [&]() { plain.search(QStringLiteral("w")); },
                                   [&]() { plain.search(QStringLiteral("wa")); });
        out << next;
        table->slotSearchLayer(QString());
    }

    {
        // One full screen of cells, 1920 x 1080, painted ten times.
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
        paint.oursMs = medianMs(7, nullptr, [&]() { paintScreen(ours); });
        paint.baselineMs = medianMs(7, nullptr, [&]() { paintScreen(&base); });
        out << paint;
    }

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
        BenchResult toggle{QStringLiteral("palette.toggle"), size};
        toggle.oursMs = medianMs(21, nullptr, [&]() {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        });
        bool locked = false;
        toggle.baselineMs = medianMs(21, nullptr, [&]() {
            locked = !locked;
            KvLayerUtility().setLayerLock(name, locked);
        });
        out << toggle;
    }
}
