#pragma once

#include "layertablestate.h"

namespace Demo {

class HostLayerTable;

// Undo snapshots of the layer table: reads the table's state by slot and
// brings the slots an undo step changed to one side of it.
class LayerSnapshots
{
public:
    static LayerTableState take(const HostLayerTable& table);
    // The same, reading only the layers whose records changed after the
    // earlier state was taken at the database's change count `takenAt`.
    static LayerTableState take(const HostLayerTable& table, const LayerTableState& earlier,
                                unsigned long long takenAt);
    // Brings the delta's slots to its after (or before) side and sets that
    // side's current layer: creates, erases, renames and changes layers.
    static void restore(HostLayerTable& table, const LayerTableDelta& delta, bool after);
};

} // namespace Demo
