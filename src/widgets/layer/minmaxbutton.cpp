#include "minmaxbutton.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

#include <functional>

namespace KvCc {

namespace {

QPixmap glyph(const QPen& pen, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(pen);
    draw(painter);
    painter.end();
    return pixmap;
}

} // namespace

MinMaxButton::MinMaxButton(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    //: A name for code, never shown: keep it as it is.
    setObjectName(tr("MinnMaxButton"));

    minButton = new QPushButton(this);
    normalButton = new QPushButton(this);
    closeButton = new QPushButton(this);

    const QPen pen(QBrush(Qt::white, Qt::SolidPattern), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    const QPixmap minGlyph = glyph(pen, [](QPainter& p) { p.drawLine(3, 10, 17, 10); });
    const QPixmap closeGlyph = glyph(pen, [](QPainter& p) {
        p.drawLine(5, 5, 15, 15);
        p.drawLine(15, 5, 5, 15);
    });
    const QPixmap normalGlyph = glyph(pen, [](QPainter& p) {
        p.drawRect(5, 5, 10, 10);
        p.drawLine(8, 2, 20, 2);
        p.drawLine(19, 2, 19, 12);
    });

    minButton->setIcon(QIcon(minGlyph));
    normalButton->setIcon(QIcon(normalGlyph));
    closeButton->setIcon(QIcon(closeGlyph));
    for (QPushButton* button : {minButton, normalButton, closeButton})
        button->setFixedSize(20, 20);

    auto* layout = new QHBoxLayout;
    layout->addWidget(minButton);
    layout->addWidget(normalButton);
    layout->addWidget(closeButton);
    layout->setContentsMargins(0, 0, 0, 0);
    // The strip is exactly three buttons wide: a gap would cut off the close button.
    layout->setSpacing(0);
    setLayout(layout);
    setFixedSize(60, 20);

    connect(closeButton, &QPushButton::clicked, this, &MinMaxButton::clickedClosed);
    connect(minButton, &QPushButton::clicked, this, &MinMaxButton::clickedMin);
    connect(normalButton, &QPushButton::clicked, this, &MinMaxButton::clickedNormal);
}

MinMaxButton::~MinMaxButton() = default;

void MinMaxButton::enterEvent(EnterEvent* event)
{
    emit enter(true);
    QWidget::enterEvent(event);
}

void MinMaxButton::leaveEvent(QEvent* event)
{
    emit enter(false);
    QWidget::leaveEvent(event);
}

} // namespace KvCc
