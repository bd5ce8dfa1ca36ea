#include "drawingdocument.h"

#include <QHash>

namespace Demo {
namespace {

DkDbLayerProperties propertiesOf(const DrawingLayer& layer)
{
    DkDbLayerProperties layerProps;
    layerProps.name = layer.name.toStdWString();
    layerProps.on = layer.on;
    layerProps.frozen = layer.frozen;
    layerProps.locked = layer.locked;
    layerProps.plottable = layer.plottable;
    layerProps.frozenInNewViewports = layer.frozenInNewViewports;
    layerProps.color = DkCmColor(static_cast<std::uint8_t>(layer.color.red()), static_cast<std::uint8_t>(layer.color.green()),
                           static_cast<std::uint8_t>(layer.color.blue()));
    if (layer.colorIndex >= 1 && layer.colorIndex <= 7)
        layerProps.color.setColorIndex(layer.colorIndex);
    else if (layer.colorIndex > 7)
        layerProps.color.setDisplayName(std::to_wstring(layer.colorIndex));
    else
        layerProps.color.setDisplayName(QStringLiteral("%1,%2,%3")
                                      .arg(layer.color.red())
                                      .arg(layer.color.green())
                                      .arg(layer.color.blue())
                                      .toStdWString());
    layerProps.linetype = layer.linetype.toStdWString();
    layerProps.lineWeight = layer.lineWeight;
    layerProps.description = layer.description.toStdWString();
    return layerProps;
}

// The index color a record stands for (see propertiesOf); 0 for a true color.
int colorIndexOf(const DkCmColor& color)
{
    if (color.colorIndex() >= 1 && color.colorIndex() <= 7)
        return color.colorIndex();
    bool ok = false;
    const int index = QString::fromWCharArray(color.colorNameForDisplay()).toInt(&ok);
    return ok && index >= 1 && index <= 255 ? index : 0;
}

// Sets every property but the name and the frozen flag.
void applyToRecord(DkDbDatabase* db, const DkDbObjectId& id, const DkDbLayerProperties& layerProps)
{
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, id, DkDb::kForWrite) != Dk::eOk || !object)
        return;
    auto* record = static_cast<DkDbLayerTableRecord*>(object);
    record->setIsOff(!layerProps.on);
    record->setIsLocked(layerProps.locked);
    record->setIsPlottable(layerProps.plottable);
    record->setVPDFLT(layerProps.frozenInNewViewports);
    record->setColor(layerProps.color);
    record->setLineWeight(layerProps.lineWeight);
    DkDbObjectId linetype = db->linetypeId(layerProps.linetype);
    if (linetype.isNull())
        linetype = db->addLinetype(layerProps.linetype);
    record->setLinetypeObjectId(linetype);
    record->setDescription(layerProps.description.c_str());
    record->close();
}

const QString kForbidden = QStringLiteral("<>/\\\":;?*|,=`");

} // namespace

DrawingDocument::DrawingDocument() = default;

DrawingDocument::~DrawingDocument()
{
    close();
}

void DrawingDocument::close()
{
    if (s_pServices && m_db && s_pServices->workingDatabase() == m_db.get())
        s_pServices->setWorkingDatabase(nullptr);
    m_db.reset();
    m_layerIds.clear();
    m_saved.clear();
    m_inFile.clear();
    m_savedCurrent.clear();
    m_drawing = Drawing();
}

void DrawingDocument::load(const Drawing& drawing)
{
    close();
    m_db = std::make_unique<DkDbDatabase>();
    m_drawing = drawing;
    m_layerIds.resize(drawing.layers.size());
    for (int i = 0; i < drawing.layers.size(); ++i) {
        const DkDbLayerProperties layerProps = propertiesOf(drawing.layers.at(i));
        if (drawing.layers.at(i).name == QLatin1String("0")) {
            m_layerIds[i] = m_db->layerId(L"0");
            applyToRecord(m_db.get(), m_layerIds[i], layerProps);
        } else {
            m_layerIds[i] = m_db->addLayer(layerProps);
        }
    }
    const DkDbObjectId current = findLayer(drawing.currentLayer);
    if (!current.isNull())
        m_db->setClayer(current);
    // Frozen is set last: the database refuses to freeze the current layer,
    // and layer "0" was current until now.
    const int zero = drawing.layerIndex(QStringLiteral("0"));
    if (zero >= 0 && drawing.layers.at(zero).frozen && m_db->clayer() != m_layerIds[zero]) {
        DkDbObject* object = nullptr;
        if (dkdbOpenDkDbObject(object, m_layerIds[zero], DkDb::kForWrite) == Dk::eOk && object) {
            static_cast<DkDbLayerTableRecord*>(object)->setIsFrozen(true);
            object->close();
        }
    }
    if (!s_pServices)
        s_pServices = dkdbDefaultServices();
    s_pServices->setWorkingDatabase(m_db.get());
    markSaved();
}

