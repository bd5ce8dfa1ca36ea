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

// The change of the delta's entry i.
QString slotChange(const LayerTableDelta& delta, int i)
{
    const bool was = delta.aliveBefore.at(i);
    const bool now = delta.aliveAfter.at(i);
    if (was && !now)
        return QStringLiteral("Delete %1").arg(delta.before.at(i).name);
    if (!was && now)
        return QStringLiteral("New Layer %1").arg(delta.after.at(i).name);
    const DrawingLayer& old = delta.before.at(i);
    DrawingLayer renamed = delta.after.at(i);
    if (old.name != renamed.name) {
        renamed.name = old.name;
        if (sameLayer(old, renamed))
            return QStringLiteral("Rename %1 to %2").arg(old.name, delta.after.at(i).name);
        return QStringLiteral("Change %1").arg(delta.after.at(i).name);
    }
    return QStringLiteral("%1 %2").arg(propertyChange(old, renamed), old.name);
}

} // namespace

LayerCommand::LayerCommand(DrawingDocument* document, const LayerTableDelta& delta, const QString& text)
    : m_document(document), m_delta(delta), m_text(text.isEmpty() ? describe(delta) : text), m_named(!text.isEmpty())
{
}

void LayerCommand::undo()
{
    m_document->restoreLayers(m_delta, false);
}

void LayerCommand::redo()
{
    m_document->restoreLayers(m_delta, true);
}

// A rename of the layer this step created joins the step.
bool LayerCommand::mergeWith(const LayerCommand& other)
{
    const LayerTableDelta& next = other.m_delta;
    if (m_named || other.m_named || m_delta.changed.size() != 1 || m_delta.aliveBefore.first() || next.changed != m_delta.changed
        || next.currentBefore != next.currentAfter || !next.aliveBefore.first() || !next.aliveAfter.first())
        return false;
    DrawingLayer layer = next.after.first();
    layer.name = next.before.first().name;
    if (!sameLayer(layer, next.before.first()))
        return false;
    m_delta.after = next.after;
    m_delta.currentAfter = next.currentAfter;
    m_delta.currentName = next.currentName;
    m_text = describe(m_delta);
    return true;
}

QString LayerCommand::describe(const LayerTableDelta& delta)
{
    if (delta.changed.isEmpty() && delta.currentBefore != delta.currentAfter && !delta.currentName.isEmpty())
        return QStringLiteral("Set Current %1").arg(delta.currentName);
    if (delta.changed.size() == 1)
        return slotChange(delta, 0);
    bool allDeleted = !delta.changed.isEmpty();
    for (int i = 0; i < delta.changed.size(); ++i)
        allDeleted = allDeleted && delta.aliveBefore.at(i) && !delta.aliveAfter.at(i);
    if (allDeleted)
        return QStringLiteral("Delete %1 Layers").arg(delta.changed.size());
    return QStringLiteral("Change Layers");
}

} // namespace Demo
