// The search over the game's states: from the title, every menu choice,
// room command and answer a player can give, each state (merged as
// canonical.h says) expanded once, cheapest first, where the cost of a
// route is the number of decisions the player takes on it.
#pragma once

#include <bitset>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/routes/canonical.h"
#include "tools/routes/events.h"
#include "tools/routes/turn_runner.h"

namespace velmora::routes {

constexpr uint32_t kTitleNode = 0;            // before the first click
constexpr uint32_t kDigestNode = UINT32_MAX;  // the end of every route
constexpr int kUnreached = -1;

struct Edge {
    uint32_t from;
    uint32_t to;
    EventSet events;
    uint16_t turn;  // index into Exploration::turns
};

struct EventRoute {
    int decisions = kUnreached;  // of the shortest route that plays it
    uint32_t from = 0;           // the state where its last turn starts
    uint16_t turn = 0;           // that turn's decisions (index into turns)
    int earliestClock = INT32_MAX;
    std::vector<ItemId> items;  // what it shows on that route
};

// What an event shows on any route: its scenario items, the program's own
// lines and the portraits (numbers into Exploration::ownLines and portraits).
struct EventShows {
    std::bitset<kItemCount> items;
    std::set<int> own, portraits;
};

struct Exploration {
    explicit Exploration(const Story& explored) : story(explored) {}

    StoryEvents story;             // what was explored, which outlives this
    std::vector<StateKey> states;  // states[0]: the title
    std::vector<int> decisions;    // fewest decisions that reach each state
    std::vector<uint32_t> parent;
    std::vector<uint16_t> parentTurn;
    std::vector<Edge> edges;
    std::vector<std::pair<uint32_t, uint32_t>> outEdges;  // of each state: [first, last) in edges
    std::vector<Decisions> turns;                         // every distinct turn taken
    std::vector<EventRoute> events;
    std::bitset<kItemCount> shown;  // every scenario item any route shows
    std::vector<EventShows> shows;  // of each event
    // The program's own lines a visit shows outside any event, by the menu
    // caption of its place ("start" for the start).
    std::map<std::string, std::set<int>> placeLines;
    std::vector<std::string> ownLines, portraits;  // as the game showed them
    std::set<std::string> views;                   // SearchPlatform::views, on every route
    long turnsPlayed = 0;
    double seconds = 0;     // wall-clock time
    double cpuSeconds = 0;  // processor time

    // The whole input of the shortest route to an event, from the title.
    Decisions RouteTo(int event) const;
};

// Explores the story as the game plays it, or another one (a test changes a
// guard, adds a place), which must outlive the exploration.
Exploration Explore(const Story& story = TheStory());

}  // namespace velmora::routes
