#include "dkdbsymboltable.h"
#include "dkdbdatabase.h"

// ---- records ---------------------------------------------------------------

const DkRxClass* DkDbSymbolTableRecord::desc()
{
    static const DkRxClass cls("DkDbSymbolTableRecord", DkDbObject::desc());
    return &cls;
}

const DkRxClass* DkDbSymbolTableRecord::isA() const
{
    return desc();
}

Dk::ErrorStatus DkDbSymbolTableRecord::getName(wchar_t*& name) const
{
    name = dkutNewBuffer(m_name);
    return Dk::eOk;
}

Dk::ErrorStatus DkDbSymbolTableRecord::setName(const wchar_t* name)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    if (!name || !*name)
        return Dk::eInvalidInput;
    if (m_table) {
        const DkDbObjectId other = m_table->recordId(name);
        if (!other.isNull() && other != objectId())
            return Dk::eDuplicateKey;
        m_table->m_byName.erase(m_name);
        m_name = name;
        m_table->m_byName[m_name] = objectId();
        return Dk::eOk;
    }
    m_name = name;
    return Dk::eOk;
}

const DkRxClass* DkDbLayerTableRecord::desc()
{
    static const DkRxClass cls("DkDbLayerTableRecord", DkDbSymbolTableRecord::desc());
    return &cls;
}

const DkRxClass* DkDbLayerTableRecord::isA() const
{
    return desc();
}

wchar_t* DkDbLayerTableRecord::plotStyleName() const
{
    return dkutNewBuffer(*state().plotStyle);
}

std::shared_ptr<const std::wstring> DkDbLayerTableRecord::sharedPlotStyle(const wchar_t* name)
{
    static const auto usual = std::make_shared<const std::wstring>(L"Color_7");
    if (!name)
        name = L"";
    return *usual == name ? usual : std::make_shared<const std::wstring>(name);
}

void DkDbLayerTableRecord::beginPending()
{
    m_pending = std::make_unique<State>(m_state);
}

void DkDbLayerTableRecord::commitPending()
{
    if (m_pending)
        m_state = std::move(*m_pending);
    m_pending.reset();
}

Dk::ErrorStatus DkDbLayerTableRecord::setIsOff(bool off)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->off = off;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setIsFrozen(bool frozen)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    // The current layer can never be frozen.
    if (frozen && database() && database()->clayer() == objectId())
        return Dk::eInvalidLayer;
    m_pending->frozen = frozen;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setIsLocked(bool locked)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->locked = locked;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setIsPlottable(bool plottable)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->plottable = plottable;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setVPDFLT(bool frozen)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->vpdflt = frozen;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setColor(const DkCmColor& color)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->color = color;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setLineWeight(int weight)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->lineWeight = weight;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setLinetypeObjectId(const DkDbObjectId& id)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->linetype = id;
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setPlotStyleName(const wchar_t* name)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->plotStyle = sharedPlotStyle(name);
    return Dk::eOk;
}

Dk::ErrorStatus DkDbLayerTableRecord::setDescription(const wchar_t* text)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    m_pending->description = text ? text : L"";
    return Dk::eOk;
}

const DkRxClass* DkDbLinetypeTableRecord::desc()
{
    static const DkRxClass cls("DkDbLinetypeTableRecord", DkDbSymbolTableRecord::desc());
    return &cls;
}

const DkRxClass* DkDbLinetypeTableRecord::isA() const
{
    return desc();
}

// ---- iterators -------------------------------------------------------------

DkDbSymbolTableIterator::DkDbSymbolTableIterator(DkDbDatabase* db, const std::vector<DkDbObjectId>* ids)
    : m_db(db), m_ids(ids)
{
    m_db->noteIteratorCreated();
}

DkDbSymbolTableIterator::~DkDbSymbolTableIterator()
{
    m_db->noteIteratorDeleted();
}

void DkDbSymbolTableIterator::skipErased(bool forward)
{
    const long long n = static_cast<long long>(m_ids->size());
    while (m_pos >= 0 && m_pos < n) {
        DkDbObject* obj = m_db->objectAt((*m_ids)[static_cast<size_t>(m_pos)]);
        if (obj && !obj->isErased())
            break;
        m_pos += forward ? 1 : -1;
    }
}

void DkDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    m_pos = atBeginning ? 0 : static_cast<long long>(m_ids->size()) - 1;
    if (skipDeleted)
        skipErased(atBeginning);
}

void DkDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    if (done())
        return;
    m_pos += forward ? 1 : -1;
    if (skipDeleted)
        skipErased(forward);
}

bool DkDbSymbolTableIterator::done() const
{
    return m_pos < 0 || m_pos >= static_cast<long long>(m_ids->size());
}

Dk::ErrorStatus DkDbSymbolTableIterator::getRecordId(DkDbObjectId& id) const
{
    if (done())
        return Dk::eInvalidInput;
    id = (*m_ids)[static_cast<size_t>(m_pos)];
    return Dk::eOk;
}

Dk::ErrorStatus DkDbSymbolTableIterator::openCurrent(DkDbObject*& obj, DkDb::OpenMode mode,
                                                     bool openErased, const DkRxClass* cls) const
{
    obj = nullptr;
    DkDbObjectId id;
    if (Dk::ErrorStatus es = getRecordId(id))
        return es;
    return dkdbOpenDkDbObject(obj, id, mode, openErased, cls);
}

Dk::ErrorStatus DkDbLayerTableIterator::getRecord(DkDbLayerTableRecord*& record, DkDb::OpenMode mode,
                                                  bool openErased) const
{
    DkDbObject* obj = nullptr;
    const Dk::ErrorStatus es = openCurrent(obj, mode, openErased, DkDbLayerTableRecord::desc());
    record = static_cast<DkDbLayerTableRecord*>(obj);
    return es;
}

// ---- tables ----------------------------------------------------------------

const DkRxClass* DkDbSymbolTable::desc()
{
    static const DkRxClass cls("DkDbSymbolTable", DkDbObject::desc());
    return &cls;
}

const DkRxClass* DkDbSymbolTable::isA() const
{
    return desc();
}

DkDbObjectId DkDbSymbolTable::recordId(const wchar_t* name) const
{
    if (!name)
        return {};
    const auto it = m_byName.find(name);
    return it == m_byName.end() ? DkDbObjectId() : it->second;
}

const DkRxClass* DkDbLayerTable::desc()
{
    static const DkRxClass cls("DkDbLayerTable", DkDbSymbolTable::desc());
    return &cls;
}

const DkRxClass* DkDbLayerTable::isA() const
{
    return desc();
}

Dk::ErrorStatus DkDbLayerTable::newIterator(DkDbLayerTableIterator*& iterator, bool atBeginning,
                                            bool skipDeleted) const
{
    iterator = nullptr;
    if (!isReadEnabled())
        return Dk::eWasNotOpen;
    if (database()->layerIteratorRefused())
        return Dk::eCannotOpen;
    iterator = new DkDbLayerTableIterator(database(), &recordIds());
    iterator->start(atBeginning, skipDeleted);
    return Dk::eOk;
}

const DkRxClass* DkDbLinetypeTable::desc()
{
    static const DkRxClass cls("DkDbLinetypeTable", DkDbSymbolTable::desc());
    return &cls;
}

const DkRxClass* DkDbLinetypeTable::isA() const
{
    return desc();
}
