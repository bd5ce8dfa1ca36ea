#pragma once

#include "kvcustomcontrol_export.h"

#include <QPushButton>

class QAction;
class QActionGroup;

namespace KvCc {

/// Flat ribbon button showing the name of the current standard view, with a
/// menu of the ten standard views of which the current one is checked.
/// Picking a view makes it the button's text, fits the width to it and emits
/// geometryChanged() and viewPicked(); the view itself is changed by the host.
class KVCUSTOMCONTROL_EXPORT ViewButton : public QPushButton
{
    Q_OBJECT

public:
    /// Builds the button with its menu; the first view is current.
    explicit ViewButton(QWidget* parent = nullptr);
    /// Deletes the menu too, which has no parent.
    ~ViewButton() override;

    /// The English name of the current view ("Top", "Southeast"), the same
    /// in every language while the button's text is translated.
    QString viewName() const;

public slots:
    /// Shows the view of name ("Front") as current, as a pick would, but
    /// reports no pick: emits geometryChanged() only. False, and nothing
    /// changed, for a name that is not a standard view.
    bool setViewName(const QString& name);

signals:
    /// The button took a new width for the picked view's name.
    void geometryChanged();
    /// The user picked the view of name (its English name) in the menu;
    /// emitted after geometryChanged().
    void viewPicked(const QString& name);

protected slots:
    /// A view was picked: shows its name, fits the width, emits geometryChanged().
    void options(QAction* action);

private:
    Q_DISABLE_COPY(ViewButton)

    void fitWidthTo(const QString& text);
    void showView(const QString& name);

    QActionGroup* actionGroup = nullptr;
};

} // namespace KvCc
