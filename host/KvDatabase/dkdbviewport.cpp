#include "dkdbviewport.h"

const DkRxClass* DkDbViewport::desc()
{
    static const DkRxClass cls("DkDbViewport", DkDbObject::desc());
    return &cls;
}

const DkRxClass* DkDbViewport::isA() const
{
    return desc();
}

bool DkDbViewport::isLayerFrozenInViewport(const DkDbObjectId& layerId) const
{
    return layerId.database() == database() && m_frozen.count(layerId.handle()) > 0;
}

Dk::ErrorStatus DkDbViewport::freezeLayersInViewport(const std::vector<DkDbObjectId>& layerIds)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    for (const DkDbObjectId& id : layerIds)
        m_frozen.insert(id.handle());
    return Dk::eOk;
}

Dk::ErrorStatus DkDbViewport::thawLayersInViewport(const std::vector<DkDbObjectId>& layerIds)
{
    if (Dk::ErrorStatus es = assertWriteEnabled())
        return es;
    for (const DkDbObjectId& id : layerIds)
        m_frozen.erase(id.handle());
    return Dk::eOk;
}
