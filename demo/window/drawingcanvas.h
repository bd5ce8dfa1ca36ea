#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QVector>
#include <QWidget>

class QPainter;

namespace Demo {

class DrawingDocument;
struct DrawingEntity;

// The model space view: draws the entities of the visible layers in their
// colors on a dark ground. The wheel zooms about the cursor, a drag with the
// left or middle button pans, a double click of the middle button (or the
// Home key) zooms to the drawing's extents.
class DrawingCanvas : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(DrawingCanvas)

public:
    explicit DrawingCanvas(QWidget* parent = nullptr);
    ~DrawingCanvas() override;

    void setDocument(const DrawingDocument* document);
    QSize sizeHint() const override;
    // Number of entities drawn at the last paint.
    int drawnCount() const { return m_drawn; }
    bool isLayerShown(int layerIndex) const;
    double scale() const { return m_scale; }

public slots:
    // Reads the layers' states and colors again and repaints.
    void refresh();
    void zoomExtents();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF toScreen(const QPointF& p) const;
    QPointF toWorld(const QPointF& p) const;
    QRectF extents() const;
    bool drawEntity(QPainter& p, const DrawingEntity& e, const QRectF& view) const;
    bool drawLine(QPainter& p, const DrawingEntity& e, const QRectF& view) const;
    bool drawPolyline(QPainter& p, const DrawingEntity& e, const QRectF& view) const;
    bool drawCircle(QPainter& p, const DrawingEntity& e, const QRectF& view) const;
    bool drawPoint(QPainter& p, const DrawingEntity& e, const QRectF& view) const;
    bool drawText(QPainter& p, const DrawingEntity& e, const QRectF& view) const;

    const DrawingDocument* m_document = nullptr;
    QVector<bool> m_shown;       // per layer index
    QVector<QColor> m_colors;    // per layer index
    QVector<double> m_widths;    // pen width in pixels, per layer index
    QVector<Qt::PenStyle> m_styles; // dash pattern, per layer index
    QPointF m_center;            // world point at the middle of the widget
    double m_scale = 1.0;        // pixels per drawing unit
    double m_capRatio = 0.72;    // capital height / pixel size of the font
    bool m_fitted = false;
    QPoint m_lastPos;
    bool m_panning = false;
    int m_drawn = 0;
};

} // namespace Demo
