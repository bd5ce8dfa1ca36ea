#pragma once

#include "drawingdata.h"
#include "dxffields.h"

#include <QByteArray>

namespace Demo {

class DxfObjectCoordinates;
class DxfText;

// Decodes single entity records into drawable entities in plan
// coordinates. Layer and color are the caller's; each function fills in
// the geometry and says whether there was any to draw.
class DxfEntityReader
{
public:
    explicit DxfEntityReader(const DxfText& text) : m_text(text) {}

    bool line(const DxfFields& f, DrawingEntity& e) const;
    bool point(const DxfFields& f, DrawingEntity& e) const;
    bool circle(const DxfFields& f, DrawingEntity& e) const;
    bool arc(const DxfFields& f, DrawingEntity& e) const;
    bool ellipse(const DxfFields& f, DrawingEntity& e) const;
    // A polyline whose segments are all thin or all wide is e; one with
    // both is e, the area its wide segments cover, and lines in thin.
    bool lightPolyline(const DxfFields& f, DrawingEntity& e, QVector<DrawingEntity>& thin) const;
    bool text(const DxfFields& f, DrawingEntity& e) const;
    bool multiText(const DxfFields& f, DrawingEntity& e) const;
    // An attribute's text; false when it is invisible.
    bool attribute(const DxfFields& f, DrawingEntity& e) const;
    // A block reference; the caller looks up the block by blockName().
    bool insert(const DxfFields& f, DrawingEntity& e) const;
    // SOLID and TRACE: four corners in the order 1, 2, 4, 3.
    bool solid(const DxfFields& f, DrawingEntity& e) const;
    bool face(const DxfFields& f, DrawingEntity& e) const;
    bool leader(const DxfFields& f, DrawingEntity& e, DrawingEntity& arrow) const;
    bool spline(const DxfFields& f, DrawingEntity& e) const;
    // A multileader: its leader lines with arrowheads and its text, each
    // taking base's layer and color; false when it holds none.
    bool multiLeader(const DxfFields& f, const DrawingEntity& base, QVector<DrawingEntity>& out) const;

    QString blockName(const DxfFields& f) const;
    // Fills in e, and thin when some segments are wide and some not, as
    // lightPolyline does for a polyline of these vertices (bulges and
    // widths per vertex), in plan through ocs at the elevation.
    static void polylineShape(const QVector<QPointF>& vertices, const QVector<double>& bulges,
                              const QVector<QPointF>& widths, const DxfObjectCoordinates& ocs, double elevation,
                              DrawingEntity& e, QVector<DrawingEntity>& thin);

private:
    bool singleLineText(const DxfFields& f, int verticalCode, DrawingEntity& e) const;
    void textAlignment(const DxfFields& f, int verticalCode, DrawingEntity& e) const;
    static void attach(int attachment, DrawingEntity& e);
    static DrawingEntity arrowhead(const DrawingEntity& base, const QPointF& tip, const QPointF& toward, double size);

    const DxfText& m_text;
};

} // namespace Demo
