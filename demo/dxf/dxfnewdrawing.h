#pragma once

#include "drawingdata.h"
#include "dxftext.h"
#include "layertablestate.h"

#include <QByteArray>

namespace Demo {

// Writes a drawing that comes from no file (the built-in sample) as a new
// DXF R12 file: header, linetype, text style and layer tables, and the
// entities the demo draws. R12 keeps neither lineweights, plot flags nor
// true colors (a true color is written as its closest index color).
class DxfNewDrawing
{
public:
    DxfNewDrawing(const Drawing& drawing, const LayerTableState& layers);

    QByteArray write();

private:
    void pair(int code, const QByteArray& value);
    void pair(int code, double value);
    void header();
    void tables();
    void linetypeTable();
    void entity(const DrawingEntity& e);
    void points(const QVector<QPointF>& points, int first);
    void text(const DrawingEntity& e);
    QByteArray layerName(int layer) const;

    const Drawing& m_drawing;
    const LayerTableState& m_layers;
    QByteArray m_codePage;
    DxfText m_text;
    QByteArray m_out;
};

} // namespace Demo
