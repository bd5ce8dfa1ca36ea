#include "drawingdocument.h"

#include "layernamerules.h"
#include "layersnapshots.h"

namespace Demo {

void DrawingDocument::close()
{
    m_table.close();
    m_stateReadAt = noRead;
    m_saveState.clear();
    m_isolation.clear();
    m_stepText.clear();
    m_states = DrawingLayerStates();
    m_savedStates.clear();
    setSlotHandles({});
}

void DrawingDocument::load(const Drawing& drawing)
{
    close();
    m_table.load(drawing);
    markSaved();
    m_states = drawing.layerStates;
    m_savedStates = m_states.states;
    QVector<QByteArray> handles;
    for (const DrawingLayer& layer : drawing.layers)
        handles.append(m_states.layerHandles.value(layerKey(layer.name)));
    setSlotHandles(handles);
}

void DrawingDocument::setSlotHandles(const QVector<QByteArray>& handles)
{
    m_slotHandles = handles;
    m_slotByHandle.clear();
    for (int slot = 0; slot < handles.size(); ++slot) {
        if (!handles.at(slot).isEmpty())
            m_slotByHandle.insert(handles.at(slot), slot);
    }
}

namespace {

// Starts the key of a slot whose layer the file does not hold; no handle starts so.
const char kSlotKey = '~';

} // namespace

QByteArray DrawingDocument::layerHandle(int slot) const
{
    const QByteArray handle = m_slotHandles.value(slot);
    return handle.isEmpty() && slot >= 0 ? kSlotKey + QByteArray::number(slot) : handle;
}

int DrawingDocument::slotOfHandle(const QByteArray& handle) const
{
    if (!handle.startsWith(kSlotKey))
        return m_slotByHandle.value(handle, -1);
    bool ok = false;
    const int slot = handle.mid(1).toInt(&ok);
    return ok && m_slotHandles.value(slot).isEmpty() ? slot : -1;
}

QVector<DrawingLayerState> DrawingDocument::statesToSave() const
{
    QVector<DrawingLayerState> states = m_states.states;
    for (DrawingLayerState& state : states) {
        QVector<DrawingLayerStateEntry> kept;
        for (DrawingLayerStateEntry e : state.layers) {
            const int slot = slotOfHandle(e.layer);
            const bool unsaved = e.layer.startsWith(kSlotKey);
            if ((slot >= 0 || unsaved) && !slotAlive(slot))
                continue;
            if (unsaved) {
                e.layer.clear();
                e.layerName = slotLayer(slot).name;
            }
            kept.append(e);
        }
        state.layers = kept;
    }
    return states;
}

void DrawingDocument::reloadLayerStates(const DrawingLayerStates& states)
{
    m_states = states;
    m_savedStates = states.states;
    const LayerTableState table = layerState();
    QVector<QByteArray> handles(table.layers.size());
    for (int slot = 0; slot < table.layers.size(); ++slot) {
        if (table.isAlive(slot))
            handles[slot] = states.layerHandles.value(layerKey(table.layers.at(slot).name));
    }
    setSlotHandles(handles);
}

QString DrawingDocument::onLayer(const QString& name, const std::function<QString(const DkDbObjectId&)>& command)
{
    if (!database())
        return QStringLiteral("No drawing is open.");
    const DkDbObjectId id = m_table.findLayer(name);
    if (id.isNull())
        return QStringLiteral("There is no layer \"%1\".").arg(name);
    return command(id);
}

QString DrawingDocument::setCurrentLayer(const QString& name)
{
    return onLayer(name, [&](const DkDbObjectId& id) {
        const DkDbLayerTableRecord* record = database()->peekLayer(id);
        if (record && record->isFrozen())
            return QStringLiteral("Layer \"%1\" is frozen; thaw it before making it current.")
                .arg(HostLayerTable::layerName(record));
        if (m_table.setCurrent(id) != Dk::eOk)
            return QStringLiteral("Layer \"%1\" cannot be made current.").arg(name);
        return QString();
    });
}

QString DrawingDocument::addLayer(const QString& name)
{
    if (!database())
        return QStringLiteral("No drawing is open.");
    const QString problem = LayerNameRules::check(m_table, name);
    if (!problem.isEmpty())
        return problem;
    DrawingLayer layer;
    layer.name = name;
    if (m_table.addLayer(layer).isNull())
        return QStringLiteral("Layer \"%1\" could not be created.").arg(name);
    m_saveState.addUnsaved(layer);
    return QString();
}

QString DrawingDocument::renameLayer(const QString& oldName, const QString& newName)
{
    return onLayer(oldName, [&](const DkDbObjectId& id) {
        const QString actual = HostLayerTable::layerName(database()->peekLayer(id));
        if (actual == newName)
            return QString();
        if (actual == QLatin1String("0"))
            return QStringLiteral("Layer \"0\" cannot be renamed.");
        const QString problem = LayerNameRules::check(m_table, newName, actual);
        if (!problem.isEmpty())
            return problem;
        if (m_table.renameLayer(id, newName) != Dk::eOk)
            return QStringLiteral("Layer \"%1\" could not be renamed.").arg(actual);
        return QString();
    });
}

QString DrawingDocument::deleteLayer(const QString& name)
{
    return onLayer(name, [&](const DkDbObjectId& id) {
        const QString actual = HostLayerTable::layerName(database()->peekLayer(id));
        if (actual == QLatin1String("0"))
            return QStringLiteral("Layer \"0\" cannot be deleted.");
        if (id == database()->clayer())
            return QStringLiteral("Layer \"%1\" is the current layer and cannot be deleted.").arg(actual);
        if (entityCount(id) > 0)
            return QStringLiteral("Layer \"%1\" holds %2; it cannot be deleted.")
                .arg(actual, drawing().objectSummary(m_table.slotOf(id)));
        if (m_table.eraseLayer(id) != Dk::eOk)
            return QStringLiteral("Layer \"%1\" could not be deleted.").arg(actual);
        return QString();
    });
}

QString DrawingDocument::setLayerProperties(const QString& name, const DrawingLayer& properties)
{
    return onLayer(name, [&](const DkDbObjectId& id) { return setRecordProperties(id, properties); });
}

QString DrawingDocument::setSlotProperties(int slot, const DrawingLayer& properties)
{
    const DkDbObjectId id = m_table.idOfSlot(slot);
    if (id.isNull())
        return QStringLiteral("Layer \"%1\" was deleted.").arg(properties.name);
    return setRecordProperties(id, properties);
}

QString DrawingDocument::setRecordProperties(const DkDbObjectId& id, const DrawingLayer& properties)
{
    const QString actual = HostLayerTable::layerName(database()->peekLayer(id));
    if (properties.frozen && id == database()->clayer())
        return QStringLiteral("Layer \"%1\" is the current layer and cannot be frozen.").arg(actual);
    if (properties.description != m_table.readLayer(id).description) {
        const QString problem = LayerNameRules::checkDescription(m_table, properties.description);
        if (!problem.isEmpty())
            return problem;
    }
    DrawingLayer layer = properties;
    layer.name = actual;
    m_table.applyLayer(id, layer);
    return QString();
}

QString DrawingDocument::isolateLayers(const QStringList& names, bool byFreezing)
{
    DrawingLayer only;
    m_stepText = names.size() == 1 && findLayerProperties(names.first(), only)
                     ? QStringLiteral("Isolate %1").arg(only.name)
                     : QStringLiteral("Isolate %1 Layers").arg(names.size());
    return m_isolation.isolate(*this, names, byFreezing);
}

QString DrawingDocument::turnAllLayersOn()
{
    m_stepText = QStringLiteral("Turn On All Layers");
    return editEveryLayer([](DrawingLayer& layer) { return !std::exchange(layer.on, true); });
}

QString DrawingDocument::thawAllLayers()
{
    m_stepText = QStringLiteral("Thaw All Layers");
    return editEveryLayer([](DrawingLayer& layer) { return std::exchange(layer.frozen, false); });
}

QString DrawingDocument::editEveryLayer(const std::function<bool(DrawingLayer&)>& edit)
{
    if (!database())
        return QStringLiteral("No drawing is open.");
    for (int slot = 0; slot < layerIds().size(); ++slot) {
        if (!slotAlive(slot))
            continue;
        DrawingLayer layer = slotLayer(slot);
        if (!edit(layer))
            continue;
        const QString error = setSlotProperties(slot, layer);
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QString DrawingDocument::editLayer(const QString& name, const std::function<QString(DrawingLayer&)>& edit)
{
    DrawingLayer layer;
    if (!findLayerProperties(name, layer))
        return QStringLiteral("There is no layer \"%1\".").arg(name);
    const QString refused = edit(layer);
    return refused.isEmpty() ? setLayerProperties(name, layer) : refused;
}

bool DrawingDocument::findLayerProperties(const QString& name, DrawingLayer& out) const
{
    const DkDbObjectId id = m_table.findLayer(name);
    if (id.isNull())
        return false;
    out = m_table.readLayer(id);
    return true;
}

LayerTableState DrawingDocument::layerState() const
{
    // A full read costs the whole table; the host database tells whether
    // anything was stored since the last one.
    const DkDbDatabase* db = m_table.database();
    if (!db || db->changeCount() != m_stateReadAt) {
        m_state = m_stateReadAt == noRead ? LayerSnapshots::take(m_table)
                                          : LayerSnapshots::take(m_table, m_state, m_stateReadAt);
        m_stateReadAt = db ? db->changeCount() : noRead;
    }
    return m_state;
}

bool DrawingDocument::readSlot(int slot, DrawingLayer& layer) const
{
    layer = slotLayer(slot);
    return slotAlive(slot);
}

QVector<SavedLayer> DrawingDocument::savedLayers() const
{
    return m_saveState.changedLayers(layerIds().size(),
                                     [this](int slot, DrawingLayer& layer) { return readSlot(slot, layer); });
}

void DrawingDocument::markSaved()
{
    // Like a full read of the table, this follows changes made past it.
    m_table.renewIndex();
    m_saveState.markSaved(layerIds().size(), [this](int slot, DrawingLayer& layer) { return readSlot(slot, layer); },
                          currentLayerName(), drawing().layers);
}

DrawingLayer DrawingDocument::slotLayer(int slot) const
{
    const DkDbObjectId id = m_table.idOfSlot(slot);
    return id.isNull() ? drawing().layers.value(slot) : m_table.readLayer(id);
}

void DrawingDocument::restoreLayers(const LayerTableDelta& delta, bool after)
{
    LayerSnapshots::restore(m_table, delta, after);
}

} // namespace Demo
