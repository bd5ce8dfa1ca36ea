#pragma once

#include <QDockWidget>

class QAction;
class QToolButton;

namespace KvCc {
class LayerManager;
} // namespace KvCc

namespace Demo {

// The dock that holds the layer manager palette, with buttons for new
// layer, delete layer and set current above it and a hint on what a double
// click on a cell edits.
class PaletteDock : public QDockWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PaletteDock)

public:
    explicit PaletteDock(QWidget* parent = nullptr);
    ~PaletteDock() override;

    KvCc::LayerManager* palette() const { return m_palette; }
    QToolButton* newButton() const { return m_newButton; }
    QToolButton* deleteButton() const { return m_deleteButton; }
    QToolButton* currentButton() const { return m_currentButton; }
    // The buttons trigger these actions and name their shortcuts in their tool tips.
    void connectButtons(QAction* newLayer, QAction* deleteLayers, QAction* makeCurrent);

private:
    KvCc::LayerManager* m_palette = nullptr;
    QToolButton* m_newButton = nullptr;
    QToolButton* m_deleteButton = nullptr;
    QToolButton* m_currentButton = nullptr;
};

} // namespace Demo
