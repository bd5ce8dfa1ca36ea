#include "samplefloorplan.h"

#include "acipalette.h"

#include <cmath>

namespace Demo {
namespace {

// Appends layers and entities to a drawing, each entity on the layer last
// named by use().
class Builder
{
public:
    explicit Builder(Drawing& d) : m_d(d) {}
    ~Builder() { flush(); }
    Q_DISABLE_COPY(Builder)

    void layer(const QString& name, int aci, int lineWeight, const QString& linetype = QStringLiteral("Continuous"))
    {
        DrawingLayer l;
        l.name = name;
        l.colorIndex = aci;
        l.color = aciColor(aci);
        l.lineWeight = lineWeight;
        l.linetype = linetype;
        m_d.layers.append(l);
    }
    DrawingLayer& last() { return m_d.layers.last(); }
    void use(const QString& name) { m_layer = m_d.layerIndex(name); }

    void line(double x1, double y1, double x2, double y2)
    {
        add(DrawingEntity::Line, {QPointF(x1, y1), QPointF(x2, y2)});
    }
    void rect(double x, double y, double w, double h)
    {
        add(DrawingEntity::Polyline, {QPointF(x, y), QPointF(x + w, y), QPointF(x + w, y + h), QPointF(x, y + h)})
            .closed = true;
    }
    void poly(const QVector<QPointF>& pts, bool closed)
    {
        add(DrawingEntity::Polyline, pts).closed = closed;
    }
    void circle(double x, double y, double r)
    {
        add(DrawingEntity::Circle, {QPointF(x, y)}).radius = r;
    }
    void arc(double x, double y, double r, double a1, double a2)
    {
        DrawingEntity& e = add(DrawingEntity::Arc, {QPointF(x, y)});
        e.radius = r;
        e.startAngle = a1;
        e.endAngle = a2;
    }
    void point(double x, double y)
    {
        add(DrawingEntity::Point, {QPointF(x, y)});
    }
    void text(double x, double y, double h, const QString& s, double rotation = 0)
    {
        DrawingEntity& e = add(DrawingEntity::Text, {QPointF(x, y)});
        e.height = h;
        e.text = s;
        e.rotation = rotation;
    }
    // A door leaf of width w hinged at (x, y), opening towards angle a.
    void door(double x, double y, double w, double a, double sweep)
    {
        const double rad = a * M_PI / 180.0;
        line(x, y, x + w * std::cos(rad), y + w * std::sin(rad));
        arc(x, y, w, sweep > 0 ? a : a + sweep, sweep > 0 ? a + sweep : a);
    }

private:
    // Starts an entity on the layer in use, to be finished through the
    // reference; it is appended when the next one starts.
    DrawingEntity& add(DrawingEntity::Kind kind, const QVector<QPointF>& points)
    {
        flush();
        m_pending = DrawingEntity();
        m_pending.kind = kind;
        m_pending.layer = std::max(0, m_layer);
        m_pending.points = points;
        m_started = true;
        return m_pending;
    }
    void flush()
    {
        if (m_started)
            m_d.entities.append(m_pending);
        m_started = false;
    }

