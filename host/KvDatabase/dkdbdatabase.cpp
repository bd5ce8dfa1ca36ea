#include "dkdbdatabase.h"
#include "dkdbsymboltable.h"
#include "dkdbviewport.h"

#include <cstring>

namespace {
DkDbHostApplicationServices g_defaultServices;
long long g_outstandingBuffers = 0;
}

DkDbHostApplicationServices* s_pServices = &g_defaultServices;

DkDbHostApplicationServices::~DkDbHostApplicationServices() = default;

DkDbHostApplicationServices* dkdbDefaultServices()
{
    return &g_defaultServices;
}

wchar_t* dkutNewBuffer(const std::wstring& text)
{
    auto* buffer = new wchar_t[text.size() + 1];
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    ++g_outstandingBuffers;
    return buffer;
}

void dkutDelBuffer(wchar_t*& buffer)
{
    if (!buffer)
        return;
    delete[] buffer;
    buffer = nullptr;
    --g_outstandingBuffers;
}

long long dkutOutstandingBuffers()
{
    return g_outstandingBuffers;
}

DkDbDatabase::DkDbDatabase()
{
    auto layers = std::make_unique<DkDbLayerTable>();
    m_layerTable = layers.get();
    adopt(std::move(layers));
    auto linetypes = std::make_unique<DkDbLinetypeTable>();
    m_linetypeTable = linetypes.get();
    adopt(std::move(linetypes));
    addLinetype(L"ByBlock");
    addLinetype(L"ByLayer");
    addLinetype(L"Continuous", L"Solid line");
    m_viewport = adopt(std::make_unique<DkDbViewport>());

    DkDbLayerProperties zero;
    zero.name = L"0";
    m_clayer = addLayer(zero);
}

DkDbDatabase::~DkDbDatabase() = default;

DkDbObjectId DkDbDatabase::adopt(std::unique_ptr<DkDbObject> object)
{
    m_owned.push_back(std::move(object));
    return enlist(m_owned.back().get());
}

DkDbObjectId DkDbDatabase::enlist(DkDbObject* object)
{
    m_objects.push_back(object);
    const DkDbObjectId id(this, m_objects.size());
    object->m_id = id;
    noteStored(object);
    return id;
}

DkDbLayerTableRecord* DkDbDatabase::newLayerRecord()
{
    constexpr std::size_t blockSize = 256;
    if (m_layerBlocks.empty() || m_layersInLastBlock == blockSize) {
        m_layerBlocks.push_back(std::make_unique<DkDbLayerTableRecord[]>(blockSize));
        m_layersInLastBlock = 0;
    }
    return &m_layerBlocks.back()[m_layersInLastBlock++];
}

DkDbObject* DkDbDatabase::objectAt(const DkDbObjectId& id) const
{
    if (id.database() != this || id.handle() == 0 || id.handle() > m_objects.size())
        return nullptr;
    return m_objects[id.handle() - 1];
}

void DkDbDatabase::noteOpened(DkDb::OpenMode mode)
{
    ++(mode == DkDb::kForWrite ? m_openWrite : m_openRead);
    ++m_totalOpens;
}

void DkDbDatabase::noteClosed(DkDb::OpenMode mode)
{
    --(mode == DkDb::kForWrite ? m_openWrite : m_openRead);
}

void DkDbDatabase::noteModeChanged(DkDb::OpenMode newMode)
{
    if (newMode == DkDb::kForWrite) {
        --m_openRead;
        ++m_openWrite;
    } else {
        --m_openWrite;
        ++m_openRead;
    }
}

