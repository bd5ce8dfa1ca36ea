#include "drawingcanvas.h"

#include "drawingdocument.h"
#include "linetypestyle.h"

#include <QFontMetricsF>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>

namespace Demo {
namespace {

const QColor kGround(33, 40, 48);

// Colors too close to the ground are drawn in its contrast, as CAD
// programs do with black and white.
QColor visibleOnGround(const QColor& c)
{
    if (c.lightness() < 40)
        return QColor(230, 230, 230);
    return c;
}

QString linetypeName(const DkDbObjectId& id)
{
    DkDbObject* object = nullptr;
    if (id.isNull() || dkdbOpenDkDbObject(object, id, DkDb::kForRead) != Dk::eOk || !object)
        return QString();
    const QString name = QString::fromStdWString(static_cast<DkDbSymbolTableRecord*>(object)->nameString());
    object->close();
    return name;
}

double penWidthFor(int lineWeight)
{
    // Model space shows lineweights above 0.30 mm a little heavier.
    if (lineWeight >= 70)
        return 2.5;
    if (lineWeight >= 35)
        return 1.6;
    return 1.0;
}

// The box around what is drawn, grown point by point.
class Bounds
{
public:
    void add(double x, double y)
    {
        if (!m_any) {
            m_minX = m_maxX = x;
            m_minY = m_maxY = y;
            m_any = true;
            return;
        }
        m_minX = std::min(m_minX, x);
        m_maxX = std::max(m_maxX, x);
        m_minY = std::min(m_minY, y);
        m_maxY = std::max(m_maxY, y);
    }

    QRectF rect() const { return m_any ? QRectF(QPointF(m_minX, m_minY), QPointF(m_maxX, m_maxY)) : QRectF(); }

private:
    double m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    bool m_any = false;
};

// A rough box around the text in any direction, so that a title drawn
// large is not cut off by the view.
void addTextBounds(const DrawingEntity& e, Bounds& bounds)
{
    const QPointF c = e.points.value(0);
    int longest = 0;
    const QStringList lines = e.text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        longest = std::max(longest, int(line.size()));
    const double width = 0.9 * e.height * longest;
    const double depth = e.height * 5.0 / 3.0 * (lines.size() - 1);
    if (std::fabs(e.rotation) > 0.01) {
        const double reach = std::max(width, depth + e.height);
        bounds.add(c.x() - reach, c.y() - reach);
        bounds.add(c.x() + reach, c.y() + reach);
    } else {
        const double left = e.hAlign == DrawingEntity::Left ? 0 : e.hAlign == DrawingEntity::Center ? width / 2 : width;
        bounds.add(c.x() - left, c.y() - depth);
        bounds.add(c.x() - left + width, c.y() + e.height);
    }
}

// Where the first line of a text sits below its point, in pixels, for a
// capital height of pixels and block pixels between the first and last baselines.
double firstBaseline(DrawingEntity::VAlign align, double pixels, double block, double descent)
{
    switch (align) {
    case DrawingEntity::Baseline:
        return block > 0 ? -block : 0;
    case DrawingEntity::Bottom:
        return -block - descent;
    case DrawingEntity::Middle:
        return pixels / 2 - block / 2;
    case DrawingEntity::Top:
        return pixels;
    }
    return 0;
}

} // namespace

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::WheelFocus);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setMinimumSize(200, 150);
    QFont probe = font();
    probe.setPixelSize(100);
    const double cap = QFontMetricsF(probe).capHeight();
    m_capRatio = cap > 10 ? cap / 100.0 : 0.72;
}

DrawingCanvas::~DrawingCanvas() = default;

QSize DrawingCanvas::sizeHint() const
{
    return QSize(800, 560);
}

void DrawingCanvas::setDocument(const DrawingDocument* document)
{
    m_document = document;
    refresh();
    zoomExtents();
}

bool DrawingCanvas::isLayerShown(int layerIndex) const
{
    return layerIndex >= 0 && layerIndex < m_shown.size() && m_shown.at(layerIndex);
}

