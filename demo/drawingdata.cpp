#include "drawingdata.h"

namespace Demo {

int Drawing::layerIndex(const QString& name) const
{
    for (int i = 0; i < layers.size(); ++i) {
        if (layers.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace Demo
