#pragma once

#include <QColor>
#include <QDialog>

class QLabel;
class QListWidget;

namespace Demo {

// Picks a layer's color: one of the 255 index colors of the drawing's
// palette, or any true color. A true color that equals an index color is
// taken as that index, as a drawing stores it.
class LayerColorDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerColorDialog)

public:
    explicit LayerColorDialog(QWidget* parent = nullptr);
    ~LayerColorDialog() override;

    // index 1..255, or 0 for the true color.
    void setColor(int index, const QColor& color);
    int colorIndex() const { return m_index; }
    QColor color() const { return m_color; }
    QListWidget* indexList() const { return m_list; }

public slots:
    // Opens the true color picker.
    void pickTrueColor();

private:
    void showChoice();

    QListWidget* m_list;
    QLabel* m_choice;
    int m_index = 7;
    QColor m_color;
};

} // namespace Demo
