#pragma once

#include <QWidget>

class QLabel;

namespace Demo {

class DrawingDocument;

// The status line's counts: the drawing's layers and objects, and the
// kinds of object it holds but does not draw.
class StatusCounts : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(StatusCounts)

public:
    explicit StatusCounts(QWidget* parent = nullptr);
    ~StatusCounts() override;

    void showCounts(const DrawingDocument& document);

private:
    QLabel* m_layers = nullptr;
    QLabel* m_objects = nullptr;
    QLabel* m_skipped = nullptr;
};

} // namespace Demo
