#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

class QPainterPath;

// The drawing helpers and the small glyphs of the icon set, each painted
// into a painter whose coordinates are the picture's pixels.
namespace IconGlyphs {

const QColor magenta(255, 0, 255);

QPen pen(const QColor& color, qreal width = 1.0);
void fillPath(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& outline, qreal width = 1.0);
// A sheet of paper with a folded top-right corner.
void sheet(QPainter& p, const QRectF& r, const QColor& paper = Qt::white, const QColor& outline = QColor(90, 90, 100));
void snowflake(QPainter& p, const QPointF& c, qreal r, const QColor& color, qreal width);
// A four-pointed sparkle: the "new" mark.
void sparkle(QPainter& p, const QPointF& c, qreal r);
// Three stacked sheets seen at an angle: the usual picture of "layers".
void layerStack(QPainter& p, const QRectF& r);

// The 14 x 14 layer state glyphs and the palette's tool glyphs.
void bulbOn(QPainter& p);
void bulbOff(QPainter& p);
void sunGlyph(QPainter& p);
void snowGlyph(QPainter& p);
void lockOpen(QPainter& p);
void lockClosed(QPainter& p);
void printerOn(QPainter& p);
void printerOff(QPainter& p);
void printerGrey(QPainter& p);
void sheetSun(QPainter& p);
void sheetSnow(QPainter& p);
void currentCheck(QPainter& p);
void newLayer(QPainter& p);
void deleteLayer(QPainter& p);
void setCurrentLayer(QPainter& p);
void magnifier(QPainter& p);
void clearDisc(QPainter& p);
void warningSign(QPainter& p);
void drawingDocument(QPainter& p);

} // namespace IconGlyphs
