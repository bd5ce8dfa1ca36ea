#pragma once

#include "drawingdata.h"

#include <QColor>
#include <QRectF>
#include <QTransform>
#include <QVector>

class QPainter;

namespace Demo {

class BlockBounds;

// How the entities of one layer look at present.
struct LayerLook
{
    bool shown = false;          // on and thawed
    bool frozen = false;
    QColor color = Qt::white;
    double width = 1.0;          // pen width in pixels
    Qt::PenStyle style = Qt::SolidLine;
};

// How a picture made for comparison with other renderers differs from the
// screen's: texts as filled boxes (fonts differ between programs), and every
// line solid and one pixel wide.
struct PaintOptions
{
    bool textBoxes = false;
    bool thinLines = false;
};

// One thing put on the screen: what kind, in which color, where (pixels).
struct DrawnPrimitive
{
    DrawingEntity::Kind kind = DrawingEntity::Line;
    QColor color;
    QRectF box;
};

// Paints model space through a transform from drawing units to pixels,
// block references included: their blocks drawn at every array cell and
// nesting depth, with entities on layer "0" taking the reference's layer
// and "by block" properties taking the reference's. What lies out of view
// is passed over by its box, and a reference smaller than two pixels is
// drawn as a dot.
class EntityPainter
{
public:
    static constexpr int maxPrimitives = 2000000; // shapes and block cells per paint, whatever blocks multiply to

    EntityPainter(const Drawing& drawing, const BlockBounds& bounds, const QVector<LayerLook>& layers)
        : m_drawing(drawing), m_bounds(bounds), m_layers(layers)
    {
    }

    // Model space shows lineweights above 0.30 mm a little heavier.
    static double penWidthFor(int lineWeight);

    // Keeps a list of every primitive drawn in record, when set.
    void setRecord(QVector<DrawnPrimitive>* record) { m_record = record; }
    void setOptions(const PaintOptions& options) { m_options = options; }
    // Paints into view (pixels); returns how many model space entities showed.
    int paint(QPainter& painter, const QTransform& toScreen, const QRectF& view);

private:
    // What a block's entities take from the reference that places them.
    struct Inherited
    {
        int layer = -1;          // -1 at model space level
        QColor color;
        Qt::PenStyle style = Qt::SolidLine;
        double width = 1.0;
        int depth = 0;
    };
    struct Look
    {
        int layer = 0;
        QColor color;
        Qt::PenStyle style = Qt::SolidLine;
        double width = 1.0;
    };

    bool lookOf(const DrawingEntity& e, const Inherited& from, Look& look) const;
    bool drawEntity(const DrawingEntity& e, const QTransform& t, const Inherited& from, const QRectF& box);
    bool drawInsert(const DrawingEntity& e, const QTransform& t, const Look& look, const Inherited& from);
    void drawShape(const DrawingEntity& e, const QTransform& t, const Look& look);
    void drawCurve(const DrawingEntity& e, const QTransform& t);
    void drawText(const DrawingEntity& e, const QTransform& t);
    void drawFrame(const QRectF& frame);
    void drawFill(const DrawingEntity& e, const QTransform& t, const QColor& color);
    void setPen(const Look& look, bool solid);
    void record(DrawingEntity::Kind kind, const QRectF& box);

    const Drawing& m_drawing;
    const BlockBounds& m_bounds;
    const QVector<LayerLook>& m_layers;
    QVector<DrawnPrimitive>* m_record = nullptr;
    PaintOptions m_options;
    QPainter* m_painter = nullptr;
    QRectF m_view;
    int m_layerZero = 0;
    int m_primitives = 0;
    double m_capRatio = 0.72;    // capital height / pixel size of the font
    QColor m_rawColor;           // the last color asked for, and how it shows
    QColor m_shownColor;
    QColor m_penColor;
    double m_penWidth = -1;
    Qt::PenStyle m_penStyle = Qt::NoPen;
};

} // namespace Demo
