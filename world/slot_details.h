// What a save slot holds, for the details beside the slot list: read with
// the very reader a load uses, but only looked at (platform/files.h Peek):
// a cut-off save is left for the next load to tidy, another game's lock is
// never waited for, and nothing is written or changed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "world/state.h"

namespace velmora {

class Files;

struct SlotDetails {
    enum class Kind { kEmpty, kSaved, kUnreadable };
    Kind kind = Kind::kEmpty;
    std::string why;  // kUnreadable: the reason, as a load would give it
    // kSaved: the world the slot resumes, its clock (when the flag file
    // holds it), place and names.
    GameState saved;
    bool clockKnown = false;
    // A flag file cut short loads: the flags it lacks (the clock among them,
    // unless clockKnown) keep the running game's values.
    bool partial = false;
    int64_t written = 0;  // when the slot was written, seconds since 1970 (UTC); 0: unknown
};

SlotDetails ReadSlotDetails(Files& files, const std::string& slot);
// The same of a slot's two files in hand (a slot the player brings in).
SlotDetails ReadSlotDetails(const std::vector<std::string>& bytes);

}  // namespace velmora
