#pragma once

#include "dxfpairreader.h"

#include <QByteArray>
#include <QVector>

namespace Demo {

// Receives what the first pass found, in file order: the layer table
// (before any entity), then the entities of the BLOCKS section between
// their block's start and end, then those of the ENTITIES section.
class DxfEntitySink
{
public:
    virtual ~DxfEntitySink() = default;

    // The cleaned layer table, a small DXF file of its own.
    virtual void layerTable(const QByteArray& cleaned) = 0;
    // body holds the pairs of the BLOCK record (name, base point...).
    virtual void beginBlock(const QVector<DxfPair>& body) = 0;
    virtual void endBlock() = 0;
    virtual void entity(const QByteArray& type, const QVector<DxfPair>& body) = 0;
    // Whether an entity's body holds all its pairs, or only its layer (code
    // 8): a sink that only counts objects on layers reads a polyline of a
    // million vertices without holding them.
    virtual bool needsGeometry() const { return true; }
};

} // namespace Demo
