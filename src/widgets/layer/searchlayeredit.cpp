#include "searchlayeredit.h"

#include "keyedpixmap.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QPushButton>

namespace KvCc {

namespace {
const char* const searchGlyph = ":/IDB_LAYER_SEARCH.bmp";
const char* const closeGlyph = ":/KvLayer_SearchClose.bmp";
}

SearchLayerEdit::SearchLayerEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setFixedHeight(20);

    searchBtn = new QPushButton(this);
    searchBtn->setFlat(true);
    showGlyph(QLatin1String(searchGlyph));
    const QSize glyphSize = loadKeyedPixmap(QLatin1String(searchGlyph)).size();
    searchBtn->setIconSize(glyphSize);
    searchBtn->setFixedSize(glyphSize);
    searchBtn->setCursor(Qt::ArrowCursor);
    //: A name for code, never shown: keep it as it is.
    searchBtn->setObjectName(tr("searchBtn"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 2, 0);
    layout->setSpacing(0);
    layout->addStretch();
    layout->addWidget(searchBtn);

    setPlaceholderText(tr("Search for layer"));
    setTextMargins(0, 0, searchBtn->width(), 0);

    connect(searchBtn, &QAbstractButton::clicked, this, &SearchLayerEdit::slotSearchButton);
    connect(this, &QLineEdit::textChanged, this, &SearchLayerEdit::slotTextChanged);
    connect(this, &QLineEdit::editingFinished, this, &SearchLayerEdit::slotLoseFocus);
}

SearchLayerEdit::~SearchLayerEdit() = default;

void SearchLayerEdit::showGlyph(const QString& path)
{
    // Keyed like the other bitmaps, so a magenta ground never shows; the
    // glyphs are drawn on white, which must not show as a white square on
    // a dark field either.
    QImage glyph = loadKeyedPixmap(path).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < glyph.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x) {
            if ((line[x] & RGB_MASK) == (qRgb(255, 255, 255) & RGB_MASK))
                line[x] = qRgba(255, 255, 255, 0);
        }
    }
    searchBtn->setIcon(QIcon(QPixmap::fromImage(glyph)));
}

void SearchLayerEdit::slotTextChanged(const QString& text)
{
    showGlyph(QLatin1String(text.isEmpty() ? searchGlyph : closeGlyph));
    emit searchTextChanged(text);
}

void SearchLayerEdit::slotSearchButton()
{
    showGlyph(QLatin1String(searchGlyph));
    clear();
    emit searchTextChanged(QString());
}

void SearchLayerEdit::slotLoseFocus()
{
    if (hasFocus())
        return;
    if (text() != QLatin1String("*") && !text().isEmpty())
        return;
    clear();
    showGlyph(QLatin1String(searchGlyph));
    emit searchTextChanged(QString());
}

void SearchLayerEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
}

} // namespace KvCc
