#include "lineweights.h"

namespace KvCc {

const QVector<int>& standardLineWeights()
{
    static const QVector<int> values = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                        53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    return values;
}

} // namespace KvCc
