#pragma once

#include "enterevent.h"
#include "kvcustomcontrol_export.h"

#include <QWidget>

class QPushButton;

namespace KvCc {

/// A frameless strip of three 20 x 20 buttons (minimize, restore, close) with
/// white glyphs, for a host's own caption area. It forwards the clicks and
/// reports the mouse entering and leaving it.
class KVCUSTOMCONTROL_EXPORT MinMaxButton : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MinMaxButton)

public:
    /// Builds the three buttons.
    explicit MinMaxButton(QWidget* parent = nullptr);
    ~MinMaxButton() override;

signals:
    /// true when the mouse enters the strip, false when it leaves.
    void enter(bool entered);
    /// The close button was clicked.
    void clickedClosed();
    /// The minimize button was clicked.
    void clickedMin();
    /// The restore button was clicked.
    void clickedNormal();

protected:
    /// Emits enter(true).
    void enterEvent(EnterEvent* event) override;
    /// Emits enter(false).
    void leaveEvent(QEvent* event) override;

private:
    QPushButton* minButton = nullptr;
    QPushButton* normalButton = nullptr;
    QPushButton* closeButton = nullptr;
};

} // namespace KvCc
