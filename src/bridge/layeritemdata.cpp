#include "layeritemdata.h"

namespace KvCc {

bool LayerItemData::operator==(const LayerItemData& other) const
{
    return on == other.on && locked == other.locked && frozen == other.frozen
        && color == other.color && name == other.name;
}

int registerLayerItemDataMetaType()
{
    static const int id = [] {
        qRegisterMetaType<LayerItemData>();
        return qRegisterMetaType<LayerItemData>("LayerItemData");
    }();
    return id;
}

namespace {
// Registered when the library is loaded, before any widget exists.
const int layerItemDataMetaType = registerLayerItemDataMetaType();
}

} // namespace KvCc
