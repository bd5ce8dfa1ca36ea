#include "kvlayerutility.h"

#include "hostrecords_p.h"
#include "layersnapshotrow.h"
#include "lineweights.h"

#include <dkdbdatabase.h>
#include <dkdbsymboltable.h>
#include <dkdbviewport.h>
#include <dkedsysvar.h>

#include <QSet>

#include <memory>
#include <string>

DkDbDatabase* pCurDb = nullptr;

using KvCc::fromHostString;
using KvCc::linetypeName;
using KvCc::recordName;
using KvCc::walkLayers;

namespace {

KvCc::LayerItemData readItemData(const DkDbLayerTableRecord* record)
{
    KvCc::LayerItemData data;
    KvCc::readLayerOver(record, data);
    return data;
}

// Switches one flag through a write open, then reads it back from the
// closed record: the host may refuse the change when it is set or stored.
template<class Write, class Holds>
bool writeLayerFlag(const QString& name, Write write, Holds holds)
{
    DkDbLayerTableRecord* record = getLayerByName(name);
    if (!record)
        return false;
    const DkDbObjectId id = record->objectId();
    if (record->upgradeOpen() == Dk::eOk) {
        write(record);
        record->downgradeOpen();
    }
    record->close();

    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, id, DkDb::kForRead, false, DkDbLayerTableRecord::desc()) != Dk::eOk
        || !object)
        return false;
    auto* again = static_cast<DkDbLayerTableRecord*>(object);
    const bool ok = holds(again);
    again->close();
    return ok;
}

const int lineWeightIndexCount = 32;

// The table of lineWeightByIndex: the standard lineweights, then by layer
// (-1) up to index 29, by block (-2) at 30 and default (-3) at 31.
const QVector<int>& lineWeightTable()
{
    static const QVector<int> table = [] {
        QVector<int> entries = KvCc::standardLineWeights();
        while (entries.size() < lineWeightIndexCount - 2)
            entries << -1;
        entries << -2 << -3;
        return entries;
    }();
    return table;
}

// The color field: "ll*", the host's display name, ";", then "r,g,b".
QString colorText(const DkDbLayerTableRecord* record)
{
    const DkCmColor& color = record->color();
    return QStringLiteral("ll*") + fromHostString(color.colorNameForDisplay()) + QLatin1Char(';')
        + QString::asprintf("%d,%d,%d", color.red(), color.green(), color.blue());
}

QString plotStyleName(const DkDbLayerTableRecord* record)
{
    wchar_t* buffer = record->plotStyleName();
    const QString name = fromHostString(buffer);
    dkutDelBuffer(buffer);
    return name;
}

// False too when the current viewport cannot be opened as a viewport.
bool isFrozenInCurrentViewport(const DkDbObjectId& layer)
{
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, dkdbGetCurVportId(pCurDb), DkDb::kForRead, false,
                           DkDbViewport::desc())
            != Dk::eOk
        || !object)
        return false;
    auto* viewport = static_cast<DkDbViewport*>(object);
    const bool frozen = viewport->isLayerFrozenInViewport(layer);
    viewport->close();
    return frozen;
}

QString flagText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// One layer as the 13 texts of a snapshot row, each put in by its field's name.
QStringList snapshotRow(const DkDbLayerTableRecord* record)
{
    using namespace KvCc;
    const DkDbObjectId id = record->objectId();
    QVector<QString> fields(LayerColumnCount);
    fields[CurrentColumn] = flagText(c5ObjIdIsEqualTo(id, pCurDb->clayer()));
    fields[NameColumn] = recordName(record);
    fields[OnColumn] = flagText(!record->isOff());
    fields[FreezeColumn] = flagText(!record->isFrozen());
    fields[LockColumn] = flagText(!record->isLocked());
    fields[ColorColumn] = colorText(record);
    fields[LinetypeColumn] = linetypeName(record);
    fields[LineweightColumn] = StringByLineWeight(record->lineWeight(), false);
    fields[PlotStyleColumn] = plotStyleName(record);
    fields[PlotColumn] = flagText(record->isPlottable());
    fields[NewViewportFreezeColumn] = flagText(record->VPDFLT());
    fields[ViewportFreezeColumn] = flagText(isFrozenInCurrentViewport(id));
    fields[DescriptionColumn] = fromHostString(record->description());
    return fields.toList();
}

} // namespace

DkDbDatabase* getCurrentDb()
{
    pCurDb = nullptr;
    if (!s_pServices)
        return nullptr;
    pCurDb = s_pServices->workingDatabase();
    return pCurDb;
}

