#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

class QGridLayout;

namespace Demo {

class DrawingCanvas;
class DrawingDocument;

// The drawing area: one to four canvases in one of the arrangements of the
// viewport gallery, each with its own view, pan and zoom. A click makes a
// canvas the active one, whose view the window's view controls show.
class ViewportArea : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ViewportArea)

public:
    explicit ViewportArea(QWidget* parent = nullptr);
    ~ViewportArea() override;

    void setDocument(const DrawingDocument* document);
    // Splits the area into the arrangement of the viewport gallery's key
    // ("Single", "Three:Left"...); false for a name it does not know.
    bool setArrangement(const QString& name);
    QString arrangement() const { return m_arrangement; }
    DrawingCanvas* activeCanvas() const { return m_canvases.value(m_active); }
    const QVector<DrawingCanvas*>& canvases() const { return m_canvases; }
    void setActiveCanvas(DrawingCanvas* canvas);

public slots:
    // Reads the layers again in every canvas.
    void refresh();

signals:
    void activeCanvasChanged(DrawingCanvas* canvas);

private:
    QGridLayout* m_grid = nullptr;
    const DrawingDocument* m_document = nullptr;
    QVector<DrawingCanvas*> m_canvases;
    int m_active = 0;
    QString m_arrangement;
};

} // namespace Demo
