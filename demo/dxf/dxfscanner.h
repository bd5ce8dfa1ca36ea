#pragma once

#include "dxfentitysink.h"
#include "dxfpairreader.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <QVector>

namespace Demo {

// What the first pass learns and what it hands to dxflib.
struct DxfScan
{
    QByteArray version;
    QByteArray codePage;
    QByteArray currentLayer;
    bool haveCurrentLayer = false;
    QHash<QByteArray, bool> plottable;     // raw layer name -> plot flag
    QHash<QByteArray, int> lineWeight;     // raw layer name -> 370
    QHash<QByteArray, QByteArray> description; // raw layer name -> raw description
    QByteArray cleaned;                    // the layer table, for dxflib
    int layerRecords = 0;
};

// The first pass over a DXF file. It checks the section structure, bounds
// every name and count, writes a cleaned copy of the layer table for dxflib
// and hands each entity of the BLOCKS and ENTITIES sections to a sink. It
// also keeps the header variables and layer fields dxflib does not report.
class DxfScanner
{
public:
    DxfScanner(QIODevice& data, DxfScan& scan, DxfEntitySink& sink)
        : m_reader(data), m_scan(scan), m_sink(sink)
    {
    }

    // Empty when the file may go on to dxflib, else why not.
    QString run();
    // Whether a text value was shortened to the limit.
    bool textCut() const { return m_textCut; }

private:
    // Where the TABLES section is: which table, and the LAYER record being read.
    struct TableState
    {
        bool inTable = false;
        bool inLayerTable = false;
        bool haveRecord = false;
        QVector<DxfPair> record;
    };

    QString truncated(const QString& where) const;
    QString firstSection(DxfPair& p);
    QString section(DxfPair& p);
    void afterSection(DxfPair& p);
    QString skipSection(const QByteArray& name, DxfPair& p);
    QString header(DxfPair& p);
    QString tables(DxfPair& p);
    QString tableMarker(DxfPair& p, TableState& state);
    QString layerRecord(const QVector<DxfPair>& record);
    QString entities(DxfPair& p, bool blocks);
    QString entity(const QByteArray& type, QVector<DxfPair>& body, bool blocks);
    bool cutLongText(int code, QByteArray& value);
    void handOverLayerTable();

    DxfPairReader m_reader;
    DxfScan& m_scan;
    DxfEntitySink& m_sink;
    bool m_atEnd = false;
    bool m_layerTableHandedOver = false;
    bool m_sectionsComplete = false;
    bool m_textCut = false;
};

} // namespace Demo
