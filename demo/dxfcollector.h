#pragma once

#include "drawingdata.h"
#include "dxfobjectcoordinates.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <dl_creationadapter.h>

namespace Demo {

class DxfText;
struct DxfScan;

// Receives what dxflib parsed from the scanner's cleaned copy and builds the
// drawing from it: layers with the fields the scan kept, and entities in
// world coordinates on the layer they name.
class DxfCollector : public DL_CreationAdapter
{
public:
    DxfCollector(const DxfScan& scan, const DxfText& text, Drawing& drawing);

    void addLayer(const DL_LayerData& data) override;
    void addPoint(const DL_PointData& d) override;
    void addLine(const DL_LineData& d) override;
    void addArc(const DL_ArcData& d) override;
    void addCircle(const DL_CircleData& d) override;
    // Light-weight polylines get their vertices right after addPolyline and
    // no end of sequence, so a polyline ends with the next entity too.
    void addPolyline(const DL_PolylineData& d) override;
    void addVertex(const DL_VertexData& d) override;
    void endSequence() override;
    void addText(const DL_TextData& d) override;
    void addMText(const DL_MTextData& d) override;

    // Adds the polyline being read, if any; call once dxflib is done.
    void flushPolyline();

private:
    DrawingEntity start(DrawingEntity::Kind kind);
    void finish(const DrawingEntity& e);
    int layerFor(const QByteArray& raw);
    void noteOnce(const QString& note);

    const DxfScan& m_scan;
    const DxfText& m_text;
    Drawing& m_drawing;
    QHash<QString, int> m_index;        // lower-case name -> layer index
    QHash<QByteArray, int> m_rawIndex;  // raw name as entities spell it -> layer index
    DrawingEntity m_polyline;
    DxfObjectCoordinates m_polylineOcs{nullptr};
    double m_polylineElevation = 0;
    bool m_inPolyline = false;
};

} // namespace Demo
