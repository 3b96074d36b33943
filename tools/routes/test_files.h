// What the test suite replays and checks: for every event its route as a
// velmora-tty input script (tests/routes/<event>.in) with the lines it must
// show (tests/routes/routes.tsv), and every scenario item some route shows
// (tests/routes/items.txt).
#pragma once

#include <string>

#include "tools/routes/explorer.h"

namespace velmora::routes {

// Returns false (and says why on standard error) when a route, replayed
// from the title, does not play its event, or a file cannot be written.
bool WriteTestFiles(const Exploration& x, const std::string& folder);

}  // namespace velmora::routes
