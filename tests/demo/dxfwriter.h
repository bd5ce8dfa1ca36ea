#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Writes small ASCII DXF files for tests, group by group, the way a CAD
// program lays them out.
class DxfWriter
{
public:
    DxfWriter& pair(int code, const QByteArray& value);
    DxfWriter& pair(int code, double value) { return pair(code, QByteArray::number(value, 'g', 12)); }
    DxfWriter& beginHeader() { return pair(0, "SECTION").pair(2, "HEADER"); }
    DxfWriter& variable(const QByteArray& name, int code, const QByteArray& value)
    {
        return pair(9, name).pair(code, value);
    }
    DxfWriter& endSection() { return pair(0, "ENDSEC"); }
    DxfWriter& beginLayerTable() { return pair(0, "SECTION").pair(2, "TABLES").pair(0, "TABLE").pair(2, "LAYER"); }
    // A layer record; color < 0 means off.
    DxfWriter& layer(const QByteArray& name, int flags, int color, const QByteArray& linetype = "CONTINUOUS",
                     int lineWeight = -3, int trueColor = -1, bool plot = true);
    DxfWriter& endLayerTable() { return pair(0, "ENDTAB").pair(0, "ENDSEC"); }
    DxfWriter& beginEntities() { return pair(0, "SECTION").pair(2, "ENTITIES"); }
    DxfWriter& line(const QByteArray& layer, double x1, double y1, double x2, double y2, int color = 256);
    DxfWriter& end() { return pair(0, "EOF"); }

    QByteArray data(bool crlf = false) const;

private:
    QList<QPair<int, QByteArray>> m_pairs;
};
