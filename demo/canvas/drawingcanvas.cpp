#include "drawingcanvas.h"

#include "drawingdocument.h"
#include "linetypestyle.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace Demo {
namespace {

const QColor kGround(33, 40, 48);
const QColor kActiveFrame(90, 150, 220);

} // namespace

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::WheelFocus);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setMinimumSize(120, 90);
}

DrawingCanvas::~DrawingCanvas() = default;

QSize DrawingCanvas::sizeHint() const
{
    return QSize(800, 560);
}

void DrawingCanvas::setDocument(const DrawingDocument* document)
{
    m_document = document;
    m_bounds = BlockBounds(document ? &document->drawing() : nullptr);
    refresh();
    zoomExtents();
}

bool DrawingCanvas::isLayerShown(int layerIndex) const
{
    return layerIndex >= 0 && layerIndex < m_layers.size() && m_layers.at(layerIndex).shown;
}

void DrawingCanvas::setView(const QString& name)
{
    m_view = ViewProjection(name);
    zoomExtents();
}

void DrawingCanvas::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    update();
}

void DrawingCanvas::setRecording(bool on)
{
    m_recording = on;
    m_primitives.clear();
    invalidate();
}

void DrawingCanvas::setPaintOptions(const PaintOptions& options)
{
    m_options = options;
    invalidate();
}

void DrawingCanvas::refresh()
{
    ++m_refreshes;
    m_layers.clear();
    if (m_document && m_document->database()) {
        const DkDbDatabase* db = m_document->database();
        const QVector<DkDbObjectId>& ids = m_document->layerIds();
        m_layers.resize(ids.size());
        for (int i = 0; i < ids.size(); ++i) {
            const DkDbLayerTableRecord* record = db->peekLayer(ids.at(i));
            if (!record || record->isErased())
                continue;
            LayerLook& look = m_layers[i];
            look.shown = !record->isOff() && !record->isFrozen();
            look.frozen = record->isFrozen();
            const DkCmColor& c = record->color();
            look.color = QColor(c.red(), c.green(), c.blue());
            look.width = EntityPainter::penWidthFor(static_cast<int>(record->lineWeight()));
            look.style = linetypePenStyle(HostLayerTable::symbolName(record->linetypeObjectId()));
        }
    }
    invalidate();
}

// The extents of what is drawn, in the view: entities of hidden layers do not count.
QRectF DrawingCanvas::extents() const
{
    if (!m_document)
        return QRectF();
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    const EntityList& entities = m_document->drawing().entities;
    for (int i = 0; i < entities.size(); ++i) {
        const int layer = entities.layer(i);
        const bool insert = entities.kind(i) == DrawingEntity::Insert;
        const bool hidden = insert ? layer >= m_layers.size() || m_layers.at(layer).frozen : !isLayerShown(layer);
        const QRectF r = m_bounds.modelBox(i);
        if (hidden || (r.isNull() && r.topLeft().isNull() && insert))
            continue;
        const QRectF seen = m_view.toView().mapRect(r);
        x0 = any ? std::min(x0, seen.left()) : seen.left();
        y0 = any ? std::min(y0, seen.top()) : seen.top();
        x1 = any ? std::max(x1, seen.right()) : seen.right();
        y1 = any ? std::max(y1, seen.bottom()) : seen.bottom();
        any = true;
    }
    return any ? QRectF(QPointF(x0, y0), QPointF(x1, y1)) : QRectF();
}

void DrawingCanvas::zoomExtents()
{
    const QRectF box = extents();
    m_center = box.center();
    m_scale = 1.0;
    if (box.width() > 0 || box.height() > 0) {
        const double w = std::max(box.width(), 1e-9);
        const double h = std::max(box.height(), 1e-9);
        m_scale = 0.92 * std::min(width() / w, height() / h);
        if (!std::isfinite(m_scale) || m_scale <= 0)
            m_scale = 1.0;
    }
    m_fitted = true;
    update();
}

QTransform DrawingCanvas::toScreen() const
{
    return m_view.toView() * QTransform::fromTranslate(-m_center.x(), -m_center.y())
           * QTransform::fromScale(m_scale, -m_scale) * QTransform::fromTranslate(width() / 2.0, height() / 2.0);
}

