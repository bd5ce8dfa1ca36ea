#pragma once

#include "ribboncontrols_export.h"

#include <QMenu>

namespace JtRc {

// A popup menu that can hold whole widgets, such as a gallery, besides
// ordinary actions.
class RIBBONCONTROLS_EXPORT OfficePopupMenu : public QMenu
{
    Q_OBJECT

public:
    explicit OfficePopupMenu(QWidget* parent = nullptr);
    ~OfficePopupMenu() override;

    // A new menu; with no parent the caller owns it.
    static OfficePopupMenu* createPopupMenu(QWidget* parent = nullptr);

    // Shows widget as an entry of the menu. The menu deletes the widget with
    // itself unless someone deleted it before.
    QAction* addWidget(QWidget* widget);

private:
    Q_DISABLE_COPY(OfficePopupMenu)
};

} // namespace JtRc
