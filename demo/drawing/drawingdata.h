#pragma once

#include "drawinglayerstate.h"
#include "entitylist.h"

#include <QColor>
#include <QHash>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

namespace Demo {


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

// A block definition: entities drawn about a base point by each reference.
struct DrawingBlock
{
    QString name;
    QPointF base;
    EntityList entities;
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
    EntityList entities;   // model space
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