DkDbLayerTableRecord* getLayerByName(QString name)
{
    const std::wstring wanted = name.toStdWString();
    return walkLayers([&wanted](DkDbLayerTableRecord* record) {
        wchar_t* buffer = nullptr;
        if (record->getName(buffer) != Dk::eOk)
            return false;
        const bool match = buffer && wanted == buffer;
        dkutDelBuffer(buffer);
        return match;
    });
}

int lineWeightByIndex(char index)
{
    const auto i = static_cast<unsigned char>(index);
    return i >= lineWeightIndexCount ? -1 : lineWeightTable().at(i);
}

QString StringByLineWeight(int value, bool byIndex)
{
    if (byIndex) {
        const auto index = static_cast<unsigned char>(value & 0xff);
        if (index >= lineWeightIndexCount)
            return QStringLiteral("Layer");
        value = lineWeightTable().at(index);
    }
    switch (value) {
    case -3:
        return QStringLiteral("Default");
    case -2:
        return QStringLiteral("Block");
    case -1:
        return QStringLiteral("Layer");
    default:
        break;
    }
    resbuf rb;
    if (dkedGetVar(L"LWUNITS", &rb) == RTNORM && rb.resval.rint != 1) {
        const float inches = static_cast<float>(value) / 2540.0f;
        return QString::asprintf("%1.3f \"", static_cast<double>(inches));
    }
    const float mm = static_cast<float>(value) / 100.0f;
    return QString::asprintf("%1.2f mm", static_cast<double>(mm));
}

KvLayerUtility::~KvLayerUtility() = default;

QList<KvCc::LayerItemData>* KvLayerUtility::getAllLayer()
{
    auto* list = new QList<KvCc::LayerItemData>();
    walkLayers([list](DkDbLayerTableRecord* record) {
        list->append(readItemData(record));
        return false;
    });
    return list;
}

bool KvLayerUtility::getCurrentLayer(KvCc::LayerItemData& out)
{
    DkDbDatabase* db = getCurrentDb();
    if (!db)
        return false;
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, db->clayer(), DkDb::kForRead, false, DkDbLayerTableRecord::desc())
            != Dk::eOk
        || !object)
        return false;
    auto* record = static_cast<DkDbLayerTableRecord*>(object);
    out = readItemData(record);
    record->close();
    return true;
}

bool KvLayerUtility::setLayerOff(QString name, bool on)
{
    return writeLayerFlag(
        name, [on](DkDbLayerTableRecord* r) { r->setIsOff(!on); },
        [on](const DkDbLayerTableRecord* r) { return r->isOff() == !on; });
}

bool KvLayerUtility::setLayerLock(QString name, bool locked)
{
    return writeLayerFlag(
        name, [locked](DkDbLayerTableRecord* r) { r->setIsLocked(locked); },
        [locked](const DkDbLayerTableRecord* r) { return r->isLocked() == locked; });
}

bool KvLayerUtility::setLayerFrozen(QString name, bool frozen)
{
    return writeLayerFlag(
        name, [frozen](DkDbLayerTableRecord* r) { r->setIsFrozen(frozen); },
        [frozen](const DkDbLayerTableRecord* r) { return r->isFrozen() == frozen; });
}

bool KvLayerUtility::setLayerPlot(QString name, bool plottable)
{
    return writeLayerFlag(
        name, [plottable](DkDbLayerTableRecord* r) { r->setIsPlottable(plottable); },
        [plottable](const DkDbLayerTableRecord* r) { return r->isPlottable() == plottable; });
}

void KvLayerUtility::setCurrenLayer(KvCc::LayerItemData)
{
}

void KvLayerUtility::setLayerByData(KvCc::LayerItemData)
{
}

bool KvLayerUtility::isModelSpace()
{
    resbuf rb;
    return dkedGetVar(L"TILEMODE", &rb) == RTNORM && rb.resval.rint == 1;
}

int KvLayerUtility::getAllLayerDate(QList<QStringList>& rows)
{
    int count = 0;
    // Most layers share their color, linetype, lineweight and plot style
    // texts; each distinct text is kept once, which a big table feels.
    QSet<QString> texts;
    walkLayers([&](DkDbLayerTableRecord* record) {
        QStringList row = snapshotRow(record);
        for (int column = 0; column < row.size(); ++column) {
            if (column != KvCc::NameColumn)
                row[column] = *texts.insert(row.at(column));
        }
        rows.append(row);
        ++count;
        return false;
    });
    return count;
}
