#pragma once

#include "drawingdata.h"
#include "dxffields.h"

namespace Demo {

// Decodes a HATCH record into a fill: its boundary loops made of polylines
// with bulges, or of line, arc, elliptical arc and spline edges. Counts in
// the record are never trusted: loops and edges are read as far as the
// pairs go, and a loop that comes out empty is left out.
class DxfHatchReader
{
public:
    explicit DxfHatchReader(const DxfFields& fields) : m_f(fields), m_pairs(fields.pairs()) {}

    // False when no loop holds an area.
    bool read(DrawingEntity& e);

private:
    bool at(int code) const { return m_i < m_pairs.size() && m_pairs.at(m_i).code == code; }
    double take(int code, double fallback = 0);
    QPointF takePoint(int xCode);
    void polylineLoop(QVector<QPointF>& loop);
    void edgeLoop(QVector<QPointF>& loop);
    void edge(int type, QVector<QPointF>& loop);
    void splineEdge(QVector<QPointF>& loop);

    const DxfFields& m_f;
    const QVector<DxfPair>& m_pairs;
    int m_i = 0;
};

} // namespace Demo
