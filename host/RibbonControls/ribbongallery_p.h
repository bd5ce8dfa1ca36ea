#pragma once

#include "ribbongallery.h"

#include <QRect>
#include <QSize>

// What the gallery's own files share of its layout.
namespace JtRc {

namespace RibbonGalleryMetrics {

// Width of the column of scroll and drop buttons at the right edge.
constexpr int ControlWidth = 14;
constexpr int IconSize = 16;

} // namespace RibbonGalleryMetrics

// Where things go for the current size, group and settings.
struct RibbonGallery::Layout
{
    QRect items;
    QRect controls;
    QSize cell;
    int columns = 1;
    int rows = 0;
    int visibleRows = 1;
    bool scroll = false;
    bool popup = false;

    int lastFirstRow() const { return qMax(0, rows - visibleRows); }
};

} // namespace JtRc
