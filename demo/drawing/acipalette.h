#pragma once

#include <QColor>

namespace Demo {

// The standard 256-entry index color palette of CAD drawings. Index 0
// (by block) and 256 (by layer) have no color of their own and give white,
// as does anything outside 1..255.
QColor aciColor(int index);

// The lowest index whose color is exactly color; 0 when there is none.
int aciIndexOf(const QColor& color);

// The index whose color comes closest to color (for readers that know no
// true color).
int nearestAciIndex(const QColor& color);

// A true color as stored in group code 420 (0x00RRGGBB).
QColor trueColor(int value);

} // namespace Demo
