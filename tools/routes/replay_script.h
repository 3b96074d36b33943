// A route as velmora-tty input: the route's decisions are played from the
// title through the terminal protocol, every click (CLICK?, NEXT?, PICTURE?)
// answered with an empty line, and every line fed to the game is kept. The
// input ends at the first decision the route no longer gives.
#pragma once

#include <string>
#include <vector>

#include "tools/routes/turn_runner.h"

namespace velmora::routes {

struct ReplayScript {
    std::vector<std::string> input;  // the lines of standard input
    std::vector<std::string> trace;  // what velmora-tty writes for them
};

ReplayScript ScriptOf(const Story& story, const Decisions& route);

// The MSG lines that show an event played on its route, in order.
std::vector<std::string> ExpectedLines(const StoryEvents& story, int event,
                                       const std::vector<ItemId>& items);

// Whether the lines come in the trace in this order (others between them).
bool PlaysInOrder(const std::vector<std::string>& trace, const std::vector<std::string>& expected);

}  // namespace velmora::routes
