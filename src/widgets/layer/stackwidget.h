#pragma once

#include "kvcustomcontrol_export.h"

#include <QPointer>
#include <QStackedWidget>

namespace KvCc {

class LayerControl;

/// The floating property page of a LayerControl: a frameless tool window that
/// stays below the control. Page 0 is the property page, page 1 an empty page
/// shown while the control is folded. It follows the control when the control
/// moves or resizes, and when the control's own window moves or resizes.
class KVCUSTOMCONTROL_EXPORT StackWidget : public QStackedWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(StackWidget)

public:
    /// Builds the page for control and follows it from now on.
    explicit StackWidget(LayerControl* control, QWidget* parent = nullptr);
    ~StackWidget() override;

    /// Follows moves, resizes and hiding of the control and its window.
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    /// Shows the empty page when bHide is true, the property page otherwise,
    /// and shows the window in its place below the control.
    void hide(bool bHide);
    /// Places the window below the control.
    void adjustGeometry();

private:
    // Watches the control's top-level window, which may change when the host
    // puts the control into its ribbon after building it.
    void watchControlWindow();
    // Shapes the window to what its current page draws.
    void shapeWindow();

    // The LayerControl given at construction, held as a plain widget: its
    // events still reach eventFilter() while it is being destroyed.
    QPointer<QWidget> layerControl;
    QPointer<QWidget> watchedWindow;
    // Whether the window was put away because the control was hidden.
    bool hiddenWithControl = false;
    bool shaping = false;
};

} // namespace KvCc
