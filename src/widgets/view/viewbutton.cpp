#include "viewbutton.h"

#include "standardviews_p.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace KvCc {

namespace {

constexpr int buttonHeight = 20;
// Room beside the text.
constexpr int textPadding = 4;

} // namespace

ViewButton::ViewButton(QWidget* parent)
    : QPushButton(QStringLiteral("Top"), parent)
{
    setFixedHeight(buttonHeight);
    setFixedWidth(fontMetrics().horizontalAdvance(text()) + textPadding);
    setFlat(true);

    auto* menu = new QMenu;
    actionGroup = new QActionGroup(this);
    const QStringList names = standardViewNames();
    for (const QString& name : names) {
        auto* action = new QAction(menu);
        action->setText(name);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(name == names.first());
        menu->addAction(action);
        actionGroup->addAction(action);
    }
    setMenu(menu);
    connect(actionGroup, SIGNAL(triggered(QAction*)), this, SLOT(options(QAction*)));

    menu->setObjectName(tr("topMenu"));
    setObjectName(tr("viewBtn"));
}

ViewButton::~ViewButton()
{
    delete actionGroup;
    actionGroup = nullptr;
    delete menu();
}

void ViewButton::options(QAction* action)
{
    if (!action)
        return;
    const QString name = action->objectName();
    setText(name);
    setFixedWidth(fontMetrics().horizontalAdvance(name) + textPadding);
    for (QAction* entry : actionGroup->actions())
        entry->setChecked(entry->objectName() == name);
    emit geometryChanged();
}

} // namespace KvCc
