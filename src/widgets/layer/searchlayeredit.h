#pragma once

#include "kvcustomcontrol_export.h"

#include <QLineEdit>

class QPushButton;

namespace KvCc {

/// The layer manager's search box. Every keystroke reports the pattern; the
/// button at the right end shows a search glyph while the box is empty and
/// a close glyph, which empties it, while it holds text.
class KVCUSTOMCONTROL_EXPORT SearchLayerEdit : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY(SearchLayerEdit)

public:
    /// Builds an empty search box.
    explicit SearchLayerEdit(QWidget* parent = nullptr);
    ~SearchLayerEdit() override;

signals:
    /// The empty text means that every row is shown.
    void searchTextChanged(const QString& text);

public slots:
    /// The button at the right end: empties the box and reports the empty text.
    void slotSearchButton();
    /// Shows the fitting glyph and emits searchTextChanged().
    void slotTextChanged(const QString& text);
    /// Drops a lone "*" or an empty text when the box loses the focus.
    void slotLoseFocus();

protected:
    /// As QLineEdit does.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showGlyph(const QString& path);

    QPushButton* searchBtn = nullptr;
};

} // namespace KvCc
