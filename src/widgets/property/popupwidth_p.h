#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QStringList>
#include <QStyle>

namespace KvCc {

// Widens the popup of a selector narrower than its rows: a 150 pixel popup
// cuts off the texts beside 48 pixel samples and the label of the settings
// button. The popup keeps at least the selector's width.
inline void fitPopupWidth(QComboBox* combo, int iconWidth, const QStringList& rowTexts, const QString& buttonText)
{
    const QFontMetrics metrics(combo->font());
    int widest = 0;
    for (const QString& text : rowTexts)
        widest = qMax(widest, metrics.horizontalAdvance(text));
    const int scrollBar = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo);
    const int rowWidth = iconWidth + widest + scrollBar + 32;
    const int buttonWidth = buttonText.isEmpty() ? 0 : metrics.horizontalAdvance(buttonText) + 32;
    combo->view()->setMinimumWidth(qMax(rowWidth, buttonWidth));
}

} // namespace KvCc