Dk::ErrorStatus DkDbDatabase::getSymbolTable(DkDbLayerTable*& table, DkDb::OpenMode mode)
{
    table = nullptr;
    if (m_refuseLayerTable)
        return Dk::eCannotOpen;
    if (Dk::ErrorStatus es = m_layerTable->openAs(mode, false))
        return es;
    table = m_layerTable;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbDatabase::getSymbolTable(DkDbLinetypeTable*& table, DkDb::OpenMode mode)
{
    table = nullptr;
    if (Dk::ErrorStatus es = m_linetypeTable->openAs(mode, false))
        return es;
    table = m_linetypeTable;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbDatabase::setClayer(const DkDbObjectId& layerId)
{
    auto* rec = dynamic_cast<DkDbLayerTableRecord*>(objectAt(layerId));
    if (!rec || rec->isErased())
        return Dk::eInvalidLayer;
    // Making a frozen layer current thaws it, as CAD programs do.
    rec->m_state.frozen = false;
    m_clayer = layerId;
    ++m_changes;
    return Dk::eOk;
}

DkDbObjectId DkDbDatabase::addLayer(const DkDbLayerProperties& layerProps)
{
    if (layerProps.name.empty() || !layerId(layerProps.name).isNull())
        return {};
    DkDbLayerTableRecord* rec = newLayerRecord();
    rec->m_name = layerProps.name;
    DkDbLayerTableRecord::State& s = rec->m_state;
    s.off = !layerProps.on;
    s.frozen = layerProps.frozen;
    s.locked = layerProps.locked;
    s.plottable = layerProps.plottable;
    s.vpdflt = layerProps.frozenInNewViewports;
    s.color = layerProps.color;
    s.lineWeight = layerProps.lineWeight;
    s.linetype = linetypeId(layerProps.linetype);
    if (s.linetype.isNull() && !layerProps.linetype.empty())
        s.linetype = addLinetype(layerProps.linetype);
    s.plotStyle = DkDbLayerTableRecord::sharedPlotStyle(layerProps.plotStyleName.c_str());
    s.description = layerProps.description;
    rec->m_table = m_layerTable;
    const DkDbObjectId id = enlist(rec);
    m_layerTable->m_ids.push_back(id);
    m_layerTable->m_byName[rec->m_name] = id;
    return id;
}

DkDbObjectId DkDbDatabase::layerId(const std::wstring& name) const
{
    return m_layerTable->recordId(name.c_str());
}

DkDbObjectId DkDbDatabase::linetypeId(const std::wstring& name) const
{
    return m_linetypeTable->recordId(name.c_str());
}

DkDbObjectId DkDbDatabase::addLinetype(const std::wstring& name, const std::wstring& comments)
{
    if (name.empty() || !linetypeId(name).isNull())
        return {};
    auto rec = std::make_unique<DkDbLinetypeTableRecord>();
    rec->m_name = name;
    rec->m_comments = comments;
    rec->m_table = m_linetypeTable;
    const std::wstring& key = rec->m_name;
    const DkDbObjectId id = adopt(std::move(rec));
    m_linetypeTable->m_ids.push_back(id);
    m_linetypeTable->m_byName[key] = id;
    return id;
}

Dk::ErrorStatus DkDbDatabase::eraseLayer(const DkDbObjectId& layerId)
{
    auto* rec = dynamic_cast<DkDbLayerTableRecord*>(objectAt(layerId));
    if (!rec)
        return Dk::eInvalidInput;
    if (rec->isErased())
        return Dk::eWasErased;
    rec->m_erased = true;
    m_layerTable->m_byName.erase(rec->m_name);
    noteStored(rec);
    return Dk::eOk;
}

Dk::ErrorStatus DkDbDatabase::renameLayer(const DkDbObjectId& layerId, const std::wstring& newName)
{
    auto* rec = dynamic_cast<DkDbLayerTableRecord*>(objectAt(layerId));
    if (!rec || rec->isErased())
        return Dk::eInvalidInput;
    if (newName.empty())
        return Dk::eInvalidInput;
    const DkDbObjectId other = this->layerId(newName);
    if (!other.isNull() && other != layerId)
        return Dk::eDuplicateKey;
    m_layerTable->m_byName.erase(rec->m_name);
    rec->m_name = newName;
    m_layerTable->m_byName[rec->m_name] = layerId;
    noteStored(rec);
    return Dk::eOk;
}

Dk::ErrorStatus DkDbDatabase::setFrozenInCurrentViewport(const DkDbObjectId& layerId, bool frozen)
{
    auto* vp = static_cast<DkDbViewport*>(objectAt(m_viewport));
    if (frozen)
        vp->m_frozen.insert(layerId.handle());
    else
        vp->m_frozen.erase(layerId.handle());
    ++m_changes;
    return Dk::eOk;
}

const DkDbLayerTableRecord* DkDbDatabase::peekLayer(const DkDbObjectId& layerId) const
{
    return dynamic_cast<const DkDbLayerTableRecord*>(objectAt(layerId));
}

void DkDbDatabase::setRefuseOpen(const DkDbObjectId& id, bool refuse)
{
    if (DkDbObject* obj = objectAt(id))
        obj->m_refuseOpen = refuse;
}

Dk::ErrorStatus dkdbOpenDkDbObject(DkDbObject*& object, const DkDbObjectId& id, DkDb::OpenMode mode,
                                   bool openErased, const DkRxClass* requiredClass)
{
    object = nullptr;
    if (id.isNull())
        return Dk::eNullObjectId;
    DkDbObject* obj = id.database()->objectAt(id);
    if (!obj)
        return Dk::eUnknownHandle;
    if (requiredClass && !obj->isKindOf(requiredClass))
        return Dk::eNotThatKindOfClass;
    if (Dk::ErrorStatus es = obj->openAs(mode, openErased))
        return es;
    object = obj;
    return Dk::eOk;
}

DkDbObjectId dkdbGetCurVportId(DkDbDatabase* db)
{
    return db ? db->currentViewportId() : DkDbObjectId();
}
