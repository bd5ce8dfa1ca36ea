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

} // namespace

ViewButton::ViewButton(QWidget* parent)
    : QPushButton(QStringLiteral("Top"), parent)
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
    setFixedWidth(fontMetrics().horizontalAdvance(text) + textPadding);
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
