#pragma once

#include "drawingdata.h"

namespace Demo {

// Ties the block references of a drawing just read to their blocks by
// name: references to missing blocks go, and blocks that insert themselves
// are noted, as they are drawn only to a fixed depth.
class DxfBlockLinker
{
public:
    explicit DxfBlockLinker(Drawing& drawing) : m_drawing(drawing) {}

    void link();

private:
    void resolveBlocks(EntityList& entities);
    void noteCycles();

    Drawing& m_drawing;
};

} // namespace Demo
