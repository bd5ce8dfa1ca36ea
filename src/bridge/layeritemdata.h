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

// The change codes that a layer row's statusChanged(int, LayerItemData)
// carries and that the drop-down's face understands (setLabelChange).
enum LayerChangeCode {
    LayerOnChanged = 0,
    LayerFreezeChanged = 1,
    LayerLockChanged = 2,
    LayerColorChanged = 3, // understood by the face; a row never reports it
    LayerNameChanged = 4   // likewise
};

// Registers the record under its short name "LayerItemData", as signal
// signatures spell it, so queued connections and QSignalSpy can carry it.
KVCUSTOMCONTROL_EXPORT int registerLayerItemDataMetaType();

} // namespace KvCc

Q_DECLARE_METATYPE(KvCc::LayerItemData)
