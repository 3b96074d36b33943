// What the date, time and place plates show for a clock reading.
#pragma once

#include "platform/platform.h"
#include "world/state.h"

namespace velmora {

// The date picture is left empty for a day without one (outside 1..8): the
// plate keeps the picture it shows. The place picture is left empty for a
// place the game never goes to: the plate then shows nothing.
ClockFace ClockFaceOf(const GameState& s);

}  // namespace velmora
