#include "drawingcanvas.h"

#include "drawingdocument.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace Demo {
namespace {

const QColor kGround(33, 40, 48);
const QColor kActiveFrame(90, 150, 220);

QString linetypeName(const DkDbObjectId& id)
{
    DkDbObject* object = nullptr;
    if (id.isNull() || dkdbOpenDkDbObject(object, id, DkDb::kForRead) != Dk::eOk || !object)
        return QString();
    const QString name = QString::fromStdWString(static_cast<DkDbSymbolTableRecord*>(object)->nameString());
    object->close();
    return name;
}

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
}

void DrawingCanvas::refresh()
{
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
            const DkCmColor c = record->color();
            look.color = QColor(c.red(), c.green(), c.blue());
            look.width = EntityPainter::penWidthFor(static_cast<int>(record->lineWeight()));
            look.style = EntityPainter::penStyleFor(linetypeName(record->linetypeObjectId()));
        }
    }
    update();
}

// The extents of what is drawn, in the view: entities of hidden layers do not count.
QRectF DrawingCanvas::extents() const
{
    if (!m_document)
        return QRectF();
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    const QVector<DrawingEntity>& entities = m_document->drawing().entities;
    for (int i = 0; i < entities.size(); ++i) {
        const DrawingEntity& e = entities.at(i);
        const bool hidden = e.kind == DrawingEntity::Insert
                                ? e.layer >= m_layers.size() || m_layers.at(e.layer).frozen
                                : !isLayerShown(e.layer);
        const QRectF r = m_bounds.modelBox(i);
        if (hidden || (r.isNull() && r.topLeft().isNull() && e.kind == DrawingEntity::Insert))
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

QPointF DrawingCanvas::toWorld(const QPointF& p) const
{
    return QPointF(m_center.x() + (p.x() - width() / 2.0) / m_scale, m_center.y() - (p.y() - height() / 2.0) / m_scale);
}

void DrawingCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kGround);
    m_drawn = 0;
    m_primitives.clear();
    if (m_document) {
        p.setRenderHint(QPainter::Antialiasing);
        EntityPainter painter(m_document->drawing(), m_bounds, m_layers);
        painter.setRecord(m_recording ? &m_primitives : nullptr);
        m_drawn = painter.paint(p, toScreen(), QRectF(rect()).adjusted(-4, -4, 4, 4));
    }
    if (m_active) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(kActiveFrame, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
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
    if (event->key() == Qt::Key_Home)
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
