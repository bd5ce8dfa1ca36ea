#include "layercolumns.h"

#include <QVariant>
#include <QVector>

namespace KvCc {

const QStringList& layerTableHeaders()
{
    static const QStringList headers = {
        QString(),
        QStringLiteral("Name"),
        QStringLiteral("On"),
        QStringLiteral("Freeze"),
        QStringLiteral("Lock"),
        QStringLiteral("Color"),
        QStringLiteral("Linetype"),
        QStringLiteral("Lineweight"),
        QStringLiteral("Plot Style"),
        QStringLiteral("Plot"),
        QStringLiteral("New Viewport Freeze"),
        QStringLiteral("VP Freeze"),
        QStringLiteral("Description"),
    };
    return headers;
}

bool layerCellIsTrue(const QVariant& value)
{
    if (value.userType() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString();
    return !(text.isEmpty() || text == QLatin1String("0")
             || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0);
}

LayerColorText parseLayerColorText(const QString& text)
{
    LayerColorText result;
    const int start = text.indexOf(QLatin1Char('*')) + 1;
    const int semicolon = text.lastIndexOf(QLatin1Char(';'));
    if (semicolon < start) {
        result.name = text.mid(start);
        result.color = QColor::isValidColor(result.name) ? QColor(result.name) : QColor(Qt::black);
        result.color.setAlpha(255);
        return result;
    }
    result.name = text.mid(start, semicolon - start);
    const QStringList parts = text.mid(semicolon + 1).split(QLatin1Char(','));
    int rgb[3] = {0, 0, 0};
    for (int i = 0; i < 3 && i < parts.size(); ++i)
        rgb[i] = qBound(0, parts.at(i).trimmed().toInt(), 255);
    result.color = QColor(rgb[0], rgb[1], rgb[2], 255);
    return result;
}

} // namespace KvCc
