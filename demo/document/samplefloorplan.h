#pragma once

#include "drawingdata.h"

namespace Demo {

// The drawing the demo opens without a file: the ground floor of a small
// house, on twenty layers in several colors, lineweights and states (off,
// frozen, locked, not plotted), one of them with a Cyrillic name.
Drawing sampleFloorPlan();

} // namespace Demo
