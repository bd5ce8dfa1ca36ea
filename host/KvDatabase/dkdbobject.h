#pragma once

#include "kvdatabase_export.h"

#include <cstdint>

class DkDbDatabase;

namespace Dk {
enum ErrorStatus {
    eOk = 0,
    eInvalidInput,
    eNullObjectId,
    eUnknownHandle,
    eWasErased,
    eWasOpenForRead,
    eWasOpenForWrite,
    eWasNotOpenForWrite,
    eNotOpenForWrite,
    eWasNotOpen,
    eNotThatKindOfClass,
    eCannotOpen,
    eKeyNotFound,
    eDuplicateKey,
    eInvalidLayer,
    eNoDatabase
};
}

namespace DkDb {
enum OpenMode { kForRead = 0, kForWrite = 1 };

// Lineweights are in hundredths of a millimetre; these are the special
// values. Every int is a lineweight the type can hold (0 to 211 the widths).
enum LineWeight : int {
    kLnWtByLayer = -1,
    kLnWtByBlock = -2,
    kLnWtByLwDefault = -3
};
}

// Minimal run-time class description: enough to ask "is this object a layer?".
class KVDATABASE_EXPORT DkRxClass
{
public:
    DkRxClass(const char* name, const DkRxClass* parent);
    const char* name() const { return m_name; }
    bool isDerivedFrom(const DkRxClass* other) const;

private:
    const char* m_name;
    const DkRxClass* m_parent;
};

// Identifies one object of one database. Null when default-constructed.
class KVDATABASE_EXPORT DkDbObjectId
{
public:
    DkDbObjectId() = default;
    DkDbObjectId(DkDbDatabase* db, std::uint64_t handle) : m_db(db), m_handle(handle) {}

    bool isNull() const { return m_db == nullptr; }
    DkDbDatabase* database() const { return m_db; }
    std::uint64_t handle() const { return m_handle; }
    bool operator==(const DkDbObjectId& other) const
    {
        return m_db == other.m_db && m_handle == other.m_handle;
    }
    bool operator!=(const DkDbObjectId& other) const { return !(*this == other); }

private:
    DkDbDatabase* m_db = nullptr;
    std::uint64_t m_handle = 0;
};

KVDATABASE_EXPORT bool c5ObjIdIsEqualTo(const DkDbObjectId& a, const DkDbObjectId& b);

// Base of every database-resident object. The database owns its objects;
// callers open them (dkdbOpenDkDbObject, table iterators) and must close them.
// A write-open object keeps its changes pending until it is downgraded or
// closed, as a real drawing database does.
class KVDATABASE_EXPORT DkDbObject
{
public:
    virtual ~DkDbObject();
    DkDbObject(const DkDbObject&) = delete;
    DkDbObject& operator=(const DkDbObject&) = delete;

    static const DkRxClass* desc();
    virtual const DkRxClass* isA() const;
    bool isKindOf(const DkRxClass* cls) const;

    DkDbObjectId objectId() const { return m_id; }
    DkDbDatabase* database() const { return m_id.database(); }
    bool isErased() const { return m_erased; }
    bool isReadEnabled() const { return m_openCount > 0; }
    bool isWriteEnabled() const { return m_writeOpen; }
    // The database's changeCount() when a change to this object was last
    // stored, so a host that read it at a later count need not read it again.
    unsigned long long changeStamp() const { return m_changeStamp; }

    Dk::ErrorStatus upgradeOpen();
    Dk::ErrorStatus downgradeOpen();
    Dk::ErrorStatus close();

protected:
    DkDbObject();
    Dk::ErrorStatus assertWriteEnabled() const;
    // Called when pending changes are stored (downgrade or close after write).
    virtual void commitPending() {}
    // Called when the object is opened for write: copy committed state to pending.
    virtual void beginPending() {}

private:
    friend class DkDbDatabase;
    friend KVDATABASE_EXPORT Dk::ErrorStatus dkdbOpenDkDbObject(DkDbObject*&, const DkDbObjectId&,
                                                                DkDb::OpenMode, bool, const DkRxClass*);
    Dk::ErrorStatus openAs(DkDb::OpenMode mode, bool openErased);

    DkDbObjectId m_id;
    unsigned long long m_changeStamp = 0;
    bool m_erased = false;
    bool m_refuseOpen = false;
    bool m_writeOpen = false;
    int m_openCount = 0;
};
