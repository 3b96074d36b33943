// What the name dialog accepts: every name a slot can hold and read back as
// typed, and no line end or other control character, which a name on the
// screen has no use for (a line end would also end the slot's line early).
#pragma once

#include <string>

namespace velmora {

// Why a name or nickname is refused, or "" when it is taken as typed.
std::string WhyNotAName(const std::string& text);

}  // namespace velmora
