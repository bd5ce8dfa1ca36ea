#include "linetypestyle.h"

namespace Demo {

Qt::PenStyle linetypePenStyle(const QString& linetype)
{
    const QString name = linetype.toUpper();
    if (name.contains(QLatin1String("DASHDOT")) || name.contains(QLatin1String("CENTER"))
        || name.contains(QLatin1String("PHANTOM")))
        return Qt::DashDotLine;
    if (name.contains(QLatin1String("DOT")))
        return Qt::DotLine;
    if (name.contains(QLatin1String("DASH")) || name.contains(QLatin1String("HIDDEN")))
        return Qt::DashLine;
    return Qt::SolidLine;
}

} // namespace Demo
