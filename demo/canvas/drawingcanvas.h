#pragma once

#include "blockbounds.h"
#include "entitypainter.h"
#include "viewprojection.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QVector>
#include <QWidget>

namespace Demo {

class DrawingDocument;

// One view of model space: draws the entities of the visible layers, block
// references included, in their colors on a dark ground, from one of the
// standard views. The wheel zooms about the cursor, a drag with the left
// or middle button pans, a double click of the middle button (or the Home
// key) zooms to the drawing's extents.
class DrawingCanvas : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(DrawingCanvas)

public:
    explicit DrawingCanvas(QWidget* parent = nullptr);
    ~DrawingCanvas() override;

    void setDocument(const DrawingDocument* document);
    QSize sizeHint() const override;
    // Number of model space entities drawn at the last paint.
    int drawnCount() const { return m_drawn; }
    // How often refresh() read the layers again and dropped the picture.
    int refreshCount() const { return m_refreshes; }
    bool isLayerShown(int layerIndex) const;
    double scale() const { return m_scale; }
    // The standard view shown ("Top", "Southeast"...).
    QString viewName() const { return m_view.name(); }
    // Shows the drawing from a standard view, fitted to the canvas.
    void setView(const QString& name);
    // The active one of several canvases wears a frame.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    // Keeps the primitives each paint draws, for a look at what is shown.
    void setRecording(bool on);
    const QVector<DrawnPrimitive>& drawnPrimitives() const { return m_primitives; }
    void setPaintOptions(const PaintOptions& options);
    // What the canvas shows, in view units: left and right, then top() the
    // lowest and bottom() the highest y, as y runs up.
    QRectF viewArea() const;
    // Drawing units to pixels, as the last paint had it.
    QTransform toScreen() const;
    // Moves the view by pixels.
    void pan(const QPointF& pixels);
    void zoomBy(double factor, const QPointF& about);

public slots:
    // Reads the layers' states and colors again and repaints.
    void refresh();
    void zoomExtents();

signals:
    // The user clicked into the canvas.
    void activated();

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
    int m_refreshes = 0;
    QPointF toWorld(const QPointF& p) const;
    QRectF extents() const;
    // Brings the picture of the drawing up to date: all of it, or after a
    // pan only the strips that came into view.
    void updatePicture();
    void paintRegion(QImage& image, const QRect& area, bool record);
    // The picture must be drawn anew at the next paint.
    void invalidate();

    const DrawingDocument* m_document = nullptr;
    BlockBounds m_bounds;
    QVector<LayerLook> m_layers;   // per layer index
    ViewProjection m_view;
    QPointF m_center;            // view point at the middle of the widget
    double m_scale = 1.0;        // pixels per drawing unit
    bool m_fitted = false;
    bool m_active = false;
    bool m_recording = false;
    PaintOptions m_options;
    QVector<DrawnPrimitive> m_primitives;
    QImage m_picture;            // the drawing as last painted
    QImage m_spare;              // the buffer a pan shifts the picture into
    QTransform m_pictureTransform;
    bool m_pictureValid = false;
    QPoint m_lastPos;
    bool m_panning = false;
    int m_drawn = 0;
};

} // namespace Demo