void DrawingCanvas::refresh()
{
    m_shown.clear();
    m_colors.clear();
    m_widths.clear();
    m_styles.clear();
    if (m_document && m_document->database()) {
        const DkDbDatabase* db = m_document->database();
        const QVector<DkDbObjectId>& ids = m_document->layerIds();
        m_shown.resize(ids.size());
        m_colors.resize(ids.size());
        m_widths.resize(ids.size());
        m_styles.resize(ids.size());
        for (int i = 0; i < ids.size(); ++i) {
            const DkDbLayerTableRecord* record = db->peekLayer(ids.at(i));
            if (!record || record->isErased()) {
                m_shown[i] = false;
                continue;
            }
            m_shown[i] = !record->isOff() && !record->isFrozen();
            const DkCmColor c = record->color();
            m_colors[i] = QColor(c.red(), c.green(), c.blue());
            m_widths[i] = penWidthFor(static_cast<int>(record->lineWeight()));
            m_styles[i] = linetypePenStyle(linetypeName(record->linetypeObjectId()));
        }
    }
    update();
}

QRectF DrawingCanvas::extents() const
{
    Bounds bounds;
    if (!m_document)
        return bounds.rect();
    // The extents of what is drawn: entities of hidden layers do not count.
    for (const DrawingEntity& e : m_document->drawing().entities) {
        if (!isLayerShown(e.layer))
            continue;
        if (e.kind == DrawingEntity::Circle || e.kind == DrawingEntity::Arc) {
            const QPointF c = e.points.value(0);
            bounds.add(c.x() - e.radius, c.y() - e.radius);
            bounds.add(c.x() + e.radius, c.y() + e.radius);
        } else if (e.kind == DrawingEntity::Text) {
            addTextBounds(e, bounds);
        } else {
            for (const QPointF& p : e.points)
                bounds.add(p.x(), p.y());
        }
    }
    return bounds.rect();
}

void DrawingCanvas::zoomExtents()
{
    const QRectF box = extents();
    if (box.isNull() && box.width() <= 0 && box.height() <= 0) {
        m_center = box.center();
        m_scale = 1.0;
    } else {
        m_center = box.center();
        const double w = std::max(box.width(), 1e-9);
        const double h = std::max(box.height(), 1e-9);
        m_scale = 0.92 * std::min(width() / w, height() / h);
        if (!std::isfinite(m_scale) || m_scale <= 0)
            m_scale = 1.0;
    }
    m_fitted = true;
    update();
}

QPointF DrawingCanvas::toScreen(const QPointF& p) const
{
    return QPointF(width() / 2.0 + (p.x() - m_center.x()) * m_scale, height() / 2.0 - (p.y() - m_center.y()) * m_scale);
}

QPointF DrawingCanvas::toWorld(const QPointF& p) const
{
    return QPointF(m_center.x() + (p.x() - width() / 2.0) / m_scale, m_center.y() - (p.y() - height() / 2.0) / m_scale);
}

void DrawingCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kGround);
    m_drawn = 0;
    if (!m_document)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF view = QRectF(rect()).adjusted(-4, -4, 4, 4);
    for (const DrawingEntity& e : m_document->drawing().entities) {
        if (isLayerShown(e.layer) && drawEntity(p, e, view))
            ++m_drawn;
    }
}

// Each kind draws itself when it reaches into view, and says whether it did.
bool DrawingCanvas::drawEntity(QPainter& p, const DrawingEntity& e, const QRectF& view) const
{
    const QColor color = visibleOnGround(e.color.isValid() ? e.color : m_colors.at(e.layer));
    QPen pen(color, m_widths.at(e.layer), e.kind == DrawingEntity::Text ? Qt::SolidLine : m_styles.at(e.layer));
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (e.kind) {
    case DrawingEntity::Line:
        return drawLine(p, e, view);
    case DrawingEntity::Polyline:
        return drawPolyline(p, e, view);
    case DrawingEntity::Circle:
    case DrawingEntity::Arc:
        return drawCircle(p, e, view);
    case DrawingEntity::Point:
        return drawPoint(p, e, view);
    case DrawingEntity::Text:
        return drawText(p, e, view);
    }
    return false;
}

bool DrawingCanvas::drawLine(QPainter& p, const DrawingEntity& e, const QRectF& view) const
{
    const QPointF a = toScreen(e.points.value(0));
    const QPointF b = toScreen(e.points.value(1));
    if (!view.intersects(QRectF(a, b).normalized().adjusted(-1, -1, 1, 1)))
        return false;
    p.drawLine(a, b);
    return true;
}

bool DrawingCanvas::drawPolyline(QPainter& p, const DrawingEntity& e, const QRectF& view) const
{
    QPolygonF poly;
    poly.reserve(e.points.size() + 1);
    for (const QPointF& pt : e.points)
        poly << toScreen(pt);
    if (!view.intersects(poly.boundingRect().adjusted(-1, -1, 1, 1)))
        return false;
    if (e.closed)
        p.drawPolygon(poly);
    else
        p.drawPolyline(poly);
    return true;
}

