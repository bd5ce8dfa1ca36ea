#pragma once

namespace KvCc {

// The layout of a layer row (LayerItem), which the drop-down also uses to
// size its popup to the widest row.
namespace LayerItemMetrics {

const int leftMargin = 3;
const int spacing = 3;
const int buttonCount = 4;    // on, freeze, lock, color
const int buttonSide = 14;    // the state pictures and the color swatch
const int trailingSpace = 10; // the spacer after the name

// Width a row needs to show a name nameWidth pixels wide whole.
inline int rowWidth(int nameWidth)
{
    return leftMargin + buttonCount * (buttonSide + spacing) + nameWidth + spacing + trailingSpace;
}

} // namespace LayerItemMetrics

} // namespace KvCc
