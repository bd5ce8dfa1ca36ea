#include "benchcase.h"

#include <kvlayerutility.h>
#include <layercombobox.h>
#include <swatchpainters.h>
#include <keyedpixmap.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

// The layer drop-down against the rows a host would build by hand: four
// 14 x 14 buttons and a label in a QHBoxLayout per row, each row set on an
// item of a QListWidget that serves as the view of a QComboBox.
namespace {

std::unique_ptr<DkDbDatabase> makeDrawing(int layers)
{
    auto db = std::make_unique<DkDbDatabase>();
    const QStringList words = {QStringLiteral("Walls"), QStringLiteral("Стены"), QStringLiteral("墙体"),
                               QStringLiteral("Doors and windows of the ground floor"),
                               QStringLiteral("Hidden")};
    for (int i = 1; i < layers; ++i) {
        DkDbLayerSpec layerSpec;
        layerSpec.name = QStringLiteral("%1 %2").arg(words[i % words.size()]).arg(i).toStdWString();
        layerSpec.on = i % 7 != 0;
        layerSpec.frozen = i % 11 == 0;
        layerSpec.locked = i % 5 == 0;
        layerSpec.color = DkCmColor(i % 256, (i * 7) % 256, (i * 13) % 256);
        const DkDbObjectId id = db->addLayer(layerSpec);
        if (i == layers / 2)
            db->setClayer(id);
    }
    return db;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The hand-made drop-down.
class NaiveCombo
{
public:
    NaiveCombo()
    {
        combo.setFixedSize(150, 20);
        combo.setModel(list->model());
        combo.setView(list);
        on = KvCc::loadKeyedPixmap(QStringLiteral(":/core_ccvon.bmp"));
        off = KvCc::loadKeyedPixmap(QStringLiteral(":/core_ccvoff.bmp"));
        thawed = KvCc::loadKeyedPixmap(QStringLiteral(":/core_ccthw.bmp"));
        frozen = KvCc::loadKeyedPixmap(QStringLiteral(":/core_ccfrz.bmp"));
        unlocked = KvCc::loadKeyedPixmap(QStringLiteral(":/core_cculk.bmp"));
        locked = KvCc::loadKeyedPixmap(QStringLiteral(":/core_cclk.bmp"));
    }

    void fill(const QList<KvCc::LayerItemData>& layers, int current)
    {
        list->clear();
        for (const KvCc::LayerItemData& data : layers) {
            auto* row = new QWidget;
            auto* layout = new QHBoxLayout(row);
            layout->setContentsMargins(3, 0, 0, 0);
            layout->setSpacing(3);
            const QPixmap pictures[] = {data.on ? on : off, data.frozen ? frozen : thawed,
                                        data.locked ? locked : unlocked, creatColorPix(data.color)};
            for (const QPixmap& picture : pictures) {
                auto* button = new QPushButton(row);
                button->setFixedSize(14, 14);
                button->setIconSize(QSize(14, 14));
                button->setIcon(QIcon(picture));
                QObject::connect(button, &QPushButton::clicked, row, [] {});
                layout->addWidget(button);
            }
            layout->addWidget(new QLabel(data.name, row));
            auto* item = new QListWidgetItem(list);
            item->setSizeHint(QSize(0, 25));
            list->setItemWidget(item, row);
        }
        combo.setCurrentIndex(current);
    }

    QComboBox combo;
    QListWidget* list = new QListWidget;
    QPixmap on, off, thawed, frozen, unlocked, locked;
};

int runsFor(int size)
{
    return size >= 5000 ? 5 : size >= 1000 ? 7 : 15;
}

// One drawing of a given size made current, its layers, and a drop-down of
// each kind made afresh on demand.
struct ComboCase
{
    explicit ComboCase(int size)
        : size(size)
        , runs(runsFor(size))
        , db(makeDrawing(size))
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        layers.reset(KvLayerUtility().getAllLayer());
        KvCc::LayerItemData currentLayer;
        KvLayerUtility().getCurrentLayer(currentLayer);
        for (int i = 0; i < layers->size(); ++i) {
            if (layers->at(i).name == currentLayer.name)
                current = i;
        }
    }

    ~ComboCase()
    {
        ours.reset();
        naive.reset();
        flushDeletes();
        s_pServices->setWorkingDatabase(nullptr);
    }

    void freshOurs()
    {
        ours.reset();
        flushDeletes();
        ours = std::make_unique<KvCc::LayerComboBox>();
        ours->show();
        settle();
    }

    void freshNaive()
    {
        naive.reset();
        flushDeletes();
        naive = std::make_unique<NaiveCombo>();
        naive->combo.show();
        settle();
    }

    const int size;
    const int runs;
    std::unique_ptr<DkDbDatabase> db;
    std::unique_ptr<QList<KvCc::LayerItemData>> layers;
    int current = 0;
    std::unique_ptr<KvCc::LayerComboBox> ours;
    std::unique_ptr<NaiveCombo> naive;
};

// Filling an empty drop-down, then refilling a filled one.
void benchRefresh(ComboCase& c, QVector<BenchResult>& out)
{
    BenchResult empty{QStringLiteral("combo.refresh.empty"), c.size};
    empty.oursMs = medianMs(c.runs, [&] { c.freshOurs(); }, [&] { c.ours->slotUpdate(); });
    empty.baselineMs = medianMs(c.runs, [&] { c.freshNaive(); }, [&] { c.naive->fill(*c.layers, c.current); });
    out << empty;

    BenchResult filled{QStringLiteral("combo.refresh.filled"), c.size};
    filled.oursMs = medianMs(c.runs, [&] { settle(); }, [&] {
        c.ours->slotUpdate();
        flushDeletes();
    });
    filled.baselineMs = medianMs(c.runs, [&] { settle(); }, [&] {
        c.naive->fill(*c.layers, c.current);
        flushDeletes();
    });
    out << filled;
}

// Times of the first and the second opening of a combo box's popup.
void openTwice(QComboBox& combo, double& firstMs, double& secondMs)
{
    firstMs = medianMs(1, {}, [&] {
        combo.showPopup();
        settle();
    });
    combo.hidePopup();
    settle();
    secondMs = medianMs(1, {}, [&] {
        combo.showPopup();
        settle();
    });
    combo.hidePopup();
    settle();
}

// Opening the popup of a freshly filled drop-down, and opening it again.
void benchPopup(ComboCase& c, QVector<BenchResult>& out)
{
    QVector<double> oursFirst, oursSecond, naiveFirst, naiveSecond;
    for (int run = 0; run < c.runs; ++run) {
        double first = 0, second = 0;
        c.freshOurs();
        c.ours->slotUpdate();
        settle();
        openTwice(*c.ours, first, second);
        oursFirst << first;
        oursSecond << second;
        c.freshNaive();
        c.naive->fill(*c.layers, c.current);
        settle();
        openTwice(c.naive->combo, first, second);
        naiveFirst << first;
        naiveSecond << second;
    }
    BenchResult popup{QStringLiteral("combo.popup"), c.size};
    popup.oursMs = median(oursFirst);
    popup.baselineMs = median(naiveFirst);
    BenchResult popup2{QStringLiteral("combo.popup2"), c.size};
    popup2.oursMs = median(oursSecond);
    popup2.baselineMs = median(naiveSecond);
    out << popup << popup2;
}

} // namespace

KVCC_BENCH_GROUP(combo)
{
    const QVector<int> sizes = quick ? QVector<int>{100} : QVector<int>{100, 1000, 5000};
    for (int size : sizes) {
        ComboCase c(size);
        benchRefresh(c, out);
        benchPopup(c, out);
    }
}