DkDbObjectId DrawingDocument::layerIdOf(const DrawingEntity& entity) const
{
    if (entity.layer < 0 || entity.layer >= m_layerIds.size())
        return {};
    return m_layerIds.at(entity.layer);
}

QString DrawingDocument::layerName(const DkDbLayerTableRecord* record)
{
    return record ? QString::fromStdWString(record->nameString()) : QString();
}

QString DrawingDocument::symbolName(const DkDbObjectId& id)
{
    DkDbObject* object = nullptr;
    if (id.isNull() || dkdbOpenDkDbObject(object, id, DkDb::kForRead) != Dk::eOk || !object)
        return QString();
    const QString name = QString::fromStdWString(static_cast<DkDbSymbolTableRecord*>(object)->nameString());
    object->close();
    return name;
}

DkDbObjectId DrawingDocument::findLayer(const QString& name) const
{
    if (!m_db)
        return {};
    // Layer names are compared without regard to letter case, as in CAD.
    for (const DkDbObjectId& id : m_layerIds) {
        const DkDbLayerTableRecord* record = m_db->peekLayer(id);
        if (record && !record->isErased() && layerName(record).compare(name, Qt::CaseInsensitive) == 0)
            return id;
    }
    return {};
}

QString DrawingDocument::findForCommand(const QString& name, DkDbObjectId& id) const
{
    if (!m_db)
        return QStringLiteral("No drawing is open.");
    id = findLayer(name);
    if (id.isNull())
        return QStringLiteral("There is no layer \"%1\".").arg(name);
    return QString();
}

QString DrawingDocument::currentLayerName() const
{
    return m_db ? layerName(m_db->peekLayer(m_db->clayer())) : QString();
}

bool DrawingDocument::layerExists(const QString& name) const
{
    return !findLayer(name).isNull();
}

int DrawingDocument::entityCount(const DkDbObjectId& layer) const
{
    return m_drawing.objectCount(m_layerIds.indexOf(layer));
}

QString DrawingDocument::checkNewName(const QString& name, const QString& exceptName) const
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A layer name cannot be empty.");
    if (name != name.trimmed())
        return QStringLiteral("A layer name cannot start or end with a space.");
    if (name.size() > 255)
        return QStringLiteral("A layer name can be at most 255 characters long.");
    for (const QChar c : name) {
        if (kForbidden.contains(c) || c.category() == QChar::Other_Control)
            return QStringLiteral("A layer name cannot contain any of the characters %1").arg(kForbidden);
    }
    const DkDbObjectId existing = findLayer(name);
    if (!existing.isNull()) {
        const QString taken = layerName(m_db->peekLayer(existing));
        if (exceptName.isEmpty() || taken.compare(exceptName, Qt::CaseInsensitive) != 0)
            return QStringLiteral("A layer named \"%1\" already exists.").arg(taken);
    }
    return QString();
}

QString DrawingDocument::setCurrentLayer(const QString& name)
{
    DkDbObjectId id;
    const QString missing = findForCommand(name, id);
    if (!missing.isEmpty())
        return missing;
    const DkDbLayerTableRecord* record = m_db->peekLayer(id);
    if (record && record->isFrozen())
        return QStringLiteral("Layer \"%1\" is frozen; thaw it before making it current.").arg(layerName(record));
    if (m_db->setClayer(id) != Dk::eOk)
        return QStringLiteral("Layer \"%1\" cannot be made current.").arg(name);
    return QString();
}

QString DrawingDocument::addLayer(const QString& name)
{
    if (!m_db)
        return QStringLiteral("No drawing is open.");
    const QString problem = checkNewName(name);
    if (!problem.isEmpty())
        return problem;
    DrawingLayer layer;
    layer.name = name;
    const DkDbObjectId id = m_db->addLayer(propertiesOf(layer));
    if (id.isNull())
        return QStringLiteral("Layer \"%1\" could not be created.").arg(name);
    m_drawing.layers.append(layer);
    m_layerIds.append(id);
    m_saved.append(layer);
    m_inFile.append(false);
    return QString();
}

