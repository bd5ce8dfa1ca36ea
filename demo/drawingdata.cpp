#include "drawingdata.h"

#include <algorithm>

namespace Demo {

int Drawing::layerIndex(const QString& name) const
{
    for (int i = 0; i < layers.size(); ++i) {
        if (layers.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int Drawing::blockIndex(const QString& name) const
{
    return blockNames.value(name.toLower(), -1);
}

ObjectCounts Drawing::objectsOn(int layer) const
{
    if (!layerObjects.isEmpty())
        return layerObjects.value(layer);
    // A drawing built in code rather than read has no counts: its entities
    // are counted by what they are.
    static const char* const names[] = {"LINE", "POLYLINE", "CIRCLE", "ARC", "POINT", "TEXT", "INSERT", "HATCH"};
    ObjectCounts counts;
    const auto count = [&](const QVector<DrawingEntity>& entities) {
        for (const DrawingEntity& e : entities) {
            if (e.layer == layer)
                ++counts[QLatin1String(names[e.kind])];
        }
    };
    count(entities);
    for (const DrawingBlock& block : blocks)
        count(block.entities);
    return counts;
}

int Drawing::objectCount(int layer) const
{
    int total = 0;
    for (int n : objectsOn(layer))
        total += n;
    return total;
}

QString Drawing::objectSummary(int layer) const
{
    const ObjectCounts counts = objectsOn(layer);
    QVector<QPair<int, QString>> kinds;
    int total = 0;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
        kinds.append({-it.value(), it.key()});
        total += it.value();
    }
    std::sort(kinds.begin(), kinds.end());
    QStringList parts;
    for (const auto& kind : kinds)
        parts << QStringLiteral("%1 %2").arg(-kind.first).arg(kind.second);
    const QString noun = total == 1 ? QStringLiteral("object") : QStringLiteral("objects");
    return QStringLiteral("%1 %2: %3").arg(total).arg(noun, parts.join(QStringLiteral(", ")));
}

} // namespace Demo
