#pragma once

#include "drawingdata.h"

#include <QVector>

namespace Demo {

// Whether two layers read the same in every property the demo keeps.
bool sameLayer(const DrawingLayer& a, const DrawingLayer& b);

// The layer table of an open drawing at one moment. Every layer the drawing
// has held since it was opened keeps its slot, with whether it still exists,
// so that an undo step can bring a deleted layer back where it was.
struct LayerTableState
{
    QVector<DrawingLayer> layers; // per slot
    QVector<bool> alive;          // per slot
    int current = -1;             // slot of the current layer

    bool operator==(const LayerTableState& other) const;
    bool operator!=(const LayerTableState& other) const { return !(*this == other); }
    // Slots whose layer exists in one state and not the other, or differs.
    QVector<int> changedSlots(const LayerTableState& other) const;
    bool isAlive(int slot) const { return slot >= 0 && slot < alive.size() && alive.at(slot); }
};

// What one undo step changes: the slots that differ, each on both sides,
// and the current layer's slot before and after. It holds only what
// changed, so that a long history costs what its steps changed.
struct LayerTableDelta
{
    QVector<int> changed; // slots
    QVector<DrawingLayer> before; // per entry of changed
    QVector<DrawingLayer> after;
    QVector<bool> aliveBefore;
    QVector<bool> aliveAfter;
    int currentBefore = -1;
    int currentAfter = -1;
    QString currentName; // of the current layer after

    static LayerTableDelta between(const LayerTableState& from, const LayerTableState& to);
    bool isEmpty() const { return changed.isEmpty() && currentBefore == currentAfter; }
    void add(int slot, bool wasAlive, const DrawingLayer& was, bool isAlive, const DrawingLayer& is);
};

} // namespace Demo
