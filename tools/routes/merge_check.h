// Checks that merging states lost nothing: every state is reached again on
// the game's real, unmerged state along the search's tree of shortest
// routes, and from there every transition the search found is played
// again: it must play the same events and reach a state that merges into
// the same one. Random walks from a quarter of those real states on to the
// end check the same of the transitions they take.
#pragma once

#include <string>

#include "tools/routes/explorer.h"

namespace velmora::routes {

// "" when every transition agrees, else the first that does not.
std::string CheckMerging(const Exploration& x);

}  // namespace velmora::routes
