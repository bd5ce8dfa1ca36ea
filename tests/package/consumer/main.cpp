// Builds a small drawing in the host stand-in and lists its layers through
// the installed library, and builds a form of every widget of the Designer
// plugin from the code uic made of it.
#include <KvCustomControl/KvCustomControl.h>

#include "ui_everywidget.h"

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    auto db = std::make_unique<DkDbDatabase>();
    DkDbLayerProperties walls;
    walls.name = L"Walls";
    walls.color = DkCmColor(255, 0, 0);
    db->addLayer(walls);
    DkDbLayerProperties doors;
    doors.name = L"Doors";
    doors.locked = true;
    db->addLayer(doors);
    s_pServices = dkdbDefaultServices();
    s_pServices->setWorkingDatabase(db.get());

    std::unique_ptr<QList<KvCc::LayerItemData>> layers(KvLayerUtility().getAllLayer());
    QStringList names;
    for (const KvCc::LayerItemData& layer : *layers)
        names << layer.name;
    std::printf("layers: %s\n", qPrintable(names.join(QStringLiteral(" | "))));

    QList<QStringList> rows;
    const int count = KvLayerUtility().getAllLayerDate(rows);
    const bool snapshotOk = count == 3 && rows.at(1).size() == 13
        && rows.at(1).at(5).endsWith(QLatin1String(";255,0,0"));
    const bool iconsOk = QFile::exists(QStringLiteral(":/core_ccvon.bmp"))
        && creatColorPix(Qt::red).size() == QSize(14, 14);
    QWidget form; // saved by Designer with every widget of the plugin, made by uic
    Ui::EveryWidget().setupUi(&form);
    const bool formOk = form.findChild<KvCc::LayerManager*>()->layerTableWidget()->model()->rowCount() == 3;
    const bool closed = db->openObjectCount() == 0 && dkutOutstandingBuffers() == 0;

    s_pServices->setWorkingDatabase(nullptr);
    if (!snapshotOk || !iconsOk || !formOk || !closed) {
        std::fprintf(stderr, "snapshot %d, icons %d, form %d, all closed %d\n", snapshotOk, iconsOk, formOk, closed);
        return 1;
    }
    return 0;
}
