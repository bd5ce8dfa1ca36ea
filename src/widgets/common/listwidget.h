#pragma once

#include "kvcustomcontrol_export.h"

#include <QListWidget>

namespace KvCc {

/// The list of a drop-down's popup. It reports the chosen row when the left
/// button is released over it, and only when the press was seen here too, so a
/// press that opens the popup and a release over the list choose nothing.
/// Return and Enter report the current row as well, for the keyboard.
class KVCUSTOMCONTROL_EXPORT ListWidget : public QListWidget
{
    Q_OBJECT

public:
    /// Builds an empty list.
    explicit ListWidget(QWidget* parent = nullptr);
    ~ListWidget() override;

signals:
    /// The user chose row with the mouse or the keyboard.
    void showItem(int row);

protected:
    /// Remembers a left press made in the list.
    void mousePressEvent(QMouseEvent* event) override;
    /// Emits showItem() for a left release that follows a press in the list.
    void mouseReleaseEvent(QMouseEvent* event) override;
    /// Emits showItem() for Return and Enter.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Q_DISABLE_COPY(ListWidget)

    bool m_leftPressed = false;
};

} // namespace KvCc
