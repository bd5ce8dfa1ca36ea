#pragma once

#include "kvcustomcontrol_export.h"
#include "layersnapshotrow.h"

#include <QColor>
#include <QString>
#include <QStringList>

class QVariant;

namespace KvCc {

/// What the current-layer cell of a row made current in the table holds;
/// the delegate draws it as the current-layer mark.
const char* const currentLayerMark = ":/IDB_LSTATE_CURRENT.png";

/// Item data roles of the layer table beside the display text.
enum LayerTableRole {
    /// On the name cell: the name of the drawing's layer the row was loaded
    /// from. Rows made in the palette have none, so state clicks on them
    /// change nothing in the drawing, and a renamed row still writes to the
    /// layer it came from.
    LoadedNameRole = Qt::UserRole + 1
};

/// The 13 header labels, one list shared by every layer table of the process.
KVCUSTOMCONTROL_EXPORT const QStringList& layerTableHeaders();

/// A flag cell reads true unless it is empty, "0" or "false" in any case,
/// so "true", a resource path and a boolean written back by a click all count.
KVCUSTOMCONTROL_EXPORT bool layerCellIsTrue(const QVariant& value);

/// A color cell taken apart: the display name between the first "*" and the
/// last ";", and the color from the comma-separated components after that
/// ";" (missing or unreadable components count as 0). A text without ";" is
/// only a name; it gives that named color when Qt knows the name, else black.
struct KVCUSTOMCONTROL_EXPORT LayerColorText
{
    /// The display name, "Red" for example.
    QString name;
    /// The color of the cell.
    QColor color;
};

/// Takes a color cell's text apart (see LayerColorText).
KVCUSTOMCONTROL_EXPORT LayerColorText parseLayerColorText(const QString& text);

} // namespace KvCc
