#pragma once

#include "kvcustomcontrol_export.h"

#include <QColor>
#include <QMetaType>
#include <QString>

namespace KvCc {

// One layer's display state, passed by value between the bridge and the
// ribbon layer widgets.
struct KVCUSTOMCONTROL_EXPORT LayerItemData
{
    bool on = false;
    bool locked = false;
    bool frozen = false;
    QColor color;
    QString name;

    bool operator==(const LayerItemData& other) const;
    bool operator!=(const LayerItemData& other) const { return !(*this == other); }
};

// Registers the record under its short name "LayerItemData", as signal
// signatures spell it, so queued connections and QSignalSpy can carry it.
KVCUSTOMCONTROL_EXPORT int registerLayerItemDataMetaType();

} // namespace KvCc

Q_DECLARE_METATYPE(KvCc::LayerItemData)
