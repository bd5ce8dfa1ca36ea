#include "dkdbobject.h"
#include "dkdbdatabase.h"

#include <cstring>

DkRxClass::DkRxClass(const char* name, const DkRxClass* parent) : m_name(name), m_parent(parent) {}

bool DkRxClass::isDerivedFrom(const DkRxClass* other) const
{
    for (const DkRxClass* c = this; c; c = c->m_parent) {
        if (c == other)
            return true;
    }
    return false;
}

bool c5ObjIdIsEqualTo(const DkDbObjectId& a, const DkDbObjectId& b)
{
    return a == b;
}

DkDbObject::DkDbObject() = default;
DkDbObject::~DkDbObject() = default;

const DkRxClass* DkDbObject::desc()
{
    static const DkRxClass cls("DkDbObject", nullptr);
    return &cls;
}

const DkRxClass* DkDbObject::isA() const
{
    return desc();
}

bool DkDbObject::isKindOf(const DkRxClass* cls) const
{
    return isA()->isDerivedFrom(cls);
}

Dk::ErrorStatus DkDbObject::openAs(DkDb::OpenMode mode, bool openErased)
{
    if (m_refuseOpen)
        return Dk::eCannotOpen;
    if (m_erased && !openErased)
        return Dk::eWasErased;
    if (m_writeOpen)
        return Dk::eWasOpenForWrite;
    if (mode == DkDb::kForWrite) {
        if (m_openCount > 0)
            return Dk::eWasOpenForRead;
        m_writeOpen = true;
        beginPending();
    }
    ++m_openCount;
    if (DkDbDatabase* db = database())
        db->noteOpened(mode);
    return Dk::eOk;
}

Dk::ErrorStatus DkDbObject::upgradeOpen()
{
    if (m_openCount == 0)
        return Dk::eWasNotOpen;
    if (m_writeOpen)
        return Dk::eWasOpenForWrite;
    if (m_openCount > 1)
        return Dk::eWasOpenForRead;
    m_writeOpen = true;
    beginPending();
    if (DkDbDatabase* db = database())
        db->noteModeChanged(DkDb::kForWrite);
    return Dk::eOk;
}

Dk::ErrorStatus DkDbObject::downgradeOpen()
{
    if (!m_writeOpen)
        return Dk::eWasNotOpenForWrite;
    commitPending();
    m_writeOpen = false;
    if (DkDbDatabase* db = database()) {
        db->noteModeChanged(DkDb::kForRead);
        db->noteStored(this);
    }
    return Dk::eOk;
}

Dk::ErrorStatus DkDbObject::close()
{
    if (m_openCount == 0)
        return Dk::eWasNotOpen;
    const bool wasWrite = m_writeOpen;
    if (wasWrite) {
        commitPending();
        m_writeOpen = false;
    }
    --m_openCount;
    if (DkDbDatabase* db = database()) {
        db->noteClosed(wasWrite ? DkDb::kForWrite : DkDb::kForRead);
        if (wasWrite)
            db->noteStored(this);
    }
    return Dk::eOk;
}

Dk::ErrorStatus DkDbObject::assertWriteEnabled() const
{
    return m_writeOpen ? Dk::eOk : Dk::eNotOpenForWrite;
}
