#pragma once

#include "enterevent.h"
#include "kvcustomcontrol_export.h"

#include <QPointer>
#include <QWidget>

namespace KvCc {

class LayerComboBox;

/// A frameless holder of one layer drop-down that reports the mouse entering
/// and leaving it. A host may give it a companion widget whose width
/// adjustGeometry() follows.
class KVCUSTOMCONTROL_EXPORT CustomControl : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CustomControl)

public:
    /// Builds the holder with its layer drop-down.
    explicit CustomControl(QWidget* parent = nullptr);
    ~CustomControl() override;

    /// Room for the layer drop-down.
    QSize sizeHint() const override;

    /// Takes ownership of widget (deleting a previous companion) and fits the
    /// control's width to it at once; null removes the companion.
    void setCompanionWidget(QWidget* widget);
    /// The companion widget, or null.
    QWidget* companion() const;

signals:
    /// true when the mouse enters the control, false when it leaves.
    void enter(bool entered);

public slots:
    /// Fixes the width at the companion widget's width plus 165; does nothing
    /// without a companion widget.
    void adjustGeometry();

protected:
    /// Emits enter(true).
    void enterEvent(EnterEvent* event) override;
    /// Emits enter(false).
    void leaveEvent(QEvent* event) override;

private:
    LayerComboBox* layerComboBox = nullptr;
    // Guarded: a companion deleted by someone else is not deleted twice.
    QPointer<QWidget> companionWidget;
};

} // namespace KvCc
