#pragma once

#include "dkcmcolor.h"
#include "dkdbobject.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class DkDbLayerTableRecord;
class DkDbSymbolTable;

// A named table entry (layer, linetype).
class KVDATABASE_EXPORT DkDbSymbolTableRecord : public DkDbObject
{
public:
    static const DkRxClass* desc();
    const DkRxClass* isA() const override;

    // Hands out a new buffer that the caller frees with dkutDelBuffer.
    Dk::ErrorStatus getName(wchar_t*& name) const;
    const std::wstring& nameString() const { return m_name; }
    Dk::ErrorStatus setName(const wchar_t* name);

protected:
    DkDbSymbolTableRecord() = default;

private:
    friend class DkDbDatabase;
    std::wstring m_name;
    DkDbSymbolTable* m_table = nullptr;
};

class KVDATABASE_EXPORT DkDbLayerTableRecord : public DkDbSymbolTableRecord
{
public:
    DkDbLayerTableRecord() = default;
    static const DkRxClass* desc();
    const DkRxClass* isA() const override;

    bool isOff() const { return state().off; }
    bool isFrozen() const { return state().frozen; }
    bool isLocked() const { return state().locked; }
    bool isPlottable() const { return state().plottable; }
    bool VPDFLT() const { return state().vpdflt; }
    const DkCmColor& color() const { return state().color; }
    DkDb::LineWeight lineWeight() const { return static_cast<DkDb::LineWeight>(state().lineWeight); }
    DkDbObjectId linetypeObjectId() const { return state().linetype; }
    // A new buffer that the caller frees with dkutDelBuffer.
    wchar_t* plotStyleName() const;
    // Owned by the record.
    const wchar_t* description() const { return state().description.c_str(); }

    // Setters need the record open for write; the change is stored when the
    // record is downgraded or closed. Freezing the current layer is refused.
    Dk::ErrorStatus setIsOff(bool off);
    Dk::ErrorStatus setIsFrozen(bool frozen);
    Dk::ErrorStatus setIsLocked(bool locked);
    Dk::ErrorStatus setIsPlottable(bool plottable);
    Dk::ErrorStatus setVPDFLT(bool frozen);
    Dk::ErrorStatus setColor(const DkCmColor& color);
    Dk::ErrorStatus setLineWeight(int weight);
    Dk::ErrorStatus setLinetypeObjectId(const DkDbObjectId& id);
    Dk::ErrorStatus setPlotStyleName(const wchar_t* name);
    Dk::ErrorStatus setDescription(const wchar_t* text);

protected:
    void beginPending() override;
    void commitPending() override;

private:
    friend class DkDbDatabase;
    struct State {
        bool off = false;
        bool frozen = false;
        bool locked = false;
        bool plottable = true;
        bool vpdflt = false;
        DkCmColor color;
        int lineWeight = DkDb::kLnWtByLwDefault;
        DkDbObjectId linetype;
        std::shared_ptr<const std::wstring> plotStyle = sharedPlotStyle(L"Color_7");
        std::wstring description;
    };
    const State& state() const { return m_pending ? *m_pending : m_state; }
    // A drawing has few plot style names: records share the usual one
    // rather than each keep a copy.
    static std::shared_ptr<const std::wstring> sharedPlotStyle(const wchar_t* name);

    State m_state;
    // The state being written while the record is open for write; a table of
    // thousands of records mostly read keeps none.
    std::unique_ptr<State> m_pending;
};

class KVDATABASE_EXPORT DkDbLinetypeTableRecord : public DkDbSymbolTableRecord
{
public:
    DkDbLinetypeTableRecord() = default;
    static const DkRxClass* desc();
    const DkRxClass* isA() const override;

    const wchar_t* comments() const { return m_comments.c_str(); }

private:
    friend class DkDbDatabase;
    std::wstring m_comments;
};

// Walks the records of one table in table order.
class KVDATABASE_EXPORT DkDbSymbolTableIterator
{
public:
    virtual ~DkDbSymbolTableIterator();
    DkDbSymbolTableIterator(const DkDbSymbolTableIterator&) = delete;
    DkDbSymbolTableIterator& operator=(const DkDbSymbolTableIterator&) = delete;

    void start(bool atBeginning = true, bool skipDeleted = true);
    void step(bool forward = true, bool skipDeleted = true);
    bool done() const;
    Dk::ErrorStatus getRecordId(DkDbObjectId& id) const;

protected:
    DkDbSymbolTableIterator(DkDbDatabase* db, const std::vector<DkDbObjectId>* ids);
    Dk::ErrorStatus openCurrent(DkDbObject*& obj, DkDb::OpenMode mode, bool openErased,
                                const DkRxClass* cls) const;

private:
    void skipErased(bool forward);

    DkDbDatabase* m_db;
    const std::vector<DkDbObjectId>* m_ids;
    long long m_pos = 0;
};

class KVDATABASE_EXPORT DkDbLayerTableIterator : public DkDbSymbolTableIterator
{
public:
    Dk::ErrorStatus getRecord(DkDbLayerTableRecord*& record, DkDb::OpenMode mode = DkDb::kForRead,
                              bool openErased = false) const;

private:
    friend class DkDbLayerTable;
    using DkDbSymbolTableIterator::DkDbSymbolTableIterator;
};

class KVDATABASE_EXPORT DkDbSymbolTable : public DkDbObject
{
public:
    static const DkRxClass* desc();
    const DkRxClass* isA() const override;

    // Id of the live record with exactly this name, or a null id.
    DkDbObjectId recordId(const wchar_t* name) const;
    const std::vector<DkDbObjectId>& recordIds() const { return m_ids; }

protected:
    DkDbSymbolTable() = default;

private:
    friend class DkDbDatabase;
    friend class DkDbSymbolTableRecord;
    // Live records by exact name, so lookups stay fast in big drawings. The
    // keys are the records' own names: a record leaves the index before its
    // name changes and comes back under the new one.
    std::unordered_map<std::wstring_view, DkDbObjectId> m_byName;
    std::vector<DkDbObjectId> m_ids;
};

class KVDATABASE_EXPORT DkDbLayerTable : public DkDbSymbolTable
{
public:
    DkDbLayerTable() = default;
    static const DkRxClass* desc();
    const DkRxClass* isA() const override;

    // A new iterator the caller deletes.
    Dk::ErrorStatus newIterator(DkDbLayerTableIterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
};

class KVDATABASE_EXPORT DkDbLinetypeTable : public DkDbSymbolTable
{
public:
    DkDbLinetypeTable() = default;
    static const DkRxClass* desc();
    const DkRxClass* isA() const override;
};
