#include "tools/routes/exclusions.h"

#include <algorithm>
#include <numeric>

namespace velmora::routes {
namespace {

// Every turn moves the clock on, so the states in clock order are in the
// order of every route.
std::vector<uint32_t> InClockOrder(const Exploration& x) {
    std::vector<uint32_t> order(x.states.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return x.states[a].clock < x.states[b].clock; });
    return order;
}

std::vector<EventSet> PlayedBefore(const Exploration& x, const std::vector<uint32_t>& order) {
    std::vector<EventSet> before(x.states.size(), 0);
    for (uint32_t s : order) {
        for (uint32_t i = x.outEdges[s].first; i < x.outEdges[s].second; ++i) {
            const Edge& e = x.edges[i];
            if (e.to != kDigestNode) before[e.to] |= before[s] | e.events;
        }
    }
    return before;
}

std::vector<EventSet> PlayedAfter(const Exploration& x, const std::vector<uint32_t>& order) {
    std::vector<EventSet> after(x.states.size(), 0);
    for (auto s = order.rbegin(); s != order.rend(); ++s) {
        for (uint32_t i = x.outEdges[*s].first; i < x.outEdges[*s].second; ++i) {
            const Edge& e = x.edges[i];
            after[*s] |= e.events | (e.to == kDigestNode ? 0 : after[e.to]);
        }
    }
    return after;
}

}  // namespace

EventSet Exclusions::Of(int event) const {
    if (!(reachable >> event & 1)) return 0;
    return reachable & ~together[event] & ~(EventSet{1} << event);
}

Exclusions FindExclusions(const Exploration& x) {
    const std::vector<uint32_t> order = InClockOrder(x);
    const std::vector<EventSet> before = PlayedBefore(x, order);
    const std::vector<EventSet> after = PlayedAfter(x, order);
    Exclusions found;
    found.together.assign(x.story.count(), 0);
    for (const Edge& e : x.edges) {
        found.reachable |= e.events;
        const EventSet route = before[e.from] | e.events | (e.to == kDigestNode ? 0 : after[e.to]);
        for (int event = 0; event < x.story.count(); ++event) {
            if (e.events >> event & 1) found.together[event] |= route;
        }
    }
    return found;
}

}  // namespace velmora::routes
