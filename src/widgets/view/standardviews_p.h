#pragma once

#include <QStringList>

namespace KvCc {

// Names of the ten standard views, in the order the view gallery and the
// view button list them: the six principal views, then the four corners.
inline QStringList standardViewNames()
{
    return {QStringLiteral("Top"), QStringLiteral("Bottom"), QStringLiteral("Left"), QStringLiteral("Right"),
        QStringLiteral("Front"), QStringLiteral("Back"), QStringLiteral("Southwest"), QStringLiteral("Southeast"),
        QStringLiteral("Northeast"), QStringLiteral("Northwest")};
}

} // namespace KvCc
