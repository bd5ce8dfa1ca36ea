#pragma once

#include "kvcustomcontrol_export.h"

#include <QColor>
#include <QPixmap>

/// \file
/// The small pictures beside the texts of property lists and layer rows.

/// 14 x 14: a square of color with a black outline, on transparent.
KVCUSTOMCONTROL_EXPORT QPixmap creatColorPix(QColor color);
/// 48 x 16: a black horizontal line of the given pen width.
KVCUSTOMCONTROL_EXPORT QPixmap drawLineWeight(double width);
/// 48 x 16: a black horizontal line of width 1 in the given style.
KVCUSTOMCONTROL_EXPORT QPixmap drawLineType(Qt::PenStyle style);
