#pragma once

#include <QColor>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Demo {

// Lineweight codes for a layer or entity that has no width of its own.
enum LineWeightCode { LineWeightByLayer = -1, LineWeightByBlock = -2, LineWeightDefault = -3 };

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

// One drawable entity in model space. Coordinates are drawing units, y up.
struct DrawingEntity
{
    enum Kind { Line, Polyline, Circle, Arc, Point, Text };
    Kind kind = Line;
    int layer = 0;               // index into Drawing::layers
    QColor color;                // invalid: by layer
    QVector<QPointF> points;     // line ends, polyline vertices, centre, insertion point
    bool closed = false;
    double radius = 0.0;
    double startAngle = 0.0;     // degrees, counter-clockwise
    double endAngle = 0.0;
    double height = 0.0;         // text height
    double rotation = 0.0;       // text rotation, degrees
    QString text;                // lines separated by '\n'
    enum HAlign { Left, Center, Right };
    enum VAlign { Baseline, Bottom, Middle, Top };
    HAlign hAlign = Left;        // how the text sits on its point
    VAlign vAlign = Baseline;
};

// A whole drawing as the demo shows it.
struct Drawing
{
    QString title;
    QVector<DrawingLayer> layers;  // table order
    QString currentLayer = QStringLiteral("0");
    QVector<DrawingEntity> entities;
    QMap<QString, int> skipped;    // entity type -> how many were not drawn
    QStringList notes;             // things the reader fixed or left out

    int layerIndex(const QString& name) const;
};

} // namespace Demo
