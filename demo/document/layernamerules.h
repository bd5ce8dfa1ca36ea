#pragma once

#include <QString>

namespace Demo {

class HostLayerTable;

// What a layer name may be: not empty, no blanks at either end, at most 255
// characters, none of the characters CAD reserves, and not taken; and what
// the drawing's file can keep of a name or a description, which must read
// back as itself.
class LayerNameRules
{
public:
    // Why name cannot be used for a new layer, or for the layer now called
    // exceptName; "" when it can.
    static QString check(const HostLayerTable& table, const QString& name, const QString& exceptName = QString());
    // Why the drawing's file cannot keep name as it is, as the name of a
    // kind of thing ("layer", "layer state"); "" when it can.
    static QString checkStoredName(const HostLayerTable& table, const QString& name, const QString& kind);
    // Why text cannot be a layer description in the drawing's file.
    static QString checkDescription(const HostLayerTable& table, const QString& text);
};

} // namespace Demo
