#include "kvlayerstate.h"

#include "hostrecords_p.h"
#include "layerstatejson_p.h"

#include <QCoreApplication>
#include <QHash>

namespace KvCc {

namespace {

using Layer = LayerState::Layer;

// A layer of the drawing as a restore meets it.
struct DrawingLayer {
    DkDbObjectId id;
    Layer before;
};

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

// The index of an index color: the color's own, else the number the host
// shows as its name ("12"); 0 for a true color.
int indexOf(const DkCmColor& color)
{
    bool isNumber = false;
    const int shown = fromHostString(color.colorNameForDisplay()).toInt(&isNumber);
    const int index = color.colorIndex() > 0 ? color.colorIndex() : (isNumber ? shown : 0);
    return index >= 1 && index <= 255 ? index : 0;
}

Layer readLayer(const DkDbLayerTableRecord* record)
{
    Layer layer;
    layer.name = recordName(record);
    layer.on = !record->isOff();
    layer.frozen = record->isFrozen();
    layer.locked = record->isLocked();
    layer.plot = record->isPlottable();
    layer.newViewportFrozen = record->VPDFLT();
    const DkCmColor& color = record->color();
    layer.color = QColor(color.red(), color.green(), color.blue());
    layer.colorIndex = indexOf(color);
    layer.linetype = linetypeName(record);
    layer.lineweight = record->lineWeight();
    return layer;
}

bool readLayer(const DkDbObjectId& id, Layer& out)
{
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, id, DkDb::kForRead, false, DkDbLayerTableRecord::desc()) != Dk::eOk || !object)
        return false;
    auto* record = static_cast<DkDbLayerTableRecord*>(object);
    out = readLayer(record);
    record->close();
    return true;
}

DkCmColor hostColor(const Layer& layer)
{
    DkCmColor color(static_cast<std::uint8_t>(layer.color.red()), static_cast<std::uint8_t>(layer.color.green()),
                    static_cast<std::uint8_t>(layer.color.blue()));
    if (layer.colorIndex >= 1 && layer.colorIndex <= 255)
        color.setColorIndex(layer.colorIndex);
    return color;
}

// Writes want into the layer in one write open; a null linetype leaves the
// linetype as it is. The record stores the changes when it is closed.
bool writeLayer(const DkDbObjectId& id, const Layer& want, const DkDbObjectId& linetype)
{
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, id, DkDb::kForWrite, false, DkDbLayerTableRecord::desc()) != Dk::eOk || !object)
        return false;
    auto* record = static_cast<DkDbLayerTableRecord*>(object);
    record->setIsOff(!want.on);
    record->setIsFrozen(want.frozen);
    record->setIsLocked(want.locked);
    record->setIsPlottable(want.plot);
    record->setVPDFLT(want.newViewportFrozen);
    record->setColor(hostColor(want));
    record->setLineWeight(want.lineweight);
    if (!linetype.isNull())
        record->setLinetypeObjectId(linetype);
    record->close();
    return true;
}

// The linetype of this name, matched case-blind as layer names are; null when the drawing lacks it.
DkDbObjectId findLinetype(DkDbDatabase* db, const QString& name)
{
    DkDbLinetypeTable* table = nullptr;
    if (db->getSymbolTable(table, DkDb::kForRead) != Dk::eOk || !table)
        return {};
    DkDbObjectId found = table->recordId(name.toStdWString().c_str());
    const std::vector<DkDbObjectId> ids = table->recordIds();
    table->close();
    for (auto it = ids.begin(); found.isNull() && it != ids.end(); ++it) {
        DkDbObject* object = nullptr;
        if (dkdbOpenDkDbObject(object, *it, DkDb::kForRead, false, DkDbSymbolTableRecord::desc()) != Dk::eOk || !object)
            continue;
        auto* record = static_cast<DkDbSymbolTableRecord*>(object);
        if (folded(recordName(record)) == folded(name))
            found = *it;
        record->close();
    }
    return found;
}

// The state's values of the chosen properties laid over the layer's own.
void applyProperties(LayerState::Properties which, const Layer& from, Layer& to)
{
    if (which & LayerState::On)
        to.on = from.on;
    if (which & LayerState::Frozen)
        to.frozen = from.frozen;
    if (which & LayerState::Locked)
        to.locked = from.locked;
    if (which & LayerState::Plot)
        to.plot = from.plot;
    if (which & LayerState::NewViewportFrozen)
        to.newViewportFrozen = from.newViewportFrozen;
    if (which & LayerState::Color) {
        to.color = from.color;
        to.colorIndex = from.colorIndex;
    }
    // An empty linetype is one the capture could not read: left as it is.
    if ((which & LayerState::Linetype) && !from.linetype.isEmpty() && folded(from.linetype) != folded(to.linetype))
        to.linetype = from.linetype;
    if (which & LayerState::Lineweight)
        to.lineweight = from.lineweight;
}

QVector<DrawingLayer> drawingLayers()
{
    QVector<DrawingLayer> layers;
    walkLayers([&layers](DkDbLayerTableRecord* record) {
        layers.append({record->objectId(), readLayer(record)});
        return false;
    });
    return layers;
}

