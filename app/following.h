// What the window programs tell the player's own record and the skipping as
// the game plays: each message about to wait for NEXT (read now), each event
// of the story as it begins (seen now; the digest ends the days, and
// skipping stops there).
#pragma once

#include <memory>

#include "platform/read_record.h"
#include "platform/skip.h"
#include "shell/form1.h"

namespace velmora {

// A new game on `platform` that the record and the skipping (if any) follow.
std::unique_ptr<Form1> FollowedGame(Platform& platform, ReadRecord& record, Skip* skip);

}  // namespace velmora
