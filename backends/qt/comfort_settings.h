// The player's comforts as the window program keeps them: comforts.conf in
// the player's own settings folder ($XDG_CONFIG_HOME/velmora), read and
// written as the game's files are (player/comfort_settings.h).
#pragma once

#include <string>

#include "player/comfort_settings.h"

namespace velmora::qt {

using velmora::ComfortSettings;

// The defaults when there is no file yet, or it cannot be read (*why, if
// given, then says why).
ComfortSettings LoadComfortSettings(std::string* why = nullptr, int* unread = nullptr);
// False, with *why, when they could not be kept.
bool SaveComfortSettings(const ComfortSettings& settings, std::string* why);

}  // namespace velmora::qt
