#pragma once

#include <QByteArray>

// Writes small ASCII DXF files for tests, group by group, the way a CAD
// program lays them out.
class DxfWriter
{
public:
    DxfWriter& pair(int code, const QByteArray& value)
    {
        m_data += QByteArray::number(code).rightJustified(3, ' ') + '\n' + value + '\n';
        return *this;
    }
    DxfWriter& pair(int code, double value) { return pair(code, QByteArray::number(value, 'g', 12)); }
    // A header with the version and, unless empty, the current layer.
    DxfWriter& header(const QByteArray& version, const QByteArray& currentLayer = QByteArray())
    {
        pair(0, "SECTION").pair(2, "HEADER").pair(9, "$ACADVER").pair(1, version);
        if (!currentLayer.isEmpty())
            pair(9, "$CLAYER").pair(8, currentLayer);
        return endSection();
    }
    // The table's count says 1 whatever it holds: readers must not trust it.
    DxfWriter& beginLayerTable()
    {
        return pair(0, "SECTION").pair(2, "TABLES").pair(0, "TABLE").pair(2, "LAYER").pair(70, "1");
    }
    // A layer record; a negative color means off, trueColor < 0 none.
    DxfWriter& layer(const QByteArray& name, int flags, int color, const QByteArray& linetype = "CONTINUOUS",
                     int lineWeight = -3, int trueColor = -1, bool plot = true)
    {
        pair(0, "LAYER").pair(100, "AcDbSymbolTableRecord").pair(100, "AcDbLayerTableRecord").pair(2, name);
        pair(70, QByteArray::number(flags)).pair(62, QByteArray::number(color)).pair(6, linetype);
        if (trueColor >= 0)
            pair(420, QByteArray::number(trueColor));
        if (!plot)
            pair(290, "0");
        return pair(370, QByteArray::number(lineWeight));
    }
    DxfWriter& endLayerTable() { return pair(0, "ENDTAB").endSection(); }
    DxfWriter& beginEntities() { return pair(0, "SECTION").pair(2, "ENTITIES"); }
    DxfWriter& line(const QByteArray& layer, double x1, double y1, double x2, double y2, int color = 256)
    {
        pair(0, "LINE").pair(8, layer);
        if (color != 256)
            pair(62, QByteArray::number(color));
        return pair(10, x1).pair(20, y1).pair(30, 0.0).pair(11, x2).pair(21, y2).pair(31, 0.0);
    }
    DxfWriter& beginBlock(const QByteArray& name, double baseX = 0, double baseY = 0)
    {
        return pair(0, "BLOCK").pair(8, "0").pair(2, name).pair(70, "0").pair(10, baseX).pair(20, baseY).pair(30, 0.0);
    }
    DxfWriter& endBlock() { return pair(0, "ENDBLK").pair(8, "0"); }
    // A block reference; the pairs after it (color, scale, array...) are the caller's.
    DxfWriter& insert(const QByteArray& layer, const QByteArray& block, double x, double y)
    {
        return pair(0, "INSERT").pair(8, layer).pair(2, block).pair(10, x).pair(20, y).pair(30, 0.0);
    }
    DxfWriter& circle(const QByteArray& layer, double x, double y, double r)
    {
        return pair(0, "CIRCLE").pair(8, layer).pair(10, x).pair(20, y).pair(30, 0.0).pair(40, r);
    }
    DxfWriter& endSection() { return pair(0, "ENDSEC"); }
    DxfWriter& end() { return pair(0, "EOF"); }

    QByteArray data(bool crlf = false) const { return crlf ? QByteArray(m_data).replace("\n", "\r\n") : m_data; }

private:
    QByteArray m_data;
};
