#include "layercommand.h"

#include "drawingdocument.h"

namespace Demo {
namespace {

// The one property that differs between two states of a layer, as a verb
// phrase for the layer's name; empty when none or several differ.
QString propertyChange(const DrawingLayer& was, const DrawingLayer& now)
{
    QStringList changes;
    if (was.on != now.on)
        changes << (now.on ? QStringLiteral("Turn On") : QStringLiteral("Turn Off"));
    if (was.frozen != now.frozen)
        changes << (now.frozen ? QStringLiteral("Freeze") : QStringLiteral("Thaw"));
    if (was.locked != now.locked)
        changes << (now.locked ? QStringLiteral("Lock") : QStringLiteral("Unlock"));
    if (was.plottable != now.plottable)
        changes << (now.plottable ? QStringLiteral("Plot") : QStringLiteral("No Plot"));
    if (was.color.rgb() != now.color.rgb() || was.colorIndex != now.colorIndex)
        changes << QStringLiteral("Color of");
    if (was.linetype != now.linetype)
        changes << QStringLiteral("Linetype of");
    if (was.lineWeight != now.lineWeight)
        changes << QStringLiteral("Lineweight of");
    if (was.description != now.description)
        changes << QStringLiteral("Description of");
    if (was.frozenInNewViewports != now.frozenInNewViewports)
        changes << QStringLiteral("New Viewport Freeze of");
    return changes.size() == 1 ? changes.first() : QStringLiteral("Change");
}

QString slotChange(const LayerTableState& before, const LayerTableState& after, int slot)
{
    const bool was = before.isAlive(slot);
    const bool now = after.isAlive(slot);
    if (was && !now)
        return QStringLiteral("Delete %1").arg(before.layers.at(slot).name);
    if (!was && now)
        return QStringLiteral("New Layer %1").arg(after.layers.at(slot).name);
    const DrawingLayer& old = before.layers.at(slot);
    DrawingLayer renamed = after.layers.at(slot);
    if (old.name != renamed.name) {
        renamed.name = old.name;
        if (sameLayer(old, renamed))
            return QStringLiteral("Rename %1 to %2").arg(old.name, after.layers.at(slot).name);
        return QStringLiteral("Change %1").arg(after.layers.at(slot).name);
    }
    return QStringLiteral("%1 %2").arg(propertyChange(old, renamed), old.name);
}

} // namespace

LayerCommand::LayerCommand(DrawingDocument* document, const LayerTableState& before, const LayerTableState& after)
    : m_document(document), m_before(before), m_after(after), m_text(describe(before, after))
{
}

void LayerCommand::undo()
{
    m_document->restoreLayers(m_before);
}

void LayerCommand::redo()
{
    m_document->restoreLayers(m_after);
}

// A rename of the layer this step created joins the step.
bool LayerCommand::mergeWith(const LayerCommand& next)
{
    const QVector<int> created = m_before.changedSlots(m_after);
    const QVector<int> renamed = next.m_before.changedSlots(next.m_after);
    if (created.size() != 1 || m_before.isAlive(created.first()) || renamed != created
        || next.m_before.current != next.m_after.current || !next.m_after.isAlive(created.first()))
        return false;
    DrawingLayer layer = next.m_after.layers.at(created.first());
    layer.name = next.m_before.layers.at(created.first()).name;
    if (!sameLayer(layer, next.m_before.layers.at(created.first())))
        return false;
    m_after = next.m_after;
    m_text = describe(m_before, m_after);
    return true;
}

QString LayerCommand::describe(const LayerTableState& before, const LayerTableState& after)
{
    const QVector<int> changed = before.changedSlots(after);
    if (changed.isEmpty() && before.current != after.current && after.isAlive(after.current))
        return QStringLiteral("Set Current %1").arg(after.layers.at(after.current).name);
    if (changed.size() == 1)
        return slotChange(before, after, changed.first());
    bool allDeleted = !changed.isEmpty();
    for (int slot : changed)
        allDeleted = allDeleted && before.isAlive(slot) && !after.isAlive(slot);
    if (allDeleted)
        return QStringLiteral("Delete %1 Layers").arg(changed.size());
    return QStringLiteral("Change Layers");
}

} // namespace Demo
