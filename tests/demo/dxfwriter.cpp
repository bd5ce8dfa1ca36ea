#include "dxfwriter.h"

DxfWriter& DxfWriter::pair(int code, const QByteArray& value)
{
    m_pairs.append(qMakePair(code, value));
    return *this;
}

DxfWriter& DxfWriter::layer(const QByteArray& name, int flags, int color, const QByteArray& linetype, int lineWeight,
                            int trueColor, bool plot)
{
    pair(0, "LAYER").pair(100, "AcDbSymbolTableRecord").pair(100, "AcDbLayerTableRecord");
    pair(2, name).pair(70, QByteArray::number(flags)).pair(62, QByteArray::number(color)).pair(6, linetype);
    if (trueColor >= 0)
        pair(420, QByteArray::number(trueColor));
    if (!plot)
        pair(290, "0");
    return pair(370, QByteArray::number(lineWeight));
}

DxfWriter& DxfWriter::line(const QByteArray& layer, double x1, double y1, double x2, double y2, int color)
{
    pair(0, "LINE").pair(8, layer);
    if (color != 256)
        pair(62, QByteArray::number(color));
    return pair(10, x1).pair(20, y1).pair(30, 0.0).pair(11, x2).pair(21, y2).pair(31, 0.0);
}

QByteArray DxfWriter::data(bool crlf) const
{
    const QByteArray eol = crlf ? "\r\n" : "\n";
    QByteArray out;
    for (const auto& p : m_pairs) {
        out += QByteArray::number(p.first).rightJustified(3, ' ');
        out += eol;
        out += p.second;
        out += eol;
    }
    return out;
}
