#include "searchlayeredit.h"

#include "keyedpixmap.h"

#include <QHBoxLayout>
#include <QIcon>
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
    // Keyed like the other bitmaps, so a magenta ground never shows.
    searchBtn->setIcon(QIcon(loadKeyedPixmap(path)));
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
