#include "openprogress.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

namespace Demo {

OpenProgress::OpenProgress(QWidget* parent)
    : QWidget(parent)
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("openProgress"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    m_bar->setRange(0, 1000);
    m_bar->setMaximumWidth(200);
    m_bar->setFormat(QStringLiteral("Opening %p%"));
    const QFontMetrics metrics = m_bar->fontMetrics();
    m_bar->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Opening 100%")) + 2 * metrics.height());
    // Kept at its natural width: the status line's spare room is not a
    // reason for a wider button.
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    connect(m_cancel, &QPushButton::clicked, this, &OpenProgress::cancel);
    connect(&m_open, &BackgroundOpen::progressed, m_bar, &QProgressBar::setValue);
    connect(&m_open, &BackgroundOpen::finished, this, &OpenProgress::finish);
    hide();
}

OpenProgress::~OpenProgress() = default;

void OpenProgress::start(const QString& path)
{
    if (m_open.isRunning())
        return;
    m_bar->setValue(0);
    m_bar->setToolTip(path);
    show();
    m_open.start(path);
}

void OpenProgress::finish()
{
    hide();
    if (m_open.wasCancelled())
        emit cancelled(m_open.path());
    else if (!m_open.result().ok)
        emit failed(m_open.result().error);
    else
        emit read(m_open.file(), m_open.result().drawing);
}

} // namespace Demo
