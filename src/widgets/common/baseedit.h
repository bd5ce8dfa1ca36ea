#pragma once

#include "kvcustomcontrol_export.h"

#include <QLineEdit>
#include <QPixmap>

class QLabel;

namespace KvCc {

// The closed face of a picture-and-text drop-down: a read-only line edit that
// shows a small picture and a text side by side instead of editable text.
class KVCUSTOMCONTROL_EXPORT BaseEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit BaseEdit(QWidget* parent = nullptr);
    ~BaseEdit() override;

    void hideIcon();
    void setCurrentIcon(QPixmap pixmap);
    // Shows the text with its white space trimmed and runs of blanks collapsed.
    void setCurrentText(QString text);

    // What the face shows, for hosts that read it back.
    QPixmap currentIcon() const;
    QString currentText() const;

private:
    Q_DISABLE_COPY(BaseEdit)

    QLabel* m_iconLabel = nullptr;
    QLabel* m_textLabel = nullptr;
};

} // namespace KvCc
