#pragma once

#include <QString>

namespace Demo {

class HostLayerTable;

// What a layer name may be: not empty, no blanks at either end, at most 255
// characters, none of the characters CAD reserves, and not taken.
class LayerNameRules
{
public:
    // Why name cannot be used for a new layer, or for the layer now called
    // exceptName; "" when it can.
    static QString check(const HostLayerTable& table, const QString& name, const QString& exceptName = QString());
};

} // namespace Demo
