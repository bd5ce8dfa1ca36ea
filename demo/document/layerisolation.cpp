#include "layerisolation.h"

#include "drawingdocument.h"

namespace Demo {

void LayerIsolation::clear()
{
    m_changes.clear();
    m_currentBefore = -1;
    m_currentIsolated = -1;
}

QString LayerIsolation::isolate(DrawingDocument& document, const QStringList& names, bool byFreezing)
{
    if (!document.database())
        return QStringLiteral("No drawing is open.");
    if (names.isEmpty())
        return QStringLiteral("Select the layers to isolate first.");
    QVector<bool> kept(document.layerIds().size(), false);
    QVector<int> keptSlots;
    for (const QString& name : names) {
        const int slot = document.table().slotOf(document.table().findLayer(name));
        if (slot < 0)
            return QStringLiteral("There is no layer \"%1\".").arg(name);
        kept[slot] = true;
        keptSlots.append(slot);
    }
    // An isolation undone, put back or changed away by the user starts
    // afresh; one still in force grows, so that unisolating goes back to
    // the layers as they were before the first.
    if (!isActive(document))
        clear();
    QString error;
    bool changed = false;
    for (int slot : keptSlots) {
        changed = change(document, slot, On, true, error) || changed;
        changed = change(document, slot, Frozen, false, error) || changed;
    }
    // New objects must go to a layer that shows, and the current layer
    // cannot be frozen: an isolated layer becomes current.
    const int current = document.currentSlot();
    if (error.isEmpty() && !kept.value(current)) {
        const int before = currentIsIsolated(document) ? m_currentBefore : current;
        error = document.setCurrentLayer(document.slotLayer(keptSlots.first()).name);
        if (error.isEmpty()) {
            m_currentBefore = before;
            m_currentIsolated = keptSlots.first();
            changed = true;
        }
    }
    for (int slot = 0; slot < kept.size(); ++slot) {
        if (kept.at(slot) || !document.slotAlive(slot))
            continue;
        const DrawingLayer layer = document.slotLayer(slot);
        if (layer.on && !layer.frozen)
            changed = change(document, slot, byFreezing ? Frozen : On, byFreezing, error) || changed;
    }
    if (error.isEmpty() && !changed)
        return QStringLiteral("Only these layers show already.");
    return error;
}

QString LayerIsolation::unisolate(DrawingDocument& document)
{
    if (!document.database() || !isActive(document))
        return QStringLiteral("No layers are isolated.");
    QStringList problems;
    const bool currentBack = currentIsIsolated(document);
    // Layers come back into view first, so that the layer current before
    // is thawed when it becomes current again, and the isolated one is no
    // longer current when it is frozen again.
    restore(document, true, problems);
    if (currentBack) {
        const QString error = document.setCurrentLayer(document.slotLayer(m_currentBefore).name);
        if (!error.isEmpty())
            problems << error;
    }
    restore(document, false, problems);
    return problems.join(QLatin1Char('\n'));
}

bool LayerIsolation::isActive(const DrawingDocument& document) const
{
    if (currentIsIsolated(document))
        return true;
    for (const Change& c : m_changes) {
        if (holdsIsolated(document, c))
            return true;
    }
    return false;
}

bool LayerIsolation::change(DrawingDocument& document, int slot, Flag flag, bool value, QString& error)
{
    DrawingLayer layer = document.slotLayer(slot);
    bool& field = flag == On ? layer.on : layer.frozen;
    if (!error.isEmpty() || field == value)
        return false;
    field = value;
    error = document.setSlotProperties(slot, layer);
    if (!error.isEmpty())
        return false;
    const int key = slot * 2 + flag;
    const auto known = m_changes.find(key);
    if (known == m_changes.end())
        m_changes.insert(key, Change{slot, flag, !value, value});
    else if (known->before == value)
        m_changes.erase(known); // a second isolation set the value of before the first
    else
        known->isolated = value;
    return true;
}

// Reads the flag straight from the record: the window asks this after
// every step, and the layers' other properties do not matter here.
bool LayerIsolation::holdsIsolated(const DrawingDocument& document, const Change& change) const
{
    const DkDbObjectId id = document.table().idOfSlot(change.slot);
    const DkDbLayerTableRecord* record = id.isNull() ? nullptr : document.database()->peekLayer(id);
    if (!record)
        return false;
    return (change.flag == On ? !record->isOff() : record->isFrozen()) == change.isolated;
}

bool LayerIsolation::currentIsIsolated(const DrawingDocument& document) const
{
    return m_currentIsolated >= 0 && document.currentSlot() == m_currentIsolated && document.slotAlive(m_currentBefore);
}

void LayerIsolation::restore(DrawingDocument& document, bool showing, QStringList& problems) const
{
    for (const Change& c : m_changes) {
        const bool shows = (c.flag == On) == c.before;
        if (shows != showing || !holdsIsolated(document, c))
            continue;
        DrawingLayer layer = document.slotLayer(c.slot);
        (c.flag == On ? layer.on : layer.frozen) = c.before;
        const QString error = document.setSlotProperties(c.slot, layer);
        if (!error.isEmpty())
            problems << error;
    }
}

} // namespace Demo
