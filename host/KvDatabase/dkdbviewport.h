#pragma once

#include "dkdbobject.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

// A viewport with its own set of layers frozen in it.
class KVDATABASE_EXPORT DkDbViewport : public DkDbObject
{
public:
    DkDbViewport() = default;
    static const DkRxClass* desc();
    const DkRxClass* isA() const override;

    bool isLayerFrozenInViewport(const DkDbObjectId& layerId) const;
    Dk::ErrorStatus freezeLayersInViewport(const std::vector<DkDbObjectId>& layerIds);
    Dk::ErrorStatus thawLayersInViewport(const std::vector<DkDbObjectId>& layerIds);

private:
    friend class DkDbDatabase;
    std::unordered_set<std::uint64_t> m_frozen;
};
