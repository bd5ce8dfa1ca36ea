#include "benchcase.h"

#include <kvlayerutility.h>
#include <layercombobox.h>
#include <swatchpainters.h>
#include <keyedpixmap.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

// The layer drop-down against the rows a host would build by hand: four
// 14 x 14 buttons and a label in a QHBoxLayout per row, each row set on an
// item of a QListWidget that serves as the view of a QComboBox.
namespace {

// The layer whose flag the refresh cases toggle.
const wchar_t toggledName[] = L"Walls 5";

std::unique_ptr<DkDbDatabase> makeDrawing(int layers)
{
    auto db = std::make_unique<DkDbDatabase>();
    const QStringList words = {QStringLiteral("Walls"), QStringLiteral("Стены"), QStringLiteral("墙体"),
                               QStringLiteral("Doors and windows of the ground floor"),
                               QStringLiteral("Hidden")};
    for (int i = 1; i < layers; ++i) {
        DkDbLayerProperties layerProps;
        layerProps.name = QStringLiteral("%1 %2").arg(words[i % words.size()]).arg(i).toStdWString();
        layerProps.on = i % 7 != 0;
        layerProps.frozen = i % 11 == 0;
        layerProps.locked = i % 5 == 0;
        layerProps.color = DkCmColor(i % 256, (i * 7) % 256, (i * 13) % 256);
        const DkDbObjectId id = db->addLayer(layerProps);
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

// The drawing's layers as the drop-down lists them, and the row of the
// current one.
QList<KvCc::LayerItemData> readLayers(int* current)
{
    std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
    KvCc::LayerItemData currentLayer;
    KvLayerUtility().getCurrentLayer(currentLayer);
    *current = 0;
    for (int i = 0; i < layers->size(); ++i) {
        if (layers->at(i).name == currentLayer.name)
            *current = i;
    }
    return *layers;
}

// Both drop-downs, shown and filled from the working drawing.
struct ComboPair
{
    ComboPair()
    {
        ours.show();
        naive.combo.show();
        int current = 0;
        const QList<KvCc::LayerItemData> layers = readLayers(&current);
        ours.slotUpdate();
        naive.fill(layers, current);
        settle();
    }
    ~ComboPair() { flushDeletes(); }

    KvCc::LayerComboBox ours;
    NaiveCombo naive;
};

void measureEmptyAndPopup(int size, QVector<BenchResult>& out)
{
    int current = 0;
    const QList<KvCc::LayerItemData> layers = readLayers(&current);
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
    empty.baselineMs = medianMs(runs, freshNaive, [&] { naive->fill(layers, current); });
    out << empty;

    // The first and the second opening of the popup after a refresh.
    auto openTwice = [&](QComboBox& combo, QVector<double>& first, QVector<double>& second) {
        for (QVector<double>* times : {&first, &second}) {
            *times << medianMs(1, {}, [&] {
                combo.showPopup();
                settle();
            });
            combo.hidePopup();
            settle();
        }
    };
    QVector<double> oursFirst, oursSecond, naiveFirst, naiveSecond;
    for (int run = 0; run < runs; ++run) {
        freshOurs();
        ours->slotUpdate();
        settle();
        openTwice(*ours, oursFirst, oursSecond);
        freshNaive();
        naive->fill(layers, current);
        settle();
        openTwice(naive->combo, naiveFirst, naiveSecond);
    }
    out << BenchResult{QStringLiteral("combo.popup"), size, median(oursFirst), median(naiveFirst)}
        << BenchResult{QStringLiteral("combo.popup2"), size, median(oursSecond), median(naiveSecond)};
    ours.reset();
    naive.reset();
    flushDeletes();
}

// A refresh of filled drop-downs after change altered the drawing: ours is
// refreshed, the hand-made one rebuilt from the drawing's new layers.
BenchResult measureRefresh(const QString& name, int size, const std::function<void(int run)>& change)
{
    ComboPair pair;
    const int runs = runsFor(size);
    int run = 0;
    QList<KvCc::LayerItemData> layers;
    int current = 0;
    // Each side gets only its own preparation: the hand-made drop-down's
    // list of the new layers is made for its runs alone.
    auto changeDrawing = [&] {
        change(run++);
        settle();
    };
    auto changeAndList = [&] {
        change(run++);
        layers = readLayers(&current);
        settle();
    };
    BenchResult result{name, size};
    // Ours takes milliseconds: more runs steady its median at no real cost.
    result.oursMs = medianMs(qMax(runs, 31), changeDrawing, [&] {
        pair.ours.slotUpdate();
        flushDeletes();
    });
    result.baselineMs = medianMs(runs, changeAndList, [&] {
        pair.naive.fill(layers, current);
        flushDeletes();
    });
    return result;
}

// One layer's flag, as after a toggle.
void toggleOne(const DkDbObjectId& id)
{
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, id, DkDb::kForWrite) == Dk::eOk) {
        auto* layer = static_cast<DkDbLayerTableRecord*>(object);
        layer->setIsOff(!layer->isOff());
        layer->close();
    }
}

// The least a refresh can do through the host's interface: open every
// layer's record, read its name, flags and color, free the name and close
// the record. Returns a sum of what it read, so that nothing is left out.
int readBare(DkDbDatabase& db)
{
    DkDbLayerTable* table = nullptr;
    if (db.getSymbolTable(table, DkDb::kForRead) != Dk::eOk)
        return 0;
    DkDbLayerTableIterator* it = nullptr;
    table->newIterator(it);
    table->close();
    const std::unique_ptr<DkDbLayerTableIterator> owned(it);
    int sum = 0;
    for (it->start(); !it->done(); it->step()) {
        DkDbLayerTableRecord* record = nullptr;
        if (it->getRecord(record) != Dk::eOk)
            continue;
        wchar_t* name = nullptr;
        record->getName(name);
        sum += int(name[0]) + record->isOff() + record->isLocked() + record->isFrozen() + record->color().red();
        dkutDelBuffer(name);
        record->close();
    }
    return sum;
}

// The refresh after a toggle against the bare read of the same drawing,
// timed in turns: on big tables both wait on memory, and a slow spell of
// the machine's shared cache then hits both alike.
BenchResult measureAgainstBareRead(DkDbDatabase& db, int size, const DkDbObjectId& toggled)
{
    KvCc::LayerComboBox combo;
    combo.show();
    combo.slotUpdate();
    settle();
    QVector<double> ours, bare;
    volatile int sum = 0;
    for (int run = 0; run < 31; ++run) {
        toggleOne(toggled);
        QElapsedTimer clock;
        clock.start();
        combo.slotUpdate();
        ours << clock.nsecsElapsed() / 1e6;
        toggleOne(toggled);
        clock.restart();
        sum = sum + readBare(db);
        bare << clock.nsecsElapsed() / 1e6;
    }
    return BenchResult{QStringLiteral("combo.refresh.bare"), size, median(ours), median(bare)};
}

// The refresh of a filled drop-down at 20,000 layers against the same at
// 5,000, timed in turns in one process. Each size alone runs in its own
// process minutes after the other, when the machine's shared cache may be
// in another spell, and the ratio of the two would measure that as well.
BenchResult measureGrowth()
{
    struct Side
    {
        std::unique_ptr<DkDbDatabase> db;
        std::unique_ptr<KvCc::LayerComboBox> combo;
        QVector<double> times;
    };
    Side small{makeDrawing(5000), nullptr, {}};
    Side big{makeDrawing(20000), nullptr, {}};
    s_pServices = dkdbDefaultServices();
    for (Side* side : {&small, &big}) {
        s_pServices->setWorkingDatabase(side->db.get());
        side->combo = std::make_unique<KvCc::LayerComboBox>();
        side->combo->show();
        side->combo->slotUpdate();
        settle();
    }
    for (int run = 0; run < 31; ++run) {
        for (Side* side : {&small, &big}) {
            s_pServices->setWorkingDatabase(side->db.get());
            toggleOne(side->db->layerId(toggledName));
            settle();
            QElapsedTimer clock;
            clock.start();
            side->combo->slotUpdate();
            flushDeletes();
            side->times << clock.nsecsElapsed() / 1e6;
        }
    }
    s_pServices->setWorkingDatabase(nullptr);
    return BenchResult{QStringLiteral("combo.refresh.growth"), 20000, median(big.times), median(small.times)};
}

void measureRefreshes(DkDbDatabase& db, int size, QVector<BenchResult>& out)
{
    const DkDbObjectId toggled = db.layerId(toggledName);
    out << measureRefresh(QStringLiteral("combo.refresh.filled"), size, [&](int) { toggleOne(toggled); });
    out << measureAgainstBareRead(db, size, toggled);
    // A tenth of the layers, spread over the table, erased in one run and
    // added (at the end of the table) in the next.
    std::vector<std::wstring> tenth;
    for (int i = 10; i < size; i += 10)
        tenth.push_back(QStringLiteral("Extra %1").arg(i).toStdWString());
    std::vector<DkDbObjectId> added;
    out << measureRefresh(QStringLiteral("combo.refresh.changed"), size, [&](int run) {
        if (run % 2 == 0) {
            for (const std::wstring& name : tenth) {
                DkDbLayerProperties layerProps;
                layerProps.name = name;
                added.push_back(db.addLayer(layerProps));
            }
        } else {
            for (const DkDbObjectId& id : added)
                db.eraseLayer(id);
            added.clear();
        }
    });
}

// One size of the group, in a process of its own: in a process that has
// made and freed the drop-downs of the smaller sizes, the bigger drawing
// would lie scattered over their holes, and the refresh, which reads every
// layer's record, would measure that scatter as well. The argument is the
// size, with "quick" after it for the quick run, or "bare" after it for the
// refresh against the bare read alone; "growth" runs the refresh at two sizes.
int comboChild(const QString& arg)
{
    if (arg == QLatin1String("growth")) {
        printBenchResults({measureGrowth()});
        return 0;
    }
    const QStringList words = arg.split(QLatin1Char(' '));
    const int size = words.value(0).toInt();
    const bool quick = words.contains(QStringLiteral("quick"));
    if (size <= 0)
        return 1;
    QVector<BenchResult> out;
    auto db = makeDrawing(size);
    s_pServices = dkdbDefaultServices();
    s_pServices->setWorkingDatabase(db.get());
    if (words.contains(QStringLiteral("bare"))) {
        out << measureAgainstBareRead(*db, size, db->layerId(toggledName));
    } else {
        measureEmptyAndPopup(size, out);
        if (size >= 1000 || quick)
            measureRefreshes(*db, size, out);
    }
    s_pServices->setWorkingDatabase(nullptr);
    printBenchResults(out);
    return 0;
}

const bool comboChildRegistered = registerBenchChild("combo", comboChild);

} // namespace

KVCC_BENCH_GROUP(combo)
{
    const QVector<int> sizes = quick ? QVector<int>{100} : QVector<int>{100, 1000, 5000, 20000};
    for (int size : sizes)
        out << childBenchResults("combo", QString::number(size) + (quick ? QStringLiteral(" quick") : QString()));
    // More sizes of the refresh against the bare read, which show where the
    // read of every record stops fitting the machine's caches.
    if (!quick) {
        for (int size : {10000, 40000})
            out << childBenchResults("combo", QString::number(size) + QStringLiteral(" bare"));
        out << childBenchResults("combo", QStringLiteral("growth"));
    }
}
