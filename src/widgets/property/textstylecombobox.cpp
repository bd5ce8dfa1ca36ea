#include "textstylecombobox.h"


#include <QPainter>
#include <QPixmap>

namespace KvCc {

namespace {

// The widget font is too large for a 48 x 16 preview: take the largest size
// at which the sample fits inside the frame.
QFont sampleFont(const QString& text)
{
    QFont font;
    for (int pixels = 11; pixels > 5; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(text) <= 42 && metrics.height() <= 14)
            break;
    }
    return font;
}

} // namespace

TextStyleComboBox::TextStyleComboBox(QWidget* parent)
    : BaseComboBox(parent)
{
    setFixedSize(150, 20);
    setItemIconSize(QSize(48, 16));
    setViewMode(1);
    setButtonText(tr("Manager Text Styles..."));
    hideShowIcon();

    styleNames << QStringLiteral("Standard");
    sampleTexts << QStringLiteral("AaBbCc");

    // Black on white in a light palette; the palette's text on its base in a dark one.
    const QPen pen(QBrush(palette().color(QPalette::Text), Qt::SolidPattern), 1, Qt::SolidLine,
                   Qt::SquareCap, Qt::BevelJoin);
    for (int i = 0; i < styleNames.size(); ++i) {
        QPixmap preview(48, 16);
        preview.fill(palette().color(QPalette::Base));
        QPainter painter(&preview);
        painter.setPen(pen);
        painter.setFont(sampleFont(sampleTexts.at(i)));
        painter.drawText(preview.rect(), Qt::AlignCenter, sampleTexts.at(i));
        painter.drawRect(QRect(1, 1, 45, 14));
        painter.end();
        addItem(preview, styleNames.at(i));
    }

    const int n = styleNames.size();
    setListWidgetHeight(n > 9 ? 830 : 80 * n + 30);
    setCurrentIndex(0);
}

TextStyleComboBox::~TextStyleComboBox() = default;

void TextStyleComboBox::openDialog()
{
}

} // namespace KvCc
