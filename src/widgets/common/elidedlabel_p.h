#pragma once

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace KvCc {

// A one-line text label that asks for little width and paints its text cut
// short with an ellipsis when it does not fit, so a long name never widens
// or overflows the small faces and rows it sits in. The full text stays
// available through text() and as the tooltip.
class ElidedLabel : public QLabel
{
public:
    explicit ElidedLabel(QWidget* parent = nullptr)
        : QLabel(parent)
    {
        setTextFormat(Qt::PlainText);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

    QSize minimumSizeHint() const override
    {
        const QSize hint = QLabel::minimumSizeHint();
        return QSize(qMin(hint.width(), fontMetrics().horizontalAdvance(QLatin1Char('x')) * 3),
                     hint.height());
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QRect area = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
        if (shown == text()) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                              palette(), isEnabled(), shown, foregroundRole());
    }
};

} // namespace KvCc
