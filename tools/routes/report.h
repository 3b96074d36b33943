// docs/routes.md: how the search works, its size, every event with its
// earliest time, its shortest route and the events it never shares a route
// with, the events that can never play, and the scenario items that no
// route shows.
#pragma once

#include <string>

#include "tools/routes/exclusions.h"
#include "tools/routes/explorer.h"

namespace velmora::routes {

// dataFolder: the shipped scenario files, to count their items.
std::string RoutesReport(const Exploration& x, const Exclusions& ex, const std::string& dataFolder);

}  // namespace velmora::routes
