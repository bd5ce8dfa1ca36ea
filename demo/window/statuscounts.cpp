#include "statuscounts.h"

#include "drawingdocument.h"

#include <QHBoxLayout>
#include <QLabel>

namespace Demo {

StatusCounts::StatusCounts(QWidget* parent)
    : QWidget(parent)
    , m_layers(new QLabel(this))
    , m_objects(new QLabel(this))
    , m_skipped(new QLabel(this))
{
    m_layers->setObjectName(QStringLiteral("layerStatus"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QLabel* label : {m_layers, m_objects, m_skipped})
        layout->addWidget(label);
}

StatusCounts::~StatusCounts() = default;

void StatusCounts::showCounts(const DrawingDocument& document)
{
    const Drawing& d = document.drawing();
    m_layers->setText(QStringLiteral("Layers: %1").arg(document.table().layerCount()));
    m_objects->setText(QStringLiteral("Objects: %1").arg(d.entities.size()));
    // The whole list goes into the tool tip; the bar names the most common kinds.
    const QString skipped = d.skippedSummary();
    m_skipped->setText(skipped.isEmpty() ? QString() : QStringLiteral("Not drawn: %1").arg(d.commonSkipped(4)));
    m_skipped->setToolTip(skipped);
    m_skipped->setVisible(!skipped.isEmpty());
}

} // namespace Demo
