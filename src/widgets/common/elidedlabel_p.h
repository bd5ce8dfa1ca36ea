#pragma once

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QtMath>

namespace KvCc {

// A one-line text label that asks for little width and paints its text cut
// short with an ellipsis when it does not fit, so a long name never widens
// or overflows the small faces and rows it sits in. The full text stays
// available through text() and as the tooltip.
//
// Its size hints are worked out from the font alone, without laying the text
// out: QLabel lays out its text three times to answer them, which made the
// label the dearest part of a row of the layer drop-down. Where the label
// has room of its own (the rows) it asks for no more than its minimum; where
// it shares the room with a stretch (the faces), sizeHintFollowsText makes it
// ask for the width of its text.
class ElidedLabel : public QLabel
{
public:
    explicit ElidedLabel(QWidget* parent = nullptr, bool sizeHintFollowsText = true)
        : QLabel(parent)
        , m_sizeHintFollowsText(sizeHintFollowsText)
    {
        setTextFormat(Qt::PlainText);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

    QSize minimumSizeHint() const override
    {
        const QFontMetrics metrics = fontMetrics();
        return grown(QSize(metrics.horizontalAdvance(QLatin1Char('x')) * 3, metrics.height()));
    }

    QSize sizeHint() const override
    {
        if (!m_sizeHintFollowsText)
            return minimumSizeHint();
        if (m_hintText != text() || !m_hint.isValid()) {
            // Shaped text can be a fraction of a pixel wider than its rounded
            // advance, and eliding compares the exact width: round up.
            const QFontMetricsF metrics(font());
            m_hintText = text();
            m_hint = grown(QSize(qCeil(metrics.horizontalAdvance(m_hintText)) + 1, qCeil(metrics.height())));
        }
        return m_hint;
    }

protected:
    // Aligned by the widget's layout direction, not the text's own: a
    // right-to-left name starts where the others do.
    void paintEvent(QPaintEvent*) override
    {
        const QRect area = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
        QPainter painter(this);
        style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                              palette(), isEnabled(), shown, foregroundRole());
    }

    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_hint = QSize();
        QLabel::changeEvent(event);
    }

private:
    QSize grown(QSize size) const
    {
        const QMargins margins = contentsMargins();
        const int frame = 2 * margin();
        return size + QSize(margins.left() + margins.right() + frame, margins.top() + margins.bottom() + frame);
    }

    const bool m_sizeHintFollowsText;
    mutable QString m_hintText;
    mutable QSize m_hint;
};

} // namespace KvCc
