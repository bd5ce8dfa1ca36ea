#pragma once

#include "dxfsaver.h"
#include "layertablestate.h"

#include <QString>
#include <QVector>

namespace Demo {

// Save bookkeeping: every layer slot as the file holds it (as read or last
// saved), and whether the file holds it at all, so that a save writes only
// the user's layer work into the file's own bytes.
class LayerSaveState
{
public:
    // The table as it stands is now what the file holds.
    void markSaved(const LayerTableState& state, const QString& currentLayer);
    // A layer added since: the file does not hold it.
    void addUnsaved(const DrawingLayer& layer);
    void clear();

    // What a save writes for the table as it now stands.
    QVector<SavedLayer> layers(const LayerTableState& now) const;
    QString savedCurrentLayer() const { return m_savedCurrent; }

private:
    QVector<DrawingLayer> m_saved; // per slot
    QVector<bool> m_inFile;        // per slot
    QString m_savedCurrent;
};

} // namespace Demo
