#pragma once

#include "drawingdata.h"
#include "dxfentityreader.h"
#include "dxfentitysink.h"
#include "dxftext.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <dl_creationadapter.h>

namespace Demo {

struct DxfScan;

// Builds the drawing from what the first pass hands on: the layer table
// through dxflib, then block definitions and model space entities on the
// layer they name. Every entity is counted on its layer, drawn or not.
class DxfCollector : public DL_CreationAdapter, public DxfEntitySink
{
public:
    // The scan's header variables must be read by the time the layer table
    // comes. With countOnly, entities are counted on their layers and
    // nothing more: what a layer edit needs, without the geometry.
    DxfCollector(const DxfScan& scan, Drawing& drawing, bool countOnly = false);

    void addLayer(const DL_LayerData& data) override;

    void layerTable(const QByteArray& cleaned) override;
    void beginBlock(const QVector<DxfPair>& body) override;
    void endBlock() override;
    void entity(const QByteArray& type, const QVector<DxfPair>& body) override;
    bool needsGeometry() const override { return !m_countOnly; }

    // Ends what is still open and ties block references to their blocks;
    // call once the scan is done. Empty on success, else why dxflib failed.
    QString finish();

private:
    DrawingEntity start(const DxfFields& f);
    bool decode(const QByteArray& type, const DxfFields& f, DrawingEntity& e);
    void startPolyline(const DxfFields& f, const DrawingEntity& e);
    bool reference(const QByteArray& type, const DxfFields& f, DrawingEntity& e);
    void add(const DrawingEntity& e);
    void addAll(const QVector<DrawingEntity>& parts);
    void flushSequence();
    void countObject(const QByteArray& type, int layer);
    int layerFor(const QByteArray& raw);

    const DxfScan& m_scan;
    DxfText m_text;
    const DxfEntityReader m_reader;
    Drawing& m_drawing;
    QString m_error;
    QHash<QString, int> m_index;        // layerKey() of the name -> layer index
    QHash<QByteArray, int> m_rawIndex;  // raw name as entities spell it -> layer index
    QSet<QString> m_linetypeNames;      // the linetype names layers name, one copy each
    QHash<QByteArray, QString> m_kindNames; // entity type -> its name, one copy each
    EntityList* m_target = nullptr; // model space or the block being read
    bool m_paperSpace = false;          // the block being read is a paper space layout
    bool m_inBlock = false;
    const bool m_countOnly;
    int m_drawable = 0;
    // A polyline waits for its vertices, a block reference for its attributes.
    DrawingEntity m_sequence;
    bool m_inSequence = false;
    double m_polylineElevation = 0;
    double m_polylineExtrusion[3] = {0, 0, 1};
    QVector<double> m_bulges;
    QVector<QPointF> m_widths;   // start and end width of each vertex's segment
    QPointF m_defaultWidths;
};

} // namespace Demo
