#include "viewbutton.h"

#include "standardviews_p.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QProxyStyle>
#include <QStyleOptionButton>

namespace KvCc {

namespace {

constexpr int buttonHeight = 20;
// The frame takes two pixels on either side of the text.
constexpr int textPadding = 4;

// The button is exactly as wide as its text, so the style must neither draw
// the menu arrow over the text nor keep room for it, which would clip the
// name at both ends. The name itself tells that the button holds a choice.
class NoMenuArrowStyle : public QProxyStyle
{
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (button && (element == CE_PushButton || element == CE_PushButtonLabel)) {
            QStyleOptionButton plain(*button);
            plain.features &= ~QStyleOptionButton::HasMenu;
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

// The button shows only a view's name: screen readers hear what it is for.
void nameView(ViewButton* button, const QString& view)
{
    button->setAccessibleName(ViewButton::tr("View: %1").arg(view));
    button->setToolTip(ViewButton::tr("Standard view: %1").arg(view));
}

} // namespace

ViewButton::ViewButton(QWidget* parent)
    : QPushButton(standardViewText(standardViewNames().first()), parent)
{
    auto* buttonStyle = new NoMenuArrowStyle;
    buttonStyle->setParent(this);
    setStyle(buttonStyle);
    setFixedHeight(buttonHeight);
    fitWidthTo(text());
    setFlat(true);

    auto* menu = new QMenu;
    actionGroup = new QActionGroup(this);
    const QStringList names = standardViewNames();
    for (const QString& name : names) {
        auto* action = new QAction(menu);
        action->setText(standardViewText(name));
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(name == names.first());
        menu->addAction(action);
        actionGroup->addAction(action);
    }
    setMenu(menu);
    connect(actionGroup, &QActionGroup::triggered, this, &ViewButton::options);

    //: A name for code, never shown: keep it as it is.
    menu->setObjectName(tr("topMenu"));
    //: A name for code, never shown: keep it as it is.
    setObjectName(tr("viewBtn"));
    nameView(this, text());
}

ViewButton::~ViewButton()
{
    delete actionGroup;
    actionGroup = nullptr;
    delete menu();
}

void ViewButton::fitWidthTo(const QString& text)
{
    setFixedWidth(fontMetrics().horizontalAdvance(text) + textPadding);
}

QString ViewButton::viewName() const
{
    const QAction* checked = actionGroup->checkedAction();
    return checked ? checked->objectName() : QString();
}

void ViewButton::showView(const QString& name)
{
    setText(standardViewText(name));
    fitWidthTo(text());
    nameView(this, text());
    for (QAction* entry : actionGroup->actions())
        entry->setChecked(entry->objectName() == name);
    emit geometryChanged();
}

bool ViewButton::setViewName(const QString& name)
{
    if (!standardViewNames().contains(name))
        return false;
    showView(name);
    return true;
}

void ViewButton::options(QAction* action)
{
    if (!action)
        return;
    const QString name = action->objectName();
    showView(name);
    emit viewPicked(name);
}

} // namespace KvCc
