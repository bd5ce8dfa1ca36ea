#include "dxfnewdrawing.h"

#include "acipalette.h"
#include "dxflayerentry.h"

namespace Demo {
namespace {

const QByteArray kVersion = QByteArrayLiteral("AC1009");
const QByteArray kCodeWidth = QByteArrayLiteral("  0");

// Code pages an R12 file may name, the first that holds every name and
// text of the drawing is used; what none holds becomes \U+XXXX.
const char* const kCodePages[] = {"ANSI_1252", "ANSI_1251", "ANSI_1250", "ANSI_1253", "ANSI_1254", "ANSI_1257",
                                  "ANSI_1255", "ANSI_1256", "ANSI_932",  "ANSI_936",  "ANSI_949",  "ANSI_950"};

QByteArray codePageFor(const Drawing& drawing, const LayerTableState& layers)
{
    QString all;
    for (const DrawingLayer& l : layers.layers)
        all += l.name + l.linetype;
    for (const DrawingEntity& e : drawing.entities)
        all += e.text;
    for (const char* codePage : kCodePages) {
        if (DxfText(kVersion, codePage).canEncode(all))
            return codePage;
    }
    return kCodePages[0];
}

} // namespace

DxfNewDrawing::DxfNewDrawing(const Drawing& drawing, const LayerTableState& layers)
    : m_drawing(drawing), m_layers(layers), m_codePage(codePageFor(drawing, layers)), m_text(kVersion, m_codePage)
{
}

QByteArray DxfNewDrawing::write()
{
    m_out.clear();
    header();
    tables();
    pair(0, "SECTION");
    pair(2, "ENTITIES");
    for (const DrawingEntity& e : m_drawing.entities)
        entity(e);
    pair(0, "ENDSEC");
    pair(0, "EOF");
    return m_out;
}

void DxfNewDrawing::pair(int code, const QByteArray& value)
{
    m_out += QByteArray::number(code).rightJustified(kCodeWidth.size(), ' ') + '\n' + value + '\n';
}

void DxfNewDrawing::pair(int code, double value)
{
    pair(code, QByteArray::number(value, 'g', 15));
}

void DxfNewDrawing::header()
{
    pair(0, "SECTION");
    pair(2, "HEADER");
    pair(9, "$ACADVER");
    pair(1, kVersion);
    pair(9, "$DWGCODEPAGE");
    pair(3, m_codePage);
    pair(9, "$CLAYER");
    pair(8, layerName(m_layers.current));
    pair(0, "ENDSEC");
}

void DxfNewDrawing::tables()
{
    pair(0, "SECTION");
    pair(2, "TABLES");
    linetypeTable();
    pair(0, "TABLE");
    pair(2, "LAYER");
    int count = 0;
    for (bool alive : m_layers.alive)
        count += alive ? 1 : 0;
    pair(70, QByteArray::number(count));
    for (int slot = 0; slot < m_layers.layers.size(); ++slot) {
        if (!m_layers.isAlive(slot))
            continue;
        DxfLayerEntry entry = DxfLayerEntry::blank(false, kCodeWidth);
        entry.apply(DrawingLayer(), m_layers.layers.at(slot), m_text, true);
        m_out += entry.bytes("\n");
    }
    pair(0, "ENDTAB");
    pair(0, "TABLE");
    pair(2, "STYLE");
    pair(70, "1");
    pair(0, "STYLE");
    pair(2, "STANDARD");
    pair(70, "0");
    pair(40, 0.0);
    pair(41, 1.0);
    pair(50, 0.0);
    pair(71, "0");
    pair(42, 2.5);
    pair(3, "txt");
    pair(4, "");
    pair(0, "ENDTAB");
    pair(0, "ENDSEC");
}

// Continuous and every other linetype a layer names, without a dash
// pattern of its own.
void DxfNewDrawing::linetypeTable()
{
    QStringList names{QStringLiteral("CONTINUOUS")};
    for (int slot = 0; slot < m_layers.layers.size(); ++slot) {
        const QString name = m_layers.layers.at(slot).linetype;
        if (m_layers.isAlive(slot) && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    pair(0, "TABLE");
    pair(2, "LTYPE");
    pair(70, QByteArray::number(names.size()));
    for (const QString& name : names) {
        pair(0, "LTYPE");
        pair(2, m_text.encode(name));
        pair(70, "0");
        pair(3, name == names.first() ? QByteArray("Solid line") : QByteArray());
        pair(72, "65");
        pair(73, "0");
        pair(40, 0.0);
    }
    pair(0, "ENDTAB");
}

QByteArray DxfNewDrawing::layerName(int layer) const
{
    return m_text.encode(m_layers.layers.value(layer, m_layers.layers.value(0)).name);
}

void DxfNewDrawing::entity(const DrawingEntity& e)
{
    // A file written afresh has no block table for references to name, and
    // the drawings written afresh (the built-in sample) hold neither kind.
    if (e.kind == DrawingEntity::Insert || e.kind == DrawingEntity::Fill)
        return;
    static const char* const kTypes[] = {"LINE", "POLYLINE", "CIRCLE", "ARC", "POINT", "TEXT"};
    pair(0, kTypes[e.kind]);
    pair(8, layerName(e.layer));
    if (e.color.isValid()) {
        const int index = aciIndexOf(e.color);
        pair(62, QByteArray::number(index > 0 ? index : nearestAciIndex(e.color)));
    }
    switch (e.kind) {
    case DrawingEntity::Line:
        points(e.points.mid(0, 2), 0);
        break;
    case DrawingEntity::Polyline:
        pair(66, "1");
        points({QPointF()}, 0);
        pair(70, e.closed ? "1" : "0");
        for (const QPointF& p : e.points) {
            pair(0, "VERTEX");
            pair(8, layerName(e.layer));
            points({p}, 0);
        }
        pair(0, "SEQEND");
        pair(8, layerName(e.layer));
        break;
    case DrawingEntity::Circle:
    case DrawingEntity::Arc:
        points(e.points.mid(0, 1), 0);
        pair(40, e.radius);
        if (e.kind == DrawingEntity::Arc) {
            pair(50, e.startAngle);
            pair(51, e.endAngle);
        }
        break;
    case DrawingEntity::Point:
        points(e.points.mid(0, 1), 0);
        break;
    case DrawingEntity::Text:
        text(e);
        break;
    case DrawingEntity::Insert:
    case DrawingEntity::Fill:
        break;
    }
}

// Point n of the list as groups 10+n, 20+n, 30+n.
void DxfNewDrawing::points(const QVector<QPointF>& list, int first)
{
    for (int n = 0; n < list.size(); ++n) {
        pair(10 + first + n, list.at(n).x());
        pair(20 + first + n, list.at(n).y());
        pair(30 + first + n, 0.0);
    }
}

// One line of text; a text of several lines is joined by blanks.
void DxfNewDrawing::text(const DrawingEntity& e)
{
    const QPointF at = e.points.value(0);
    points({at}, 0);
    pair(40, e.height);
    pair(1, m_text.encode(QString(e.text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    if (e.rotation != 0.0)
        pair(50, e.rotation);
    if (e.scale.x() != 1.0)
        pair(41, e.scale.x());
    if (e.hAlign != DrawingEntity::Left || e.vAlign != DrawingEntity::Baseline) {
        pair(72, QByteArray::number(int(e.hAlign)));
        points({e.points.value(e.points.size() - 1)}, 1);
        pair(73, QByteArray::number(int(e.vAlign)));
    }
}

} // namespace Demo
