#pragma once

namespace KvCc {

/// The fields of a layer snapshot row (KvLayerUtility::getAllLayerDate).
/// The layer manager's table shows field i in column i, so the fields are
/// named as its columns; the model, the delegate, the view and the
/// operations all index cells by these names.
enum LayerColumn {
    CurrentColumn = 0,       ///< current-layer flag or mark
    NameColumn,              ///< layer name, the only editable column
    OnColumn,                ///< "true" when on
    FreezeColumn,            ///< "true" when thawed
    LockColumn,              ///< "true" when unlocked
    ColorColumn,             ///< "ll*" + display name + ";" + "r,g,b"
    LinetypeColumn,          ///< linetype name
    LineweightColumn,        ///< lineweight text, "Default" or "0.25 mm" for example
    PlotStyleColumn,         ///< plot style name
    PlotColumn,              ///< "true" when plottable
    NewViewportFreezeColumn, ///< "true" when frozen in new viewports
    ViewportFreezeColumn,    ///< "true" when frozen in the current viewport
    DescriptionColumn,       ///< free text
    LayerColumnCount         ///< the number of fields
};

} // namespace KvCc
