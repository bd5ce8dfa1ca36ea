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

} // namespace

KVCC_BENCH_GROUP(combo)
{
    const QVector<int> sizes = quick ? QVector<int>{100} : QVector<int>{100, 1000, 5000};
    for (int size : sizes) {
        auto db = makeDrawing(size);
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
        int current = 0;
        KvCc::LayerItemData currentLayer;
        KvLayerUtility().getCurrentLayer(currentLayer);
        for (int i = 0; i < layers->size(); ++i) {
            if (layers->at(i).name == currentLayer.name)
                current = i;
        }
        const int runs = runsFor(size);

        std::unique_ptr<KvCc::LayerComboBox> ours;
        std::unique_ptr<NaiveCombo> naive;
        auto freshOurs = [&] {
            ours.reset();
            flushDeletes();
            ours = std::make_unique<KvCc::LayerComboBox>();
            ours->show();
            settle();
        };
        auto freshNaive = [&] {
            naive.reset();
            flushDeletes();
            naive = std::make_unique<NaiveCombo>();
            naive->combo.show();
            settle();
        };

        BenchResult empty{QStringLiteral("combo.refresh.empty"), size};
        empty.oursMs = medianMs(runs, freshOurs, [&] { ours->slotUpdate(); });
        empty.baselineMs = medianMs(runs, freshNaive, [&] { naive->fill(*layers, current); });
        out << empty;

        BenchResult filled{QStringLiteral("combo.refresh.filled"), size};
        filled.oursMs = medianMs(runs, [&] { settle(); }, [&] {
            ours->slotUpdate();
            flushDeletes();
        });
        filled.baselineMs = medianMs(runs, [&] { settle(); }, [&] {
            naive->fill(*layers, current);
            flushDeletes();
        });
        out << filled;

        BenchResult popup{QStringLiteral("combo.popup"), size};
        BenchResult popup2{QStringLiteral("combo.popup2"), size};
        QVector<double> first, second;
        auto openTwice = [&](QComboBox& combo, double& firstMs, double& secondMs) {
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
        };
        QVector<double> oursFirst, oursSecond, naiveFirst, naiveSecond;
        for (int run = 0; run < runs; ++run) {
            double a = 0, b = 0;
            freshOurs();
            ours->slotUpdate();
            settle();
            openTwice(*ours, a, b);
            oursFirst << a;
            oursSecond << b;
            freshNaive();
            naive->fill(*layers, current);
            settle();
            openTwice(naive->combo, a, b);
            naiveFirst << a;
            naiveSecond << b;
        }
        auto median = [](QVector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        popup.oursMs = median(oursFirst);
        popup.baselineMs = median(naiveFirst);
        popup2.oursMs = median(oursSecond);
        popup2.baselineMs = median(naiveSecond);
        out << popup << popup2;

        ours.reset();
        naive.reset();
        flushDeletes();
        s_pServices->setWorkingDatabase(nullptr);
    }
}
