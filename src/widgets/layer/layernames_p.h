#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace KvCc {

// The number of a generated name "Layer<n>" (any letter case, no leading
// zero), or 0 when name is not one.
int generatedLayerNumber(const QString& name);
// The numbers of the generated names among names, ascending.
QList<int> generatedLayerNumbers(const QStringList& names);
// The number of the name a new row of a table of rowCount rows gets, given
// the numbers its generated names carry (ascending): the row count for
// fewer than two rows, else the first gap in the numbers, or one past the
// last when they run 1 .. k without one. Never a number a row already bears.
int newLayerNumber(int rowCount, const QList<int>& usedNumbers);

// The search rule of the layer table: the pattern, lower case, with at most
// one "*" wildcard; any further "*" is an ordinary character.
class NamePattern
{
public:
    explicit NamePattern(const QString& text);

    bool matches(const QString& name) const;

private:
    QString pattern;
    QString prefix;
    QString suffix;
};

} // namespace KvCc
