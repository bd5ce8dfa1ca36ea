#include "layerstatemapping.h"

#include "acipalette.h"
#include "drawingdocument.h"

namespace Demo {
namespace {

using Entry = DrawingLayerStateEntry;
constexpr int kSwitches = Entry::Off | Entry::Frozen | Entry::Locked | Entry::Plot | Entry::NewViewportFrozen;

// What finds an entry: its layer's handle, or for a layer the file does not
// hold yet its name.
QString entryKey(const QByteArray& handle, const QString& name)
{
    return handle.isEmpty() ? QLatin1Char('n') + layerKey(name) : QLatin1Char('h') + QString::fromLatin1(handle);
}

} // namespace

QString LayerStateMapping::layerName(const DrawingLayerStateEntry& entry) const
{
    if (entry.layer.isEmpty())
        return m_document.layerExists(entry.layerName) ? entry.layerName : QString();
    const int slot = m_document.slotOfHandle(entry.layer);
    return slot >= 0 && m_document.slotAlive(slot) ? m_document.slotLayer(slot).name : QString();
}

KvCc::LayerState LayerStateMapping::toLibrary(const DrawingLayerState& stored) const
{
    KvCc::LayerState out;
    out.name = stored.name;
    out.description = stored.description;
    out.currentLayer = stored.currentLayer;
    // Every record holds every property; a mask that names none (as some
    // programs write) restores them all.
    const int held = stored.mask & DrawingLayerState::propertyMask;
    out.properties = KvCc::LayerState::Properties(held ? held : DrawingLayerState::propertyMask);
    if (!stored.currentLayer.isEmpty())
        out.properties |= KvCc::LayerState::CurrentLayer;
    for (const Entry& e : stored.layers) {
        KvCc::LayerState::Layer layer;
        layer.name = layerName(e);
        if (layer.name.isEmpty())
            continue;
        layer.on = !(e.flags & Entry::Off);
        layer.frozen = e.flags & Entry::Frozen;
        layer.locked = e.flags & Entry::Locked;
        layer.plot = e.flags & Entry::Plot;
        layer.newViewportFrozen = e.flags & Entry::NewViewportFrozen;
        layer.colorIndex = e.trueColor.isValid() ? 0 : e.colorIndex >= 1 && e.colorIndex <= 255 ? e.colorIndex : 7;
        layer.color = e.trueColor.isValid() ? e.trueColor : aciColor(layer.colorIndex);
        layer.linetype = e.linetype.isEmpty() ? QStringLiteral("Continuous") : e.linetype;
        layer.lineweight = e.lineWeight;
        out.layers.append(layer);
    }
    return out;
}

DrawingLayerStateEntry LayerStateMapping::entryFor(const KvCc::LayerState::Layer& layer,
                                                   const QHash<QString, const Entry*>& previous) const
{
    Entry e;
    const DkDbObjectId id = m_document.table().findLayer(layer.name);
    e.layer = id.isNull() ? QByteArray() : m_document.layerHandle(m_document.table().slotOf(id));
    if (const Entry* was = previous.value(entryKey(e.layer, layer.name)))
        e = *was;
    e.layerName = layer.name;
    e.flags = (e.flags & ~kSwitches) | (layer.on ? 0 : Entry::Off) | (layer.frozen ? Entry::Frozen : 0)
              | (layer.locked ? Entry::Locked : 0) | (layer.plot ? Entry::Plot : 0)
              | (layer.newViewportFrozen ? Entry::NewViewportFrozen : 0);
    const QColor trueColor = layer.colorIndex > 0 ? QColor() : QColor(layer.color.rgb());
    // The color book names the stored true color; a new color has none.
    if (trueColor != e.trueColor)
        e.colorBook.clear();
    e.trueColor = trueColor;
    e.colorIndex = layer.colorIndex > 0 ? layer.colorIndex : nearestAciIndex(layer.color);
    if (e.linetype != layer.linetype)
        e.linetypeHandle.clear();
    e.linetype = layer.linetype;
    e.lineWeight = layer.lineweight;
    return e;
}

DrawingLayerState LayerStateMapping::fromLibrary(const KvCc::LayerState& state, const DrawingLayerState& previous) const
{
    DrawingLayerState out = previous;
    out.name = state.name;
    out.description = state.description;
    out.mask = (previous.mask & ~DrawingLayerState::propertyMask)
               | (int(state.properties) & DrawingLayerState::propertyMask);
    out.currentLayer = state.properties.testFlag(KvCc::LayerState::CurrentLayer) ? state.currentLayer : QString();
    QHash<QString, const Entry*> entries;
    for (const Entry& e : previous.layers)
        entries.insert(entryKey(e.layer, e.layerName), &e);
    out.layers.clear();
    for (const KvCc::LayerState::Layer& layer : state.layers)
        out.layers.append(entryFor(layer, entries));
    return out;
}

} // namespace Demo
