#pragma once

#include "kvcustomcontrol_export.h"
#include "layeritemdata.h"

#include <QList>
#include <QString>
#include <QStringList>

/// \file
/// The layer bridge and the free helpers the widgets share with the host.

class DkDbDatabase;
class DkDbLayerTableRecord;

/// The road from the widgets to the layers of the host's current drawing.
/// Stateless: create a temporary, call one member, drop it. Every call opens
/// the database objects it needs and closes them before it returns.
class KVCUSTOMCONTROL_EXPORT KvLayerUtility
{
public:
    /// Creates a bridge; it holds no state.
    KvLayerUtility() = default;
    virtual ~KvLayerUtility();

    /// One record per layer in table order; the caller deletes the list. Never null.
    QList<KvCc::LayerItemData>* getAllLayer();
    /// Fills out with the current layer; false (out unchanged) when it cannot be read.
    bool getCurrentLayer(KvCc::LayerItemData& out);

    /// Each setter switches one flag of the layer with exactly this name and
    /// returns true when the layer exists and holds the requested value once
    /// its record is closed again; false when it is missing or the host refused.
    ///@{
    bool setLayerOff(QString name, bool on);
    bool setLayerLock(QString name, bool locked);
    bool setLayerFrozen(QString name, bool frozen);
    bool setLayerPlot(QString name, bool plottable);
    ///@}

    /// Kept for hosts that call them; they change nothing.
    ///@{
    void setCurrenLayer(KvCc::LayerItemData data);
    void setLayerByData(KvCc::LayerItemData data);
    ///@}

    /// True when the system variable TILEMODE reads 1.
    bool isModelSpace();

    /// Appends one row of 13 texts per layer to rows; returns how many.
    int getAllLayerDate(QList<QStringList>& rows);
};

/// Refreshed by every query: the current drawing, or null.
KVCUSTOMCONTROL_EXPORT extern DkDbDatabase* pCurDb;

/// Refreshes pCurDb from the host and returns it: the current drawing, or null.
KVCUSTOMCONTROL_EXPORT DkDbDatabase* getCurrentDb();
/// The layer with exactly this name, left open for read; the caller closes it.
KVCUSTOMCONTROL_EXPORT DkDbLayerTableRecord* getLayerByName(QString name);
/// Entry of the 32-entry lineweight table; -1 above 31.
KVCUSTOMCONTROL_EXPORT int lineWeightByIndex(char index);
/// Display text of a lineweight (or, with byIndex, of a table index).
KVCUSTOMCONTROL_EXPORT QString StringByLineWeight(int value, bool byIndex);