// The layer of this name: spelt exactly if the drawing has it so, else in any letter case.
const DrawingLayer* findLayer(const QVector<DrawingLayer>& drawing, const QString& name)
{
    const DrawingLayer* found = nullptr;
    for (const DrawingLayer& layer : drawing) {
        if (layer.before.name == name)
            return &layer;
        if (!found && folded(layer.before.name) == folded(name))
            found = &layer;
    }
    return found;
}

// Makes the layer current, thawing it first: a frozen layer cannot become current.
bool makeCurrent(DkDbDatabase* db, const DrawingLayer& target)
{
    Layer thawed;
    if (!readLayer(target.id, thawed))
        return false;
    if (thawed.frozen) {
        thawed.frozen = false;
        if (!writeLayer(target.id, thawed, {}))
            return false;
    }
    return db->setClayer(target.id) == Dk::eOk;
}

// Restores one layer to want, refusing what the host's rules forbid, and
// tells in result what changed and what the drawing would not take.
void restoreLayer(DkDbDatabase* db, const DrawingLayer& layer, Layer want, LayerState::RestoreResult& result)
{
    Layer have;
    if (!readLayer(layer.id, have))
        return result.refused.append(QCoreApplication::translate("KvCc::LayerState", "Layer %1 could not be read.").arg(layer.before.name));
    if (want.frozen && !have.frozen && db->clayer() == layer.id) {
        result.refused.append(QCoreApplication::translate("KvCc::LayerState", "Layer %1 is current and cannot be frozen.").arg(have.name));
        want.frozen = false;
    }
    DkDbObjectId linetype;
    if (want.linetype != have.linetype) {
        linetype = findLinetype(db, want.linetype);
        if (linetype.isNull()) {
            result.refused.append(QCoreApplication::translate("KvCc::LayerState", "Linetype %1 of layer %2 is not in the drawing.").arg(want.linetype, have.name));
            want.linetype = have.linetype;
        }
    }
    if (want != have) {
        Layer now;
        if (!writeLayer(layer.id, want, linetype) || !readLayer(layer.id, now))
            return result.refused.append(QCoreApplication::translate("KvCc::LayerState", "Layer %1 could not be changed.").arg(have.name));
        // Linetype names are compared case-blind, as the drawing finds them.
        if (folded(now.linetype) == folded(want.linetype))
            now.linetype = want.linetype;
        if (now != want)
            result.refused.append(QCoreApplication::translate("KvCc::LayerState", "The drawing refused a change to layer %1.").arg(have.name));
    }
    Layer after;
    if (readLayer(layer.id, after) && after != layer.before)
        result.changedLayers.append(after.name);
}

} // namespace

bool LayerState::Layer::operator==(const Layer& other) const
{
    return name == other.name && on == other.on && frozen == other.frozen && locked == other.locked
        && plot == other.plot && newViewportFrozen == other.newViewportFrozen && color == other.color
        && colorIndex == other.colorIndex && linetype == other.linetype && lineweight == other.lineweight;
}

bool LayerState::operator==(const LayerState& other) const
{
    return name == other.name && description == other.description && currentLayer == other.currentLayer
        && properties == other.properties && layers == other.layers;
}

LayerState LayerState::capture(const QString& name, const QString& description)
{
    LayerState state;
    state.name = name;
    state.description = description;
    DkDbDatabase* db = getCurrentDb();
    for (const DrawingLayer& layer : drawingLayers()) {
        state.layers.append(layer.before);
        if (db && layer.id == db->clayer())
            state.currentLayer = layer.before.name;
    }
    return state;
}

LayerState::RestoreResult LayerState::restore(Properties which, bool offOthers) const
{
    RestoreResult result;
    which &= properties;
    const QVector<DrawingLayer> drawing = drawingLayers();
    DkDbDatabase* db = getCurrentDb();
    if (!db)
        return result;

    QHash<QString, int> wanted;
    for (int i = 0; i < layers.size(); ++i)
        wanted.insert(folded(layers.at(i).name), i);

    // The current layer changes first, so that the layer current before may
    // be frozen by the state and the new one is never frozen.
    const DrawingLayer* target = (which & CurrentLayer) ? findLayer(drawing, currentLayer) : nullptr;
    if (target && target->id != db->clayer()) {
        result.currentChanged = makeCurrent(db, *target);
        if (!result.currentChanged)
            result.refused.append(QCoreApplication::translate("KvCc::LayerState", "Layer %1 could not be made current.").arg(target->before.name));
    }
    for (const DrawingLayer& layer : drawing) {
        Layer want = layer.before;
        const auto it = wanted.constFind(folded(layer.before.name));
        if (it != wanted.constEnd())
            applyProperties(which, layers.at(it.value()), want);
        else if (offOthers)
            want.on = false;
        restoreLayer(db, layer, want, result);
    }
    return result;
}

QByteArray LayerState::toJson() const
{
    return layerStateToJson(*this);
}

bool LayerState::fromJson(const QByteArray& data, LayerState& out, QString* error)
{
    QString why;
    LayerState read;
    if (!layerStateFromJson(data, read, why)) {
        if (error)
            *error = why;
        return false;
    }
    out = read;
    return true;
}

LayerStateStore::~LayerStateStore() = default;

} // namespace KvCc
