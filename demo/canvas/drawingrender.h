#pragma once

#include "entitypainter.h"

#include <QSize>
#include <QString>

class QTextStream;

namespace Demo {

// Draws a drawing file into a PNG without a window, as the canvas shows it
// zoomed to its extents, for a look at a drawing from a script or for a
// comparison with other renderers.
class DrawingRender
{
public:
    struct Request
    {
        QString input;           // a DXF file
        QString output;          // the PNG written
        QSize size{1600, 1000};
        QString view = QStringLiteral("Top");
        PaintOptions options;
    };

    // Writes the picture and prints the area of the view it shows as
    // "extents X0 Y0 X1 Y1" (view units, y up) on out; on failure says why
    // on err and returns non-zero.
    static int run(const Request& request, QTextStream& out, QTextStream& err);
};

} // namespace Demo
