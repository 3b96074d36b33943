// The story reads true on every route: the continuity ledger checked over
// the graph of merged states the route explorer finds. No event takes as
// known a fact that some route brings it to without its telling, nor as
// still unsettled one that some route has told; no route tells a fact as
// news twice; no scene names a time word that the hours it can play at do
// not all have; nobody sent away comes back in the same visit; and no route
// says the same words twice unless the ledger says they are written to be
// heard again (on a later day, or at any visit).
//
// Merged states behave alike, so every way into a state joins every way
// out of it: one forward pass over the graph (the clock only moves on),
// keeping for each state the facts told and the events played on every way
// to it and on some way, decides these questions exactly for all routes at
// once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/routes/continuity_ledger.h"

namespace velmora::routes {

struct Exploration;

// The story as a graph of states and the turns between them.
struct StoryGraph {
    static constexpr uint32_t kEnd = UINT32_MAX;  // the turn that ends the game
    struct Step {
        uint32_t from = 0, to = 0;
        uint64_t events = 0;  // bit e: events[e] plays in this turn
        int clock = 0;        // the half hour the turn's scenes begin (ClockIndex)
    };
    std::vector<std::string> events;  // in the order a turn plays them
    // Of each event, the events that say some of its words (itself among
    // them): the scenario items both show.
    std::vector<uint64_t> sameWords;
    // Of each event, the scene it is a part of (its first event): parts of
    // one scene played in one visit say its words once between them.
    std::vector<int> whole;
    std::vector<int> clock;  // of each state; state 0, the title, is the earliest
    std::vector<Step> steps;
    // The event that plays the days after the last one (the digest), in the
    // turn that passes midnight: nobody sent away before it is away in it.
    int later = -1;
};

// The explorer's graph as the check reads it: the one place that knows the
// explorer's own types.
StoryGraph GraphOf(const Exploration& x);

// Every way the ledger and the routes disagree, one line each; none when
// the story reads true on every route.
std::vector<std::string> CheckContinuity(const StoryGraph& graph, const Ledger& ledger);

}  // namespace velmora::routes