QRectF DrawingCanvas::viewArea() const
{
    const QSizeF seen(width() / m_scale, height() / m_scale);
    return QRectF(m_center - QPointF(seen.width(), seen.height()) / 2, seen);
}

QPointF DrawingCanvas::toWorld(const QPointF& p) const
{
    return QPointF(m_center.x() + (p.x() - width() / 2.0) / m_scale, m_center.y() - (p.y() - height() / 2.0) / m_scale);
}

void DrawingCanvas::paintEvent(QPaintEvent*)
{
    updatePicture();
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_picture);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_active) {
        p.setPen(QPen(kActiveFrame, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void DrawingCanvas::invalidate()
{
    m_pictureValid = false;
    update();
}

void DrawingCanvas::updatePicture()
{
    const QTransform now = toScreen();
    const QPointF shift = now.map(QPointF()) - m_pictureTransform.map(QPointF());
    const QPoint whole = shift.toPoint();
    const bool sameScale = now.m11() == m_pictureTransform.m11() && now.m12() == m_pictureTransform.m12()
                           && now.m21() == m_pictureTransform.m21() && now.m22() == m_pictureTransform.m22();
    const bool panned = sameScale && (shift - whole).manhattanLength() < 1e-6 && std::abs(whole.x()) < width()
                        && std::abs(whole.y()) < height();
    if (m_pictureValid && m_picture.size() == size() && !m_recording && panned) {
        if (whole.isNull())
            return;
        // Shift what was drawn and draw only the strips that came into view.
        const int x = whole.x(), y = whole.y();
        const QRect across = x > 0 ? QRect(0, 0, x, height()) : QRect(width() + x, 0, -x, height());
        const QRect along = y > 0 ? QRect(0, 0, width(), y) : QRect(0, height() + y, width(), -y);
        QPainter shifted(&m_spare);
        shifted.setCompositionMode(QPainter::CompositionMode_Source);
        shifted.drawImage(whole, m_picture);
        shifted.fillRect(across, kGround);
        shifted.fillRect(along, kGround);
        shifted.end();
        std::swap(m_picture, m_spare);
        m_pictureTransform = now;
        paintRegion(m_picture, across, false);
        paintRegion(m_picture, along, false);
        return;
    }
    m_picture = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_spare = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_picture.fill(kGround);
    m_pictureTransform = now;
    m_primitives.clear();
    paintRegion(m_picture, rect(), m_recording);
    m_pictureValid = true;
}

// Paints the entities that reach into area (pixels) onto image.
void DrawingCanvas::paintRegion(QImage& image, const QRect& area, bool record)
{
    if (!m_document || area.isEmpty())
        return;
    QPainter p(&image);
    // Lines are drawn without smoothing, as CAD programs do by default;
    // texts keep theirs.
    p.setClipRect(area);
    EntityPainter painter(m_document->drawing(), m_bounds, m_layers);
    painter.setRecord(record ? &m_primitives : nullptr);
    painter.setOptions(m_options);
    const int drawn = painter.paint(p, m_pictureTransform, QRectF(area).adjusted(-4, -4, 4, 4));
    if (area == rect())
        m_drawn = drawn;
}

void DrawingCanvas::pan(const QPointF& pixels)
{
    m_center -= QPointF(pixels.x() / m_scale, -pixels.y() / m_scale);
    m_fitted = false;
    update();
}

void DrawingCanvas::zoomBy(double factor, const QPointF& about)
{
    const double next = m_scale * factor;
    if (next < 1e-12 || next > 1e12)
        return;
    const QPointF before = toWorld(about);
    m_scale = next;
    m_fitted = false;
    // Keep the point under the cursor where it is.
    m_center += before - toWorld(about);
    update();
}

void DrawingCanvas::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    zoomBy(std::pow(1.2, steps), event->position());
    event->accept();
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event)
{
    emit activated();
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
    pan(delta);
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
    else if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)
        zoomBy(event->key() == Qt::Key_Plus ? 1.2 : 1 / 1.2, QPointF(width() / 2.0, height() / 2.0));
    else
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
