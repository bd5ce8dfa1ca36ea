#include "palettedock.h"

#include "layercolumns.h"
#include "layermanager.h"
#include "layertablewidget.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace Demo {

PaletteDock::PaletteDock(QWidget* parent) : QDockWidget(QStringLiteral("Layer Manager"), parent)
{
    setObjectName(QStringLiteral("layerPaletteDock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_palette = new KvCc::LayerManager(body);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    auto addButton = [&](KvCc::LayerManager::LayerIcons icon, const QString& tip) {
        auto* button = new QToolButton(body);
        button->setIcon(QIcon(m_palette->drawIcon(icon, QSize(16, 16))));
        button->setToolTip(tip);
        button->setAutoRaise(true);
        buttons->addWidget(button);
        return button;
    };
    m_newButton = addButton(KvCc::LayerManager::IconNew, QStringLiteral("New layer"));
    m_deleteButton = addButton(KvCc::LayerManager::IconDelete, QStringLiteral("Delete layer"));
    m_currentButton = addButton(KvCc::LayerManager::IconCurrent, QStringLiteral("Set current layer"));
    buttons->addSpacing(8);
    buttons->addWidget(new QLabel(QStringLiteral("Double click a color, linetype, lineweight or description to change it"), body));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(m_palette, 1);
    setWidget(body);
    // Room for names and color names as drawings spell them.
    m_palette->layerTableWidget()->setColumnWidth(KvCc::NameColumn, 150);
    m_palette->layerTableWidget()->setColumnWidth(KvCc::ColorColumn, 90);
}

PaletteDock::~PaletteDock() = default;

void PaletteDock::connectButtons(QAction* newLayer, QAction* deleteLayers, QAction* makeCurrent)
{
    const QList<QPair<QToolButton*, QAction*>> pairs{
        {m_newButton, newLayer}, {m_deleteButton, deleteLayers}, {m_currentButton, makeCurrent}};
    for (const auto& b : pairs) {
        b.first->setToolTip(QStringLiteral("%1 (%2)").arg(b.first->toolTip(), b.second->shortcut().toString(QKeySequence::NativeText)));
        connect(b.first, &QToolButton::clicked, b.second, &QAction::trigger);
    }
}

} // namespace Demo