QString DrawingDocument::renameLayer(const QString& oldName, const QString& newName)
{
    DkDbObjectId id;
    const QString missing = findForCommand(oldName, id);
    if (!missing.isEmpty())
        return missing;
    const QString actual = layerName(m_db->peekLayer(id));
    if (actual == newName)
        return QString();
    if (actual == QLatin1String("0"))
        return QStringLiteral("Layer \"0\" cannot be renamed.");
    const QString problem = checkNewName(newName, actual);
    if (!problem.isEmpty())
        return problem;
    if (m_db->renameLayer(id, newName.toStdWString()) != Dk::eOk)
        return QStringLiteral("Layer \"%1\" could not be renamed.").arg(actual);
    const int index = m_layerIds.indexOf(id);
    if (index >= 0)
        m_drawing.layers[index].name = newName;
    if (m_drawing.currentLayer.compare(actual, Qt::CaseInsensitive) == 0)
        m_drawing.currentLayer = newName;
    return QString();
}

QString DrawingDocument::deleteLayer(const QString& name)
{
    DkDbObjectId id;
    const QString missing = findForCommand(name, id);
    if (!missing.isEmpty())
        return missing;
    const QString actual = layerName(m_db->peekLayer(id));
    if (actual == QLatin1String("0"))
        return QStringLiteral("Layer \"0\" cannot be deleted.");
    if (id == m_db->clayer())
        return QStringLiteral("Layer \"%1\" is the current layer and cannot be deleted.").arg(actual);
    if (entityCount(id) > 0)
        return QStringLiteral("Layer \"%1\" holds %2; it cannot be deleted.")
            .arg(actual, m_drawing.objectSummary(m_layerIds.indexOf(id)));
    if (m_db->eraseLayer(id) != Dk::eOk)
        return QStringLiteral("Layer \"%1\" could not be deleted.").arg(actual);
    return QString();
}

QString DrawingDocument::setLayerProperties(const QString& name, const DrawingLayer& properties)
{
    DkDbObjectId id;
    const QString missing = findForCommand(name, id);
    if (!missing.isEmpty())
        return missing;
    if (properties.frozen && id == m_db->clayer())
        return QStringLiteral("Layer \"%1\" is the current layer and cannot be frozen.").arg(layerName(m_db->peekLayer(id)));
    DrawingLayer layer = properties;
    layer.name = layerName(m_db->peekLayer(id));
    applyLayer(id, layer);
    return QString();
}

bool DrawingDocument::findLayerProperties(const QString& name, DrawingLayer& out) const
{
    const DkDbObjectId id = findLayer(name);
    if (id.isNull())
        return false;
    out = readLayer(id);
    return true;
}

QVector<QPair<QString, QString>> DrawingDocument::linetypes() const
{
    QVector<QPair<QString, QString>> found;
    DkDbLinetypeTable* table = nullptr;
    if (!m_db || m_db->getSymbolTable(table, DkDb::kForRead) != Dk::eOk || !table)
        return found;
    const std::vector<DkDbObjectId> ids = table->recordIds();
    table->close();
    for (const DkDbObjectId& id : ids) {
        DkDbObject* object = nullptr;
        if (dkdbOpenDkDbObject(object, id, DkDb::kForRead) != Dk::eOk || !object)
            continue;
        const auto* record = static_cast<DkDbLinetypeTableRecord*>(object);
        const QString name = QString::fromStdWString(record->nameString());
        // A layer's linetype is a real one, never "by layer" or "by block".
        if (name.compare(QLatin1String("ByLayer"), Qt::CaseInsensitive) != 0
            && name.compare(QLatin1String("ByBlock"), Qt::CaseInsensitive) != 0)
            found.append(qMakePair(name, QString::fromWCharArray(record->comments())));
        object->close();
    }
    return found;
}

void DrawingDocument::addLinetypes(const QVector<QPair<QString, QString>>& linetypes)
{
    if (!m_db)
        return;
    for (const auto& linetype : linetypes) {
        if (m_db->linetypeId(linetype.first.toStdWString()).isNull())
            m_db->addLinetype(linetype.first.toStdWString(), linetype.second.toStdWString());
    }
}

