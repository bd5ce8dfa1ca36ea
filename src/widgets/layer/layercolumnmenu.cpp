#include "layercolumnmenu_p.h"

#include "layeraction.h"
#include "layercolumns.h"
#include "layertexts_p.h"

#include <QMenu>
#include <QSettings>

namespace KvCc {

namespace LayerColumnMenu {

namespace {

// One group per entry, named by its column's header label.
const char* const checkedKey = "isChecked";
const char* const checkableKey = "isCheckable";
const char* const enabledKey = "isEnabled";

// The host's settings store, which every layer table of the process shares.
QSettings openSettings()
{
    return QSettings(QStringLiteral("Quorvane"), QStringLiteral("VantorViewer"));
}

} // namespace

QMenu* create(const QString& title, QWidget* parent)
{
    auto* menu = new QMenu(title, parent);
    QSettings settings = openSettings();
    const QStringList& labels = layerTableHeaders();
    for (int i = 0; i < labels.size(); ++i) {
        if (i == CurrentColumn || i == ViewportFreezeColumn)
            continue;
        settings.beginGroup(labels.at(i));
        auto* action = new LayerAction(LayerTexts::headerLabel(i), menu);
        action->setObjectName(labels.at(i));
        // No stored value may leave a column that the menu can never bring
        // back: every entry stays checkable, and the name is always shown.
        action->setCheckable(true);
        action->setChecked(i == NameColumn || settings.value(QLatin1String(checkedKey), true).toBool());
        menu->addAction(action);
        if (i == NameColumn)
            action->setEnabled(false);
        settings.endGroup();
    }
    return menu;
}

void writeSettings(const QMenu* menu)
{
    QSettings settings = openSettings();
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        settings.beginGroup(action->objectName());
        settings.setValue(QLatin1String(checkedKey), action->isChecked());
        settings.setValue(QLatin1String(checkableKey), action->isCheckable());
        settings.setValue(QLatin1String(enabledKey), action->isEnabled());
        settings.endGroup();
    }
}

} // namespace LayerColumnMenu

} // namespace KvCc
