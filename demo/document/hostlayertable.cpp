#include "hostlayertable.h"

#include <algorithm>

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
    m_slotByKey.clear();
    m_filedNames.clear();
    m_slotById.clear();
    m_touched.clear();
    m_currentTouched = false;
}

void HostLayerTable::load(const Drawing& drawing)
{
    close();
    m_db = std::make_unique<DkDbDatabase>();
    m_drawing = drawing;
    m_text = drawing.version.isEmpty() ? DxfText("AC1009", "ANSI_1252") : DxfText(drawing.version, drawing.codePage);
    m_layerIds.resize(drawing.layers.size());
    for (int i = 0; i < drawing.layers.size(); ++i) {
        const DkDbLayerProperties layerProps = propertiesOf(drawing.layers.at(i));
        if (drawing.layers.at(i).name == QLatin1String("0")) {
            m_layerIds[i] = m_db->layerId(L"0");
            applyToRecord(m_db.get(), m_layerIds[i], layerProps);
        } else {
            m_layerIds[i] = m_db->addLayer(layerProps);
        }
        m_slotById.insert(m_layerIds.at(i).handle(), i);
        indexSlot(i);
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
    const QString key = layerKey(name);
    const DkDbObjectId indexed = idOfSlot(m_slotByKey.value(key, -1));
    if (!indexed.isNull() && layerKey(layerName(m_db->peekLayer(indexed))) == key)
        return indexed;
    // A widget may have renamed a layer since the index was renewed: the
    // database's own table knows the exact name.
    const DkDbObjectId exact = m_db->layerId(name.toStdWString());
    const DkDbLayerTableRecord* record = m_db->peekLayer(exact);
    return record && !record->isErased() ? exact : DkDbObjectId();
}

int HostLayerTable::slotOf(const DkDbObjectId& id) const
{
    return id.isNull() ? -1 : m_slotById.value(id.handle(), -1);
}

int HostLayerTable::currentSlot() const
{
    return m_db ? slotOf(m_db->clayer()) : -1;
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
    return m_drawing.objectCount(slotOf(layer));
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
    const DkCmColor& color = record->color();
    layer.color = QColor(color.red(), color.green(), color.blue());
    layer.colorIndex = colorIndexOf(color);
    // Thousands of layers name a few linetypes: each snapshot of the table
    // shares one copy of each name.
    layer.linetype = *m_linetypeNames.insert(symbolName(record->linetypeObjectId()));
    layer.lineWeight = static_cast<int>(record->lineWeight());
    const wchar_t* description = record->description();
    if (*description)
        layer.description = QString::fromWCharArray(description);
    return layer;
}

void HostLayerTable::applyLayer(const DkDbObjectId& id, const DrawingLayer& layer)
{
    const QString oldName = readLayer(id).name;
    const int slot = slotOf(id);
    if (oldName != layer.name && m_db->renameLayer(id, layer.name.toStdWString()) == Dk::eOk)
        indexSlot(slot);
    applyToRecord(m_db.get(), id, propertiesOf(layer));
    setFrozen(id, layer.frozen);
    touch(slot);
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
    const int slot = m_layerIds.size() - 1;
    m_slotById.insert(id.handle(), slot);
    indexSlot(slot);
    touch(slot);
    return id;
}

void HostLayerTable::reviveSlot(int slot, const DrawingLayer& layer)
{
    m_layerIds[slot] = m_db->addLayer(propertiesOf(layer));
    m_drawing.layers[slot] = layer;
    m_slotById.insert(m_layerIds.at(slot).handle(), slot);
    indexSlot(slot);
    touch(slot);
}

Dk::ErrorStatus HostLayerTable::renameLayer(const DkDbObjectId& id, const QString& newName)
{
    const QString oldName = layerName(m_db->peekLayer(id));
    const Dk::ErrorStatus status = m_db->renameLayer(id, newName.toStdWString());
    if (status != Dk::eOk)
        return status;
    const int slot = slotOf(id);
    indexSlot(slot);
    touch(slot);
    if (slot >= 0)
        m_drawing.layers[slot].name = newName;
    if (layerKey(m_drawing.currentLayer) == layerKey(oldName))
        m_drawing.currentLayer = newName;
    return status;
}

Dk::ErrorStatus HostLayerTable::eraseLayer(const DkDbObjectId& id)
{
    const Dk::ErrorStatus status = m_db->eraseLayer(id);
    if (status == Dk::eOk) {
        refile(slotOf(id), QString());
        touch(slotOf(id));
    }
    return status;
}

Dk::ErrorStatus HostLayerTable::setCurrent(const DkDbObjectId& id)
{
    const Dk::ErrorStatus status = m_db->setClayer(id);
    if (status == Dk::eOk)
        m_currentTouched = true;
    return status;
}

QVector<int> HostLayerTable::takeTouchedSlots(bool& currentChanged)
{
    QVector<int> touched;
    touched.swap(m_touched);
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    currentChanged = m_currentTouched;
    m_currentTouched = false;
    return touched;
}

void HostLayerTable::renewIndex() const
{
    for (int slot = 0; slot < m_layerIds.size(); ++slot) {
        const DkDbObjectId id = idOfSlot(slot);
        refile(slot, id.isNull() ? QString() : layerName(m_db->peekLayer(id)));
    }
}

void HostLayerTable::refile(int slot, const QString& name) const
{
    if (slot < 0)
        return;
    if (slot >= m_filedNames.size())
        m_filedNames.resize(m_layerIds.size());
    QString& filed = m_filedNames[slot];
    if (filed == name)
        return;
    // Another layer may have taken the old name's key meanwhile.
    const auto old = m_slotByKey.find(layerKey(filed));
    if (!filed.isEmpty() && old != m_slotByKey.end() && old.value() == slot)
        m_slotByKey.erase(old);
    if (!name.isEmpty())
        m_slotByKey.insert(layerKey(name), slot);
    filed = name;
}

void HostLayerTable::indexSlot(int slot)
{
    const DkDbObjectId id = idOfSlot(slot);
    const QString name = id.isNull() ? QString() : layerName(m_db->peekLayer(id));
    // The drawing's copy of the name, when it is the same, is shared rather than kept twice.
    const QString known = slot >= 0 && slot < m_drawing.layers.size() ? m_drawing.layers.at(slot).name : QString();
    refile(slot, name == known ? known : name);
}

void HostLayerTable::touch(int slot)
{
    if (slot >= 0)
        m_touched.append(slot);
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
