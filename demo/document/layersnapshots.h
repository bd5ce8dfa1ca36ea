#pragma once

#include "layertablestate.h"

namespace Demo {

class HostLayerTable;

// Undo snapshots of the layer table: reads the table's state by slot and
// brings the table back to a state read earlier.
class LayerSnapshots
{
public:
    static LayerTableState take(const HostLayerTable& table);
    // Creates, erases, renames and changes layers and sets the current one.
    static void restore(HostLayerTable& table, const LayerTableState& state);
};

} // namespace Demo
