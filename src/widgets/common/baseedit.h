#pragma once

#include "kvcustomcontrol_export.h"

#include <QLineEdit>
#include <QPixmap>

class QLabel;

namespace KvCc {

/// The closed face of a picture-and-text drop-down: a read-only line edit that
/// shows a small picture and a text side by side instead of editable text.
class KVCUSTOMCONTROL_EXPORT BaseEdit : public QLineEdit
{
    Q_OBJECT

public:
    /// Builds an empty, read-only face.
    explicit BaseEdit(QWidget* parent = nullptr);
    ~BaseEdit() override;

    /// Hides the picture; only the text is shown.
    void hideIcon();
    /// Shows pixmap at the left of the text.
    void setCurrentIcon(QPixmap pixmap);
    /// Shows the text with its white space trimmed and runs of blanks collapsed.
    void setCurrentText(QString text);

    /// What the face shows, for hosts that read it back.
    /// The picture the face shows.
    QPixmap currentIcon() const;
    /// The text the face shows, as setCurrentText() trimmed it.
    QString currentText() const;

private:
    Q_DISABLE_COPY(BaseEdit)

    QLabel* m_iconLabel = nullptr;
    QLabel* m_textLabel = nullptr;
};

} // namespace KvCc
