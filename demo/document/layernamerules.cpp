#include "layernamerules.h"

#include "hostlayertable.h"

namespace Demo {
namespace {

const QString kForbidden = QStringLiteral("<>/\\\":;?*|,=`");

} // namespace

QString LayerNameRules::check(const HostLayerTable& table, const QString& name, const QString& exceptName)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A layer name cannot be empty.");
    if (name != name.trimmed())
        return QStringLiteral("A layer name cannot start or end with a space.");
    if (name.size() > 255)
        return QStringLiteral("A layer name can be at most 255 characters long.");
    for (const QChar c : name) {
        if (kForbidden.contains(c) || c.category() == QChar::Other_Control)
            return QStringLiteral("A layer name cannot contain any of the characters %1").arg(kForbidden);
    }
    const DkDbObjectId existing = table.findLayer(name);
    if (!existing.isNull()) {
        const QString taken = HostLayerTable::layerName(table.database()->peekLayer(existing));
        if (exceptName.isEmpty() || taken.compare(exceptName, Qt::CaseInsensitive) != 0)
            return QStringLiteral("A layer named \"%1\" already exists.").arg(taken);
    }
    return QString();
}

} // namespace Demo
