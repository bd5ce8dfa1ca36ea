#include "hostlayertable.h"

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

} // namespace

HostLayerTable::HostLayerTable() = default;

HostLayerTable::~HostLayerTable()
{
    close();
}

void HostLayerTable::close()
{
    if (s_pServices && m_db && s_pServices->workingDatabase() == m_db.get())
        s_pServices->setWorkingDatabase(nullptr);
    m_db.reset();
    m_layerIds.clear();
    m_drawing = Drawing();
}

void HostLayerTable::load(const Drawing& drawing)
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
    if (zero >= 0 && drawing.layers.at(zero).frozen && m_db->clayer() != m_layerIds[zero])
        setFrozen(m_layerIds[zero], true);
    if (!s_pServices)
        s_pServices = dkdbDefaultServices();
    s_pServices->setWorkingDatabase(m_db.get());
}

DkDbObjectId HostLayerTable::layerIdOf(const DrawingEntity& entity) const
{
    if (entity.layer < 0 || entity.layer >= m_layerIds.size())
        return {};
    return m_layerIds.at(entity.layer);
}

QString HostLayerTable::layerName(const DkDbLayerTableRecord* record)
{
    return record ? QString::fromStdWString(record->nameString()) : QString();
}

QString HostLayerTable::symbolName(const DkDbObjectId& id)
{
    DkDbObject* object = nullptr;
    if (id.isNull() || dkdbOpenDkDbObject(object, id, DkDb::kForRead) != Dk::eOk || !object)
        return QString();
    const QString name = QString::fromStdWString(static_cast<DkDbSymbolTableRecord*>(object)->nameString());
    object->close();
    return name;
}

DkDbObjectId HostLayerTable::findLayer(const QString& name) const
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

DkDbObjectId HostLayerTable::idOfSlot(int slot) const
{
    if (!m_db || slot < 0 || slot >= m_layerIds.size())
        return {};
    const DkDbLayerTableRecord* record = m_db->peekLayer(m_layerIds.at(slot));
    return record && !record->isErased() ? m_layerIds.at(slot) : DkDbObjectId();
}

int HostLayerTable::layerCount() const
{
    int count = 0;
    for (int slot = 0; slot < m_layerIds.size(); ++slot)
        count += idOfSlot(slot).isNull() ? 0 : 1;
    return count;
}

QString HostLayerTable::currentLayerName() const
{
    return m_db ? layerName(m_db->peekLayer(m_db->clayer())) : QString();
}

int HostLayerTable::entityCount(const DkDbObjectId& layer) const
{
    return m_drawing.objectCount(m_layerIds.indexOf(layer));
}

DrawingLayer HostLayerTable::readLayer(const DkDbObjectId& id) const
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

void HostLayerTable::applyLayer(const DkDbObjectId& id, const DrawingLayer& layer)
{
    if (readLayer(id).name != layer.name)
        m_db->renameLayer(id, layer.name.toStdWString());
    applyToRecord(m_db.get(), id, propertiesOf(layer));
    setFrozen(id, layer.frozen);
    const int slot = m_layerIds.indexOf(id);
    if (slot >= 0)
        m_drawing.layers[slot] = layer;
}

DkDbObjectId HostLayerTable::addLayer(const DrawingLayer& layer)
{
    const DkDbObjectId id = m_db ? m_db->addLayer(propertiesOf(layer)) : DkDbObjectId();
    if (id.isNull())
        return id;
    m_drawing.layers.append(layer);
    m_layerIds.append(id);
    return id;
}

void HostLayerTable::reviveSlot(int slot, const DrawingLayer& layer)
{
    m_layerIds[slot] = m_db->addLayer(propertiesOf(layer));
    m_drawing.layers[slot] = layer;
}

Dk::ErrorStatus HostLayerTable::renameLayer(const DkDbObjectId& id, const QString& newName)
{
    const QString oldName = layerName(m_db->peekLayer(id));
    const Dk::ErrorStatus status = m_db->renameLayer(id, newName.toStdWString());
    if (status != Dk::eOk)
        return status;
    const int slot = m_layerIds.indexOf(id);
    if (slot >= 0)
        m_drawing.layers[slot].name = newName;
    if (m_drawing.currentLayer.compare(oldName, Qt::CaseInsensitive) == 0)
        m_drawing.currentLayer = newName;
    return status;
}

void HostLayerTable::setFrozen(const DkDbObjectId& id, bool frozen)
{
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, id, DkDb::kForWrite) == Dk::eOk && object) {
        static_cast<DkDbLayerTableRecord*>(object)->setIsFrozen(frozen);
        object->close();
    }
}

} // namespace Demo
