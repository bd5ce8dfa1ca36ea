#pragma once

#include "kvcustomcontrol_export.h"

#include <QColor>
#include <QMetaType>
#include <QString>

/// The library's widgets, dialogs and helpers. The layer bridge KvLayerUtility
/// and the swatch painters stay in the global namespace, where hosts call them.
namespace KvCc {

/// One layer's display state, passed by value between the bridge and the
/// ribbon layer widgets.
struct KVCUSTOMCONTROL_EXPORT LayerItemData
{
    /// True when the layer is on (shown).
    bool on = false;
    /// True when the layer is locked against edits.
    bool locked = false;
    /// True when the layer is frozen (neither shown nor regenerated).
    bool frozen = false;
    /// The layer's color.
    QColor color;
    /// The layer's name, unique in the drawing.
    QString name;

    /// Equal when every field is equal.
    bool operator==(const LayerItemData& other) const;
    /// The opposite of operator==().
    bool operator!=(const LayerItemData& other) const { return !(*this == other); }
};

/// The change codes that a layer row's statusChanged(int, LayerItemData)
/// carries and that the drop-down's face understands (setLabelChange).
enum LayerChangeCode {
    LayerOnChanged = 0,
    LayerFreezeChanged = 1,
    LayerLockChanged = 2,
    LayerColorChanged = 3, ///< understood by the face; a row never reports it
    LayerNameChanged = 4   ///< likewise
};

/// Registers the record under its short name "LayerItemData", as signal
/// signatures spell it, so queued connections and QSignalSpy can carry it.
KVCUSTOMCONTROL_EXPORT int registerLayerItemDataMetaType();

} // namespace KvCc

Q_DECLARE_METATYPE(KvCc::LayerItemData)