DrawingLayer DrawingDocument::readLayer(const DkDbObjectId& id) const
{
    DrawingLayer layer;
    const DkDbLayerTableRecord* record = m_db ? m_db->peekLayer(id) : nullptr;
    if (!record)
        return layer;
    layer.name = layerName(record);
    layer.on = !record->isOff();
    layer.frozen = record->isFrozen();
    layer.locked = record->isLocked();
    layer.plottable = record->isPlottable();
    layer.frozenInNewViewports = record->VPDFLT();
    const DkCmColor color = record->color();
    layer.color = QColor(color.red(), color.green(), color.blue());
    layer.colorIndex = colorIndexOf(color);
    layer.linetype = symbolName(record->linetypeObjectId());
    layer.lineWeight = static_cast<int>(record->lineWeight());
    layer.description = QString::fromWCharArray(record->description());
    return layer;
}

void DrawingDocument::applyLayer(const DkDbObjectId& id, const DrawingLayer& layer)
{
    if (readLayer(id).name != layer.name)
        m_db->renameLayer(id, layer.name.toStdWString());
    applyToRecord(m_db.get(), id, propertiesOf(layer));
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, id, DkDb::kForWrite) == Dk::eOk && object) {
        static_cast<DkDbLayerTableRecord*>(object)->setIsFrozen(layer.frozen);
        object->close();
    }
    const int slot = m_layerIds.indexOf(id);
    if (slot >= 0)
        m_drawing.layers[slot] = layer;
}

DkDbObjectId DrawingDocument::idOfSlot(int slot) const
{
    if (!m_db || slot < 0 || slot >= m_layerIds.size())
        return {};
    const DkDbLayerTableRecord* record = m_db->peekLayer(m_layerIds.at(slot));
    return record && !record->isErased() ? m_layerIds.at(slot) : DkDbObjectId();
}

LayerTableState DrawingDocument::layerState() const
{
    LayerTableState state;
    for (int slot = 0; slot < m_layerIds.size(); ++slot) {
        const bool alive = !idOfSlot(slot).isNull();
        state.alive.append(alive);
        state.layers.append(alive ? readLayer(m_layerIds.at(slot)) : m_drawing.layers.value(slot));
        if (alive && m_layerIds.at(slot) == m_db->clayer())
            state.current = slot;
    }
    return state;
}

void DrawingDocument::restoreLayers(const LayerTableState& state)
{
    if (!m_db)
        return;
    const LayerTableState now = layerState();
    const QVector<int> changed = now.changedSlots(state);
    // The current layer first, so that the layers that go are never current.
    const DkDbObjectId current = idOfSlot(state.current);
    if (!current.isNull() && state.current != now.current) {
        applyLayer(current, state.layers.at(state.current));
        m_db->setClayer(current);
    }
    for (int slot : changed) {
        if (!state.isAlive(slot) && now.isAlive(slot))
            m_db->eraseLayer(m_layerIds.at(slot));
    }
    for (int slot : changed) {
        if (!state.isAlive(slot))
            continue;
        if (now.isAlive(slot)) {
            applyLayer(m_layerIds.at(slot), state.layers.at(slot));
        } else {
            m_layerIds[slot] = m_db->addLayer(propertiesOf(state.layers.at(slot)));
            m_drawing.layers[slot] = state.layers.at(slot);
        }
    }
    const DkDbObjectId target = idOfSlot(state.current);
    if (!target.isNull())
        m_db->setClayer(target);
}

QVector<SavedLayer> DrawingDocument::savedLayers() const
{
    QVector<SavedLayer> layers;
    const LayerTableState state = layerState();
    for (int slot = 0; slot < state.layers.size(); ++slot) {
        SavedLayer layer;
        layer.inFile = m_inFile.value(slot);
        layer.saved = m_saved.value(slot);
        layer.erased = !state.isAlive(slot);
        layer.now = state.layers.at(slot);
        if (layer.inFile || !layer.erased)
            layers.append(layer);
    }
    return layers;
}

void DrawingDocument::markSaved()
{
    const LayerTableState state = layerState();
    m_saved = state.layers;
    m_inFile = state.alive;
    m_savedCurrent = currentLayerName();
}

} // namespace Demo
