#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Demo {

// A group a layer state record holds that the demo does not interpret
// (plot style, transparency, flags of other programs): code and value as
// the file spells them, written back unchanged.
using StoredGroup = QPair<int, QByteArray>;

// One layer of a named layer state, as a drawing stores it: the layer by
// its handle, so that a state survives the layer's renaming.
struct DrawingLayerStateEntry
{
    // Bits of the stored flags; the others are kept as read.
    enum Flag { Off = 0x1, Frozen = 0x2, Locked = 0x4, Plot = 0x8, NewViewportFrozen = 0x10 };

    QByteArray layer;        // the layer's handle; empty for a layer the file does not hold yet
    QString layerName;       // the layer's name when read or captured
    int flags = Plot;
    int colorIndex = 7;      // 1..255
    QColor trueColor;        // invalid when the layer has an index color
    QByteArray colorBook;    // the color book name stored with the true color, as written
    QString linetype;        // its name; empty when the stored handle names no linetype
    QByteArray linetypeHandle; // as read
    int lineWeight = -3;
    QVector<StoredGroup> other;

    bool operator==(const DrawingLayerStateEntry& o) const;
    bool operator!=(const DrawingLayerStateEntry& o) const { return !(*this == o); }
};

// A named layer state as a drawing keeps it: one record per state in the
// layer-state dictionary of the layer table.
struct DrawingLayerState
{
    // The mask bits of the properties a restore applies.
    static constexpr int propertyMask = 0xFF;

    QString name;
    QByteArray handle;       // of its record; empty for a state the file does not hold yet
    QString description;
    int mask = propertyMask;
    QString currentLayer;
    QVector<StoredGroup> other; // groups before the layers the demo does not interpret
    QVector<DrawingLayerStateEntry> layers;

    bool operator==(const DrawingLayerState& o) const;
    bool operator!=(const DrawingLayerState& o) const { return !(*this == o); }
};

// Every layer state of a drawing, and what ties the states to its layers.
struct DrawingLayerStates
{
    // Whether the file can keep states (it has an objects section and its
    // layer table a handle); a DXF R12 file cannot.
    bool storable = false;
    QVector<DrawingLayerState> states; // in the dictionary's order
    // Names the dictionary gives to records that cannot be read; they stay
    // in the file as they are and no new state may take their name.
    QStringList unreadable;
    QHash<QString, QByteArray> layerHandles; // layerKey() of a layer's name -> its handle

    // The state of that name, compared case-blind; -1 for none.
    int indexOf(const QString& name) const;
    // Whether a state or an unreadable record has that name (case-blind).
    bool nameTaken(const QString& name) const;
};

} // namespace Demo
