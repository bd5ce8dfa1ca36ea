#pragma once

#include "dxfsaver.h"
#include "layertablestate.h"

#include <QString>
#include <QVector>

#include <functional>

namespace Demo {

// Save bookkeeping: every layer slot as the file holds it (as read or last
// saved), and whether the file holds it at all, so that a save writes only
// the user's layer work into the file's own bytes.
class LayerSaveState
{
public:
    // Reads one slot of the table as it stands into layer; false when the slot's layer is erased.
    using SlotReader = std::function<bool(int slot, DrawingLayer& layer)>;

    // The table as it stands (count slots, read one at a time) is now what
    // the file holds. Slots that read the same as in likely share its copy.
    void markSaved(int slotCount, const SlotReader& read, const QString& currentLayer,
                   const QVector<DrawingLayer>& likely = {});
    // A layer added since: the file does not hold it.
    void addUnsaved(const DrawingLayer& layer);
    void clear();

    // What a save writes for the table as it now stands: the layers
    // changed, added or erased since, each slot read one at a time, so that
    // a save of a big table holds the changes, not a copy of the table.
    QVector<SavedLayer> changedLayers(int slotCount, const SlotReader& read) const;
    QString savedCurrentLayer() const { return m_savedCurrent; }

private:
    QVector<DrawingLayer> m_saved; // per slot
    QVector<bool> m_inFile;        // per slot
    QString m_savedCurrent;
};

} // namespace Demo
