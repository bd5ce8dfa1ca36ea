#pragma once

#include "dkcmcolor.h"
#include "dkdbobject.h"

#include <memory>
#include <string>
#include <vector>

class DkDbLayerTable;
class DkDbLinetypeTable;
class DkDbLayerTableRecord;
class DkDbViewport;

// Everything a layer can hold, for building drawings.
struct KVDATABASE_EXPORT DkDbLayerProperties
{
    std::wstring name;
    bool on = true;
    bool frozen = false;
    bool locked = false;
    bool plottable = true;
    bool frozenInNewViewports = false;
    DkCmColor color;
    std::wstring linetype = L"Continuous"; // created when the drawing lacks it
    int lineWeight = -3;                   // DkDb::kLnWtByLwDefault
    std::wstring plotStyleName = L"Color_7";
    std::wstring description;
};

// One drawing: a layer table, a linetype table and a current viewport.
// A new drawing holds layer "0" (current), the linetypes "ByBlock",
// "ByLayer" and "Continuous", and one viewport.
class KVDATABASE_EXPORT DkDbDatabase
{
public:
    DkDbDatabase();
    ~DkDbDatabase();
    DkDbDatabase(const DkDbDatabase&) = delete;
    DkDbDatabase& operator=(const DkDbDatabase&) = delete;

    // ---- the interface the host offers --------------------------------------
    Dk::ErrorStatus getSymbolTable(DkDbLayerTable*& table, DkDb::OpenMode mode);
    Dk::ErrorStatus getSymbolTable(DkDbLinetypeTable*& table, DkDb::OpenMode mode);
    DkDbObjectId clayer() const { return m_clayer; }
    Dk::ErrorStatus setClayer(const DkDbObjectId& layerId);

    // ---- building a drawing (hosts and tests) -------------------------------
    // Appends a layer; a name already taken (or empty) gives a null id.
    DkDbObjectId addLayer(const DkDbLayerProperties& layerProps);
    // Live layer or linetype with exactly this name, or a null id.
    DkDbObjectId layerId(const std::wstring& name) const;
    DkDbObjectId linetypeId(const std::wstring& name) const;
    DkDbObjectId addLinetype(const std::wstring& name, const std::wstring& comments = L"");
    // Erases a layer; its id stays valid but the record is skipped and not opened.
    Dk::ErrorStatus eraseLayer(const DkDbObjectId& layerId);
    // Renames a layer, as another part of the host might.
    Dk::ErrorStatus renameLayer(const DkDbObjectId& layerId, const std::wstring& newName);
    DkDbObjectId currentViewportId() const { return m_viewport; }
    Dk::ErrorStatus setFrozenInCurrentViewport(const DkDbObjectId& layerId, bool frozen);
    // Reads a layer without opening it (for checks); null when unknown.
    const DkDbLayerTableRecord* peekLayer(const DkDbObjectId& layerId) const;

    // ---- failures on demand -------------------------------------------------
    void setRefuseOpen(const DkDbObjectId& id, bool refuse);
    void setLayerTableRefused(bool refuse) { m_refuseLayerTable = refuse; }
    void setLayerIteratorRefused(bool refuse) { m_refuseIterator = refuse; }
    bool layerIteratorRefused() const { return m_refuseIterator; }

    // ---- accounting ---------------------------------------------------------
    int openObjectCount() const { return m_openRead + m_openWrite; }
    int openForReadCount() const { return m_openRead; }
    int openForWriteCount() const { return m_openWrite; }
    int liveIteratorCount() const { return m_iterators; }
    long long totalOpenCount() const { return m_totalOpens; }
    // Grows with every change stored: an object closed or downgraded after a
    // write, a layer added or erased, the current layer set. A host tells by
    // it, without reading anything, whether the drawing changed since it
    // last looked.
    unsigned long long changeCount() const { return m_changes; }

    // ---- internal -------------------------------------------------------------
    DkDbObject* objectAt(const DkDbObjectId& id) const;
    void noteOpened(DkDb::OpenMode mode);
    void noteClosed(DkDb::OpenMode mode);
    void noteModeChanged(DkDb::OpenMode newMode);
    // A change to the object was stored: counted, and stamped on the object.
    void noteStored(DkDbObject* object) { object->m_changeStamp = ++m_changes; }
    void noteIteratorCreated() { ++m_iterators; }
    void noteIteratorDeleted() { --m_iterators; }

private:
    DkDbObjectId adopt(std::unique_ptr<DkDbObject> object);
    DkDbObjectId enlist(DkDbObject* object);
    DkDbLayerTableRecord* newLayerRecord();

    std::vector<DkDbObject*> m_objects; // index = handle - 1
    // The objects other than layer records.
    std::vector<std::unique_ptr<DkDbObject>> m_owned;
    // Layer records live in blocks, in the order they were added, so that a
    // walk of a big table reads memory front to back.
    std::vector<std::unique_ptr<DkDbLayerTableRecord[]>> m_layerBlocks;
    std::size_t m_layersInLastBlock = 0;
    DkDbLayerTable* m_layerTable = nullptr;
    DkDbLinetypeTable* m_linetypeTable = nullptr;
    DkDbObjectId m_clayer;
    unsigned long long m_changes = 0;
    DkDbObjectId m_viewport;
    bool m_refuseLayerTable = false;
    bool m_refuseIterator = false;
    int m_openRead = 0;
    int m_openWrite = 0;
    int m_iterators = 0;
    long long m_totalOpens = 0;
};

// The host's services object: it knows the drawing the user works on.
class KVDATABASE_EXPORT DkDbHostApplicationServices
{
public:
    virtual ~DkDbHostApplicationServices();
    DkDbDatabase* workingDatabase() const { return m_working; }
    void setWorkingDatabase(DkDbDatabase* db) { m_working = db; }

private:
    DkDbDatabase* m_working = nullptr;
};

// Points to a services object without a working database at start; may be
// set to null to simulate a host that has none.
KVDATABASE_EXPORT extern DkDbHostApplicationServices* s_pServices;
// The services object s_pServices points to at start.
KVDATABASE_EXPORT DkDbHostApplicationServices* dkdbDefaultServices();

KVDATABASE_EXPORT Dk::ErrorStatus dkdbOpenDkDbObject(DkDbObject*& object, const DkDbObjectId& id,
                                                     DkDb::OpenMode mode, bool openErased = false,
                                                     const DkRxClass* requiredClass = nullptr);
KVDATABASE_EXPORT DkDbObjectId dkdbGetCurVportId(DkDbDatabase* db);

// Name buffers handed out by the database; free them with dkutDelBuffer.
KVDATABASE_EXPORT wchar_t* dkutNewBuffer(const std::wstring& text);
KVDATABASE_EXPORT void dkutDelBuffer(wchar_t*& buffer);
// How many handed-out buffers are not yet freed.
KVDATABASE_EXPORT long long dkutOutstandingBuffers();
