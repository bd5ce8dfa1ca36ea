#include "drawingdata.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace Demo {

bool isStandardLineWeight(int hundredths)
{
    static const std::array<int, 24> weights{{0,  5,   9,   13,  15,  18,  20,  25,  30,  35,  40,  50,
                                              53, 60,  70,  80,  90,  100, 106, 120, 140, 158, 200, 211}};
    return std::find(weights.begin(), weights.end(), hundredths) != weights.end();
}

QString layerKey(const QString& name)
{
    return name.toCaseFolded();
}

int Drawing::layerIndex(const QString& name) const
{
    const QString key = layerKey(name);
    for (int i = 0; i < layers.size(); ++i) {
        if (layerKey(layers.at(i).name) == key)
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
    const auto count = [&](const EntityList& entities) {
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

void Drawing::noteOnce(const QString& note)
{
    if (notes.size() < 20 && !notes.contains(note))
        notes.append(note);
}

QString Drawing::commonSkipped(int shown) const
{
    QList<QPair<int, QString>> kinds;
    for (auto it = skipped.constBegin(); it != skipped.constEnd(); ++it)
        kinds.append(qMakePair(it.value(), it.key()));
    std::sort(kinds.begin(), kinds.end(), [](const QPair<int, QString>& a, const QPair<int, QString>& b) {
        return a.first > b.first;
    });
    QStringList names;
    for (int i = 0; i < kinds.size() && i < shown; ++i)
        names << QStringLiteral("%1 %2").arg(kinds.at(i).first).arg(kinds.at(i).second);
    QString text = names.join(QStringLiteral(", "));
    if (kinds.size() > shown) {
        const int rest = std::accumulate(kinds.begin() + shown, kinds.end(), 0,
                                         [](int sum, const QPair<int, QString>& k) { return sum + k.first; });
        text += QStringLiteral(" and %1 more of %2 other kinds").arg(rest).arg(kinds.size() - shown);
    }
    return text;
}

QString Drawing::skippedSummary() const
{
    QStringList parts;
    for (auto it = skipped.constBegin(); it != skipped.constEnd(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.value()).arg(it.key());
    return parts.isEmpty() ? QString() : QStringLiteral("Not drawn: %1").arg(parts.join(QStringLiteral(", ")));
}

} // namespace Demo
