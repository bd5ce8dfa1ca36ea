#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QVector>

#include <vector>

namespace Demo {

// Lineweight codes for a layer or entity that has no width of its own.
enum LineWeightCode { LineWeightByLayer = -1, LineWeightByBlock = -2, LineWeightDefault = -3 };
// Whether hundredths is one of the 24 lineweights a DXF file may give
// (0 to 211); the library's lineweight lists offer the same ones.
bool isStandardLineWeight(int hundredths);

// One drawable entity of model space or of a block, decoded: what a reader
// builds and a painter reads; lists keep it packed (EntityList). Coordinates
// are drawing units, y up; inside a block they are the block's own.
struct DrawingEntity
{
    // Curves (ellipses, splines, bulged polylines, leaders) arrive as
    // polylines; solids, traces, faces and hatches as fills.
    enum Kind { Line, Polyline, Circle, Arc, Point, Text, Insert, Fill };
    Kind kind = Line;
    int layer = 0;               // index into Drawing::layers
    QColor color;                // invalid: by layer, or by block when colorByBlock
    bool colorByBlock = false;
    QString linetype;            // empty: by layer; "BYBLOCK": the reference's
    int lineWeight = LineWeightByLayer;
    QVector<QPointF> points;     // line ends, vertices, centre, insertion point, fill outline
    bool closed = false;
    double radius = 0.0;
    double startAngle = 0.0;     // degrees, counter-clockwise
    double endAngle = 0.0;
    double height = 0.0;         // text height
    double rotation = 0.0;       // text or block rotation, degrees
    QString text;                // lines separated by '\n'
    double wrapWidth = 0.0;      // a multiline text's lines wrap at this width; 0: they do not
    double frameGap = -1.0;      // a framed text's frame stands this far around its lines; negative: none
    // Aligned and fit texts run from their first point to their second,
    // which points hold: aligned ones keep their proportions, fit ones their height.
    enum HAlign { Left, Center, Right, Aligned = 3, Fit = 5 };
    enum VAlign { Baseline, Bottom, Middle, Top };
    HAlign hAlign = Left;        // how the text sits on its point
    VAlign vAlign = Baseline;
    // A block reference: which block, its scale, and its column and row
    // array; a text's width factor is its scale in x.
    int block = -1;              // index into Drawing::blocks
    QPointF scale{1, 1};
    int columns = 1;
    int rows = 1;
    QPointF spacing;             // column and row distance, before rotation
    std::vector<DrawingEntity> attributes; // attribute texts, in world coordinates
    // A fill: points hold its loops one after another, loops their sizes.
    QVector<int> loops;
    bool patterned = false;      // a pattern hatch, shown as boundary and light fill
};

} // namespace Demo