    Drawing& m_d;
    int m_layer = 0;
    DrawingEntity m_pending;
    bool m_started = false;
};

// The layer table: colors, lineweights, linetypes and states of every kind.
void addLayers(Builder& b)
{
    b.layer(QStringLiteral("0"), 7, LineWeightDefault);
    b.layer(QStringLiteral("A-WALL"), 7, 50);
    b.layer(QStringLiteral("A-WALL-PRTN"), 8, 35);
    b.layer(QStringLiteral("A-DOOR"), 3, 25);
    b.layer(QStringLiteral("A-GLAZ"), 4, 18);
    b.layer(QStringLiteral("A-FURN"), 30, 18);
    b.layer(QStringLiteral("A-FLOR-PATT"), 253, 9);
    b.last().on = false;
    b.layer(QStringLiteral("A-ANNO-TEXT"), 2, 25);
    b.layer(QStringLiteral("A-ANNO-DIMS"), 1, 18);
    b.layer(QStringLiteral("A-AREA"), 6, 13);
    b.last().frozen = true;
    b.layer(QStringLiteral("S-GRID"), 251, 13, QStringLiteral("DASHDOT"));
    b.last().locked = true;
    b.layer(QStringLiteral("S-COLS"), 5, 50);
    b.layer(QStringLiteral("E-LITE"), 40, 18);
    b.layer(QStringLiteral("E-POWR"), 0, 18);
    b.last().color = QColor(255, 128, 64);
    b.last().frozen = true;
    b.layer(QStringLiteral("P-FIXT"), 150, 25);
    b.layer(QStringLiteral("M-HVAC"), 92, 25, QStringLiteral("HIDDEN"));
    b.last().on = false;
    b.last().frozen = true;
    b.last().locked = true;
    b.layer(QStringLiteral("Мебель-кухня"), 0, 25);
    b.last().color = QColor(196, 120, 255);
    b.layer(QStringLiteral("A-ROOF"), 211, 35, QStringLiteral("HIDDEN"));
    b.layer(QStringLiteral("C-SITE"), 94, 25);
    b.last().locked = true;
    b.layer(QStringLiteral("Defpoints"), 7, LineWeightDefault);
    b.last().plottable = false;
    b.layer(QStringLiteral("VIEWPORT"), 9, LineWeightDefault);
    b.last().plottable = false;
    b.last().on = false;
}

// Site boundary, garden path and trees.
void drawSite(Builder& b)
{
    b.use(QStringLiteral("C-SITE"));
    b.rect(-3.0, -3.0, 18.0, 14.0);
    b.poly({QPointF(5.6, -3.0), QPointF(5.6, -0.2), QPointF(6.6, -0.2), QPointF(6.6, -3.0)}, false);
    b.circle(-1.5, 9.0, 1.1);
    b.circle(13.6, 9.5, 0.8);
    b.circle(13.2, -1.6, 0.9);
}

// Outer walls and partitions.
void drawWalls(Builder& b)
{
    // Outer walls: 12 x 8 m, 0.3 m thick, open at the entrance between x 5.6 and 6.5.
    b.use(QStringLiteral("A-WALL"));
    b.poly({QPointF(5.6, 0.0), QPointF(0.0, 0.0), QPointF(0.0, 8.0), QPointF(12.0, 8.0), QPointF(12.0, 0.0),
            QPointF(6.5, 0.0)},
           false);
    b.poly({QPointF(5.6, 0.3), QPointF(0.3, 0.3), QPointF(0.3, 7.7), QPointF(11.7, 7.7), QPointF(11.7, 0.3),
            QPointF(6.5, 0.3)},
           false);
    b.line(5.6, 0.0, 5.6, 0.3);
    b.line(6.5, 0.0, 6.5, 0.3);
    // Partitions.
    b.use(QStringLiteral("A-WALL-PRTN"));
    b.line(5.0, 0.3, 5.0, 3.2);
    b.line(5.1, 0.3, 5.1, 3.2);
    b.line(5.0, 4.1, 5.0, 7.7);
    b.line(5.1, 4.1, 5.1, 7.7);
    b.line(5.1, 4.5, 7.9, 4.5);
    b.line(5.1, 4.6, 7.9, 4.6);
    b.line(8.8, 4.5, 11.7, 4.5);
    b.line(8.8, 4.6, 11.7, 4.6);
    b.line(8.6, 4.6, 8.6, 7.7);
    b.line(8.7, 4.6, 8.7, 7.7);
}

// Doors and windows.
void drawOpenings(Builder& b)
{
    // Doors.
    b.use(QStringLiteral("A-DOOR"));
    b.door(5.6, 0.0, 0.9, 90, -90);
    b.door(5.05, 3.2, 0.9, 90, 90);
    b.door(7.9, 4.55, 0.9, 180, -90);
    b.door(8.65, 4.6, 0.8, 0, 90);
    // Windows: three lines across the wall.
    b.use(QStringLiteral("A-GLAZ"));
    const double windows[][2] = {{1.2, 3.2}, {7.0, 9.0}, {9.8, 11.2}};
    for (const auto& w : windows) {
        b.line(w[0], 0.0, w[0], 0.3);
        b.line(w[1], 0.0, w[1], 0.3);
        b.line(w[0], 0.15, w[1], 0.15);
        b.line(w[0], 8.0, w[0], 7.7);
        b.line(w[1], 8.0, w[1], 7.7);
        b.line(w[0], 7.85, w[1], 7.85);
    }
    b.line(0.0, 4.5, 0.3, 4.5);
    b.line(0.0, 6.5, 0.3, 6.5);
    b.line(0.15, 4.5, 0.15, 6.5);
}

// Furniture of each room and the bathroom fixtures.
void drawFurniture(Builder& b)
{
    // Living room furniture.
    b.use(QStringLiteral("A-FURN"));
    b.rect(0.8, 5.4, 2.2, 0.9);      // sofa
    b.rect(0.8, 5.4, 2.2, 0.25);
    b.rect(1.3, 3.9, 1.2, 0.7);      // coffee table
    b.circle(3.6, 2.0, 0.55);        // dining table
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2 + M_PI / 4;
        b.rect(3.6 + 0.85 * std::cos(a) - 0.2, 2.0 + 0.85 * std::sin(a) - 0.2, 0.4, 0.4);
    }
    b.rect(9.2, 5.2, 1.6, 2.0);      // bed
    b.rect(9.35, 6.75, 0.6, 0.35);
    b.rect(10.05, 6.75, 0.6, 0.35);
    // Kitchen on the Cyrillic layer.
    b.use(QStringLiteral("Мебель-кухня"));
    b.rect(5.1, 6.95, 3.5, 0.6);
    b.rect(5.4, 7.0, 0.8, 0.5);
    b.circle(7.6, 7.25, 0.18);
    b.circle(7.6, 7.25, 0.09);
    b.rect(5.6, 5.3, 1.8, 0.9);
    // Bathroom fixtures.
    b.use(QStringLiteral("P-FIXT"));
    b.rect(10.0, 0.4, 1.6, 0.75);    // bath
    b.arc(11.2, 0.78, 0.28, 90, 270);
    b.rect(8.0, 0.45, 0.5, 0.4);     // basin
    b.circle(8.25, 0.7, 0.15);
    b.rect(9.0, 0.4, 0.4, 0.2);      // toilet
    b.arc(9.2, 0.95, 0.25, 0, 360);
}

// Floor tiles in the bathroom, on a layer that is off.
void drawFloorPattern(Builder& b)
{
    b.use(QStringLiteral("A-FLOR-PATT"));
    for (double x = 7.8; x < 11.7; x += 0.6)
        b.line(x, 0.3, x, 4.5);
    for (double y = 0.6; y < 4.5; y += 0.6)
        b.line(7.8, y, 11.7, y);
}

// Structural grid with its bubbles, and the columns on it.
void drawStructure(Builder& b)
{
    b.use(QStringLiteral("S-GRID"));
    const double gx[] = {0.15, 5.05, 11.85};
    const double gy[] = {0.15, 4.55, 7.85};
    const char* letters[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        b.line(gx[i], -1.6, gx[i], 9.0);
        b.circle(gx[i], -2.0, 0.4);
        b.text(gx[i] - 0.12, -2.15, 0.3, QString::fromLatin1(letters[i]));
        b.line(-1.6, gy[i], 13.4, gy[i]);
        b.circle(-2.0, gy[i], 0.4);
        b.text(-2.1, gy[i] - 0.15, 0.3, QString::number(i + 1));
    }
    b.use(QStringLiteral("S-COLS"));
    for (double x : gx) {
        for (double y : gy)
            b.rect(x - 0.15, y - 0.15, 0.3, 0.3);
    }
}

// Lights, sockets and the heating duct.
void drawServices(Builder& b)
{
    b.use(QStringLiteral("E-LITE"));
    const double lights[][2] = {{2.5, 3.8}, {6.8, 2.2}, {6.8, 6.0}, {10.2, 6.1}, {9.7, 2.4}};
    for (const auto& l : lights) {
        b.circle(l[0], l[1], 0.2);
        b.line(l[0] - 0.14, l[1] - 0.14, l[0] + 0.14, l[1] + 0.14);
        b.line(l[0] - 0.14, l[1] + 0.14, l[0] + 0.14, l[1] - 0.14);
    }
    b.use(QStringLiteral("E-POWR"));
    for (double x = 1.0; x < 11.0; x += 2.2)
        b.circle(x, 0.5, 0.08);
    b.use(QStringLiteral("M-HVAC"));
    b.rect(5.3, 0.6, 2.0, 0.5);
    b.line(6.3, 1.1, 6.3, 3.9);
}

// Room names, areas and dimensions.
void drawAnnotation(Builder& b)
{
    b.use(QStringLiteral("A-ANNO-TEXT"));
    b.text(1.4, 2.6, 0.3, QStringLiteral("LIVING"));
    b.text(5.9, 2.6, 0.3, QStringLiteral("HALL"));
    b.text(5.7, 6.4, 0.3, QStringLiteral("KITCHEN"));
    b.text(9.3, 4.9, 0.3, QStringLiteral("BEDROOM"));
    b.text(9.4, 3.6, 0.3, QStringLiteral("BATH"));
    b.text(0.0, -2.6, 0.35, QStringLiteral("GROUND FLOOR PLAN  1:100"));
    b.use(QStringLiteral("A-AREA"));
    b.text(1.4, 2.2, 0.2, QStringLiteral("18.4 m²"));
    b.text(9.3, 4.5, 0.2, QStringLiteral("9.6 m²"));
    b.poly({QPointF(0.3, 0.3), QPointF(5.0, 0.3), QPointF(5.0, 7.7), QPointF(0.3, 7.7)}, true);
    // Dimensions: extension lines, dimension line with ticks, and text.
    b.use(QStringLiteral("A-ANNO-DIMS"));
    b.line(0.0, 8.2, 0.0, 9.2);
    b.line(12.0, 8.2, 12.0, 9.2);
    b.line(0.0, 9.0, 12.0, 9.0);
    b.line(-0.1, 8.9, 0.1, 9.1);
    b.line(11.9, 8.9, 12.1, 9.1);
    b.text(5.6, 9.1, 0.25, QStringLiteral("12000"));
    b.line(12.2, 0.0, 13.2, 0.0);
    b.line(12.2, 8.0, 13.2, 8.0);
    b.line(13.0, 0.0, 13.0, 8.0);
    b.line(12.9, -0.1, 13.1, 0.1);
    b.line(12.9, 7.9, 13.1, 8.1);
    b.text(13.35, 3.6, 0.25, QStringLiteral("8000"), 90);
}

// Roof outline above (hidden line), construction points and the viewport frame.
void drawRoofAndHelpers(Builder& b)
{
    b.use(QStringLiteral("A-ROOF"));
    b.rect(-0.6, -0.6, 13.2, 9.2);
    b.line(-0.6, -0.6, 4.0, 4.0);
    b.line(-0.6, 8.6, 4.0, 4.0);
    b.line(12.6, -0.6, 8.0, 4.0);
    b.line(12.6, 8.6, 8.0, 4.0);
    b.line(4.0, 4.0, 8.0, 4.0);
    b.use(QStringLiteral("Defpoints"));
    b.point(0.0, 9.0);
    b.point(12.0, 9.0);
    b.use(QStringLiteral("VIEWPORT"));
    b.rect(-3.5, -3.5, 19.0, 15.0);
}

} // namespace

Drawing sampleFloorPlan()
{
    Drawing d;
    d.title = QStringLiteral("Sample floor plan");
    {
        Builder b(d);
        addLayers(b);
        d.currentLayer = QStringLiteral("A-WALL");
        drawSite(b);
        drawWalls(b);
        drawOpenings(b);
        drawFurniture(b);
        drawFloorPattern(b);
        drawStructure(b);
        drawServices(b);
        drawAnnotation(b);
        drawRoofAndHelpers(b);
    }
    return d;
}

} // namespace Demo
