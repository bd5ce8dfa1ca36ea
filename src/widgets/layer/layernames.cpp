#include "layernames_p.h"

#include <algorithm>

namespace KvCc {

int generatedLayerNumber(const QString& name)
{
    if (name.size() < 6 || !name.startsWith(QLatin1String("layer"), Qt::CaseInsensitive))
        return 0;
    const QString digits = name.mid(5);
    if (digits.at(0) == QLatin1Char('0'))
        return 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok ? number : 0;
}

QList<int> generatedLayerNumbers(const QStringList& names)
{
    QList<int> numbers;
    for (const QString& name : names) {
        const int number = generatedLayerNumber(name);
        if (number > 0)
            numbers << number;
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

int newLayerNumber(int rowCount, const QList<int>& usedNumbers)
{
    int number = rowCount;
    if (rowCount >= 2) {
        const int k = usedNumbers.size();
        if (k == 0 || usedNumbers.last() == k) {
            number = k + 1;
        } else {
            number = 1;
            while (number <= k && usedNumbers.at(number - 1) == number)
                ++number;
        }
    }
    while (number > 0 && usedNumbers.contains(number))
        ++number;
    return number;
}

NamePattern::NamePattern(const QString& text)
    : pattern(text.toLower())
{
    if (pattern.isEmpty())
        return;
    const int star = pattern.indexOf(QLatin1Char('*'));
    if (star == 0) {
        suffix = pattern.mid(1);
    } else if (pattern.endsWith(QLatin1Char('*'))) {
        prefix = pattern.left(pattern.size() - 1);
    } else if (star > 0) {
        prefix = pattern.left(star);
        suffix = pattern.mid(star + 1);
    } else {
        prefix = pattern;
    }
}

bool NamePattern::matches(const QString& name) const
{
    if (pattern.isEmpty())
        return true;
    const QString lower = name.toLower();
    // Prefix and suffix must not overlap: "la*a" does not match "la".
    return lower.size() >= prefix.size() + suffix.size() && lower.startsWith(prefix)
        && lower.endsWith(suffix);
}

} // namespace KvCc
