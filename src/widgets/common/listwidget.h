#pragma once

#include "kvcustomcontrol_export.h"

#include <QListWidget>

namespace KvCc {

// The list of a drop-down's popup. It reports the chosen row when the left
// button is released over it, and only when the press was seen here too, so a
// press that opens the popup and a release over the list choose nothing.
// Return and Enter report the current row as well, for the keyboard.
class KVCUSTOMCONTROL_EXPORT ListWidget : public QListWidget
{
    Q_OBJECT

public:
    explicit ListWidget(QWidget* parent = nullptr);
    ~ListWidget() override;

signals:
    void showItem(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Q_DISABLE_COPY(ListWidget)

    bool m_leftPressed = false;
};

} // namespace KvCc
