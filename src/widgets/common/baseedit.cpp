#include "baseedit.h"

#include "elidedlabel_p.h"

#include <QHBoxLayout>
#include <QLabel>

namespace KvCc {

BaseEdit::BaseEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_iconLabel(new QLabel(this))
    , m_textLabel(new ElidedLabel(this))
{
    setReadOnly(true);
    // The labels stand in for the edit's own text, which stays empty.
    setContextMenuPolicy(Qt::NoContextMenu);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_iconLabel);
    layout->addWidget(m_textLabel);
    layout->addStretch();
}

BaseEdit::~BaseEdit() = default;

void BaseEdit::hideIcon()
{
    m_iconLabel->hide();
}

void BaseEdit::setCurrentIcon(QPixmap pixmap)
{
    m_iconLabel->setPixmap(pixmap);
}

void BaseEdit::setCurrentText(QString text)
{
    const QString shown = text.simplified();
    m_textLabel->setText(shown);
    m_textLabel->setToolTip(shown);
}

QPixmap BaseEdit::currentIcon() const
{
    return m_iconLabel->pixmap(Qt::ReturnByValue);
}

QString BaseEdit::currentText() const
{
    return m_textLabel->text();
}

} // namespace KvCc
