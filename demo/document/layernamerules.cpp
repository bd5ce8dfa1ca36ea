#include "layernamerules.h"

#include "dxfimport.h"
#include "dxflayerentry.h"
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
    const QString stored = checkStoredName(table, name, QStringLiteral("layer"));
    if (!stored.isEmpty())
        return stored;
    const DkDbObjectId existing = table.findLayer(name);
    if (!existing.isNull()) {
        const QString taken = HostLayerTable::layerName(table.database()->peekLayer(existing));
        if (exceptName.isEmpty() || layerKey(taken) != layerKey(exceptName))
            return QStringLiteral("A layer named \"%1\" already exists.").arg(taken);
    }
    return QString();
}

// What the file cannot hold would read back as another name.
QString LayerNameRules::checkStoredName(const HostLayerTable& table, const QString& name, const QString& kind)
{
    const DxfText& text = table.fileText();
    if (!text.canStore(name))
        return QStringLiteral("\"%1\" holds a character this drawing's file cannot store.").arg(name);
    const int bytes = text.encode(name).size();
    if (bytes > DxfImport::maxNameLength)
        return QStringLiteral("A %1 name can take at most %2 bytes in this drawing's file; this one takes %3.")
            .arg(kind)
            .arg(DxfImport::maxNameLength)
            .arg(bytes);
    return QString();
}

QString LayerNameRules::checkDescription(const HostLayerTable& table, const QString& text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A layer description cannot hold line breaks, tabs or other control characters.");
    }
    const DxfText& file = table.fileText();
    if (!file.canStore(text))
        return QStringLiteral("The description holds a character this drawing's file cannot store.");
    const int bytes = file.encode(text).size();
    if (bytes > DxfLayerEntry::maxDescriptionBytes)
        return QStringLiteral("A layer description can take at most %1 bytes in this drawing's file; this one takes %2.")
            .arg(DxfLayerEntry::maxDescriptionBytes)
            .arg(bytes);
    return QString();
}

} // namespace Demo
