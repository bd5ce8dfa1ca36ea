#include "viewbutton.h"

#include "standardviews_p.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionButton>

namespace KvCc {

namespace {

constexpr int buttonHeight = 20;
// The frame takes two pixels on either side of the text.
constexpr int textPadding = 4;

} // namespace

ViewButton::ViewButton(QWidget* parent)
    : QPushButton(QStringLiteral("Top"), parent)
{
    setFixedHeight(buttonHeight);
    fitWidthTo(text());
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

void ViewButton::fitWidthTo(const QString& text)
{
    // The arrow that marks the menu is drawn beside the text; without room
    // of its own it would cover the end of the text.
    QStyleOptionButton option;
    initStyleOption(&option);
    const int arrow = style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, this);
    setFixedWidth(fontMetrics().horizontalAdvance(text) + textPadding + arrow);
}

void ViewButton::options(QAction* action)
{
    if (!action)
        return;
    const QString name = action->objectName();
    setText(name);
    fitWidthTo(name);
    for (QAction* entry : actionGroup->actions())
        entry->setChecked(entry->objectName() == name);
    emit geometryChanged();
}

} // namespace KvCc
