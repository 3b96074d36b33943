// Which events can share a route. The merged states behave alike, so any
// way into a state joins any way out of it: an event shares a route with
// every event some way into its turn's state plays, every event some way out
// of the state after it plays, and the events of its own turn.
#pragma once

#include <vector>

#include "tools/routes/explorer.h"

namespace velmora::routes {

struct Exclusions {
    EventSet reachable = 0;
    std::vector<EventSet> together;  // per event: the events that share a route with it

    // The reachable events that no route plays together with this one.
    EventSet Of(int event) const;
};

Exclusions FindExclusions(const Exploration& x);

}  // namespace velmora::routes