// Circles and arcs.
bool DrawingCanvas::drawCircle(QPainter& p, const DrawingEntity& e, const QRectF& view) const
{
    const QPointF c = toScreen(e.points.value(0));
    const double r = e.radius * m_scale;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    if (!view.intersects(box.adjusted(-1, -1, 1, 1)))
        return false;
    if (e.kind == DrawingEntity::Circle) {
        p.drawEllipse(box);
        return true;
    }
    double span = e.endAngle - e.startAngle;
    while (span <= 0)
        span += 360.0;
    p.drawArc(box, qRound(e.startAngle * 16), qRound(span * 16));
    return true;
}

bool DrawingCanvas::drawPoint(QPainter& p, const DrawingEntity& e, const QRectF& view) const
{
    const QPointF c = toScreen(e.points.value(0));
    if (!view.contains(c))
        return false;
    p.drawPoint(c);
    return true;
}

bool DrawingCanvas::drawText(QPainter& p, const DrawingEntity& e, const QRectF& view) const
{
    // A text's height is its capital height, as in CAD programs.
    const double pixels = e.height * m_scale;
    const QPointF at = toScreen(e.points.value(0));
    if (pixels < 3 || e.text.isEmpty() || pixels > 4000)
        return false;
    const double reach = pixels * std::max(1, int(e.text.size()));
    if (!view.adjusted(-reach, -reach, reach, reach).contains(at))
        return false;
    QFont font = p.font();
    font.setPixelSize(std::max(1, qRound(pixels / m_capRatio)));
    const QFontMetricsF metrics(font);
    const QStringList lines = e.text.split(QLatin1Char('\n'));
    const double spacing = pixels * 5.0 / 3.0;
    const double baseline = firstBaseline(e.vAlign, pixels, (lines.size() - 1) * spacing, metrics.descent());
    p.save();
    p.setFont(font);
    p.translate(at);
    p.rotate(-e.rotation);
    for (int i = 0; i < lines.size(); ++i) {
        const double width = metrics.horizontalAdvance(lines.at(i));
        const double x = e.hAlign == DrawingEntity::Left ? 0 : e.hAlign == DrawingEntity::Center ? -width / 2 : -width;
        p.drawText(QPointF(x, baseline + i * spacing), lines.at(i));
    }
    p.restore();
    return true;
}

void DrawingCanvas::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    const QPointF pos = event->position();
    const QPointF before = toWorld(pos);
    const double factor = std::pow(1.2, steps);
    const double next = m_scale * factor;
    if (next < 1e-12 || next > 1e12)
        return;
    m_scale = next;
    m_fitted = false;
    // Keep the point under the cursor where it is.
    const QPointF after = toWorld(pos);
    m_center += before - after;
    update();
    event->accept();
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        m_panning = true;
        m_lastPos = event->pos();
        setCursor(Qt::ClosedHandCursor);
    }
}

void DrawingCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_panning)
        return;
    const QPoint delta = event->pos() - m_lastPos;
    m_lastPos = event->pos();
    m_center -= QPointF(delta.x() / m_scale, -delta.y() / m_scale);
    m_fitted = false;
    update();
}

void DrawingCanvas::mouseReleaseEvent(QMouseEvent*)
{
    if (m_panning) {
        m_panning = false;
        unsetCursor();
    }
}

void DrawingCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton)
        zoomExtents();
}

void DrawingCanvas::keyPressEvent(QKeyEvent* event)
{
    // The arrow keys move the view by a tenth of its width or height.
    static const QHash<int, QPointF> steps{{Qt::Key_Left, QPointF(-0.1, 0)}, {Qt::Key_Right, QPointF(0.1, 0)},
                                           {Qt::Key_Up, QPointF(0, 0.1)},   {Qt::Key_Down, QPointF(0, -0.1)}};
    if (steps.contains(event->key())) {
        const QPointF step = steps.value(event->key());
        m_center += QPointF(step.x() * width(), step.y() * height()) / m_scale;
        m_fitted = false;
        update();
    } else if (event->key() == Qt::Key_Home)
        zoomExtents();
    else if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus) {
        m_scale *= event->key() == Qt::Key_Plus ? 1.2 : 1 / 1.2;
        m_fitted = false;
        update();
    } else
        QWidget::keyPressEvent(event);
}

void DrawingCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A view the user has not moved keeps showing the whole drawing.
    if (m_fitted)
        zoomExtents();
}

} // namespace Demo
