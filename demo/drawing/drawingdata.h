#pragma once

#include "drawinglayerstate.h"

#include <QColor>
#include <QHash>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

namespace Demo {

// Lineweight codes for a layer or entity that has no width of its own.
enum LineWeightCode { LineWeightByLayer = -1, LineWeightByBlock = -2, LineWeightDefault = -3 };
// Whether hundredths is one of the 24 lineweights a DXF file may give
// (0 to 211); the library's lineweight lists offer the same ones.
bool isStandardLineWeight(int hundredths);

// One layer as read from a drawing, before it goes into the database.
struct DrawingLayer
{
    QString name;
    bool on = true;
    bool frozen = false;
    bool locked = false;
    bool plottable = true;
    bool frozenInNewViewports = false;
    QColor color = Qt::white;
    int colorIndex = 7;          // 0 when the color is a true color
    QString linetype = QStringLiteral("Continuous");
    int lineWeight = LineWeightDefault; // hundredths of a millimetre
    QString description;
};

// One drawable entity of model space or of a block. Coordinates are drawing
// units, y up; inside a block they are the block's own.
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

// A block definition: entities drawn about a base point by each reference.
struct DrawingBlock
{
    QString name;
    QPointF base;
    QVector<DrawingEntity> entities;
};

// Objects of each kind ("LINE", "INSERT"...), by kind name.
using ObjectCounts = QMap<QString, int>;

// Layer names are compared without regard to letter case, as in CAD: two
// names name the same layer when their keys are equal.
QString layerKey(const QString& name);

// A whole drawing as the demo shows it.
struct Drawing
{
    QString title;
    QVector<DrawingLayer> layers;  // table order
    QString currentLayer = QStringLiteral("0");
    QVector<DrawingEntity> entities;   // model space
    QVector<DrawingBlock> blocks;
    QMap<QString, int> skipped;    // entity type -> how many were not drawn
    QStringList notes;             // things the reader fixed or left out
    // $ACADVER and $DWGCODEPAGE of the file read; empty for a drawing from no file.
    QByteArray version;
    QByteArray codePage;
    // Per layer index: its objects in model space, paper space and every
    // block definition, each counted once where it is defined.
    QVector<ObjectCounts> layerObjects;
    // The named layer states the file keeps.
    DrawingLayerStates layerStates;

    int layerIndex(const QString& name) const;
    int blockIndex(const QString& name) const;
    ObjectCounts objectsOn(int layer) const;
    int objectCount(int layer) const;
    // "12 objects: 10 INSERT, 2 HATCH"; the most frequent kinds first.
    QString objectSummary(int layer) const;
    // "Not drawn: 3 ARC, 2 SPLINE" for every kind not drawn; empty for none.
    QString skippedSummary() const;
    // "3 ARC, 2 SPLINE" for the most common kinds not drawn, then how many
    // more of how many other kinds.
    QString commonSkipped(int shown) const;
    // Adds a note once; a drawing keeps at most 20.
    void noteOnce(const QString& note);

    QHash<QString, int> blockNames;    // lower-case name -> index into blocks
};

} // namespace Demo
