#include "widgetfactory.h"

#include "keyedpixmap.h"

#include <QIcon>

namespace KvCc {

WidgetFactory::WidgetFactory(const WidgetEntry& entry, QObject* parent)
    : QObject(parent)
    , entry(entry)
{
}

WidgetFactory::~WidgetFactory() = default;

QString WidgetFactory::name() const
{
    return entry.className;
}

QString WidgetFactory::group() const
{
    return QStringLiteral("KvCustomControl CAD widgets");
}

QString WidgetFactory::toolTip() const
{
    return entry.toolTip;
}

QString WidgetFactory::whatsThis() const
{
    return entry.toolTip;
}

// The angle brackets make uic write #include <KvCustomControl/...>, the
// path under which the package installs its headers.
QString WidgetFactory::includeFile() const
{
    return QStringLiteral("<KvCustomControl/%1>").arg(entry.header);
}

QIcon WidgetFactory::icon() const
{
    // The bitmaps of the set key their background with magenta.
    return QIcon(loadKeyedPixmap(entry.iconPath));
}

bool WidgetFactory::isContainer() const
{
    return false;
}

QWidget* WidgetFactory::createWidget(QWidget* parent)
{
    return entry.create(parent);
}

bool WidgetFactory::isInitialized() const
{
    return initialized;
}

void WidgetFactory::initialize(QDesignerFormEditorInterface*)
{
    initialized = true;
}

// The object name is the class name without namespace, first letter small.
QString WidgetFactory::domXml() const
{
    QString objectName = entry.className.section(QStringLiteral("::"), -1);
    objectName[0] = objectName.at(0).toLower();
    return QStringLiteral(
               "<ui language=\"c++\">\n"
               " <widget class=\"%1\" name=\"%2\">\n"
               "  <property name=\"geometry\">\n"
               "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
               "  </property>\n"
               " </widget>\n"
               "</ui>\n")
        .arg(entry.className, objectName)
        .arg(entry.defaultSize.width())
        .arg(entry.defaultSize.height());
}

} // namespace KvCc
