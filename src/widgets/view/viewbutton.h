#pragma once

#include "kvcustomcontrol_export.h"

#include <QPushButton>

class QAction;
class QActionGroup;

namespace KvCc {

/// Flat ribbon button showing the name of the current standard view, with a
/// menu of the ten standard views of which the current one is checked.
/// Picking a view makes it the button's text, fits the width to it and emits
/// geometryChanged(); the view itself is changed by the host.
class KVCUSTOMCONTROL_EXPORT ViewButton : public QPushButton
{
    Q_OBJECT

public:
    /// Builds the button with its menu; the first view is current.
    explicit ViewButton(QWidget* parent = nullptr);
    /// Deletes the menu too, which has no parent.
    ~ViewButton() override;

signals:
    /// The button took a new width for the picked view's name.
    void geometryChanged();

protected slots:
    /// A view was picked: shows its name, fits the width, emits geometryChanged().
    void options(QAction* action);

private:
    Q_DISABLE_COPY(ViewButton)

    void fitWidthTo(const QString& text);

    QActionGroup* actionGroup = nullptr;
};

} // namespace KvCc
