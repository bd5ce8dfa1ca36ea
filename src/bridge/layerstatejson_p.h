#pragma once

#include "kvlayerstate.h"

namespace KvCc {

// The JSON form of a layer state: an object tagged "kvcc-layer-state" with a
// format version, the state's fields and one object per layer.
QByteArray layerStateToJson(const LayerState& state);
// Reads that form, bounding every size before it is taken; on failure error
// tells why (translated) and out may hold part of the state.
bool layerStateFromJson(const QByteArray& data, LayerState& out, QString& error);

} // namespace KvCc
