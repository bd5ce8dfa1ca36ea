#include "officepopupmenu.h"

#include <QWidgetAction>

namespace JtRc {

OfficePopupMenu::OfficePopupMenu(QWidget* parent)
    : QMenu(parent)
{
    // Room for the menu's frame around widgets that fill their entry.
    setContentsMargins(1, 1, 1, 1);
}

OfficePopupMenu::~OfficePopupMenu() = default;

OfficePopupMenu* OfficePopupMenu::createPopupMenu(QWidget* parent)
{
    return new OfficePopupMenu(parent);
}

QAction* OfficePopupMenu::addWidget(QWidget* widget)
{
    if (!widget)
        return nullptr;
    // The widget action keeps only a guarded pointer to the widget, so the
    // widget may be deleted before the menu.
    auto* action = new QWidgetAction(this);
    action->setDefaultWidget(widget);
    addAction(action);
    return action;
}

} // namespace JtRc
