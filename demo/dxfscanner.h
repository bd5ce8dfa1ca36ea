#pragma once

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
    QByteArray cleaned;
    QMap<QString, int> skipped;
    int layerRecords = 0;
    int entities = 0;
};

// The first pass over a DXF file. It checks the section structure, bounds
// every name, count and value dxflib would act on, and writes a cleaned copy
// holding only the layer table and the model space entities the viewer
// draws. It also keeps the header variables and layer fields dxflib does
// not report.
class DxfScanner
{
public:
    DxfScanner(const QByteArray& data, DxfScan& scan) : m_reader(data), m_scan(scan) {}

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

    // The fields of an entity that decide whether it is passed on.
    struct EntityFacts
    {
        bool paperSpace = false;
        int flags = 0;
        int vertexCount = 0;
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
    QString entities(DxfPair& p);
    QString entity(const QByteArray& type, const QVector<DxfPair>& body);
    QString readFacts(const QVector<DxfPair>& body, EntityFacts& facts) const;
    bool leaveOut(const QByteArray& type, const EntityFacts& facts);
    void emitEntity(const QByteArray& type, const QVector<DxfPair>& body, int vertexCount);
    bool cleanValue(int code, QByteArray& value);

    DxfPairReader m_reader;
    DxfScan& m_scan;
    bool m_atEnd = false;
    bool m_sectionsComplete = false;
    bool m_textCut = false;
    // The vertices of a left-out polyline are left out with it.
    bool m_skippingPolyline = false;
};

} // namespace Demo
