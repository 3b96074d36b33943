// Every context a scene can play in, told to whoever rewords its lines: for
// each event, the days and hours it plays at, the facts told before it and
// those not, and whom of its people the hero met earlier that day. The
// facts and people followed are those its words touch (its ledger entry,
// and the ids of the looked-for words its lines hold), the facts only where
// some routes to it have told them and others not. Each distinct context is
// one row of a short table per event (docs/story-contexts.md): a line must
// read true in every row.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/routes/completeness.h"
#include "tools/routes/continuity.h"

namespace velmora::routes {

struct Context {
    int day = 0;           // 1..4
    int from = 0, to = 0;  // the half hours of the day it plays at, both included
    uint64_t told = 0;     // of the event's facts (below), those told before it
    uint32_t met = 0;      // bit p: person p, one of its people, met earlier the same day
};

struct EventContexts {
    std::string event;
    uint64_t always = 0;        // facts every route to it has told
    uint64_t facts = 0;         // facts its words touch that some routes have told, others not
    uint32_t people = 0;        // the people its words touch
    std::vector<Context> rows;  // by day, then hour
};

// What an event's words touch: bit f of facts, bit p of people.
struct Concern {
    uint64_t facts = 0;
    uint32_t people = 0;
};

// Of each scene, what its ledger entry and its lines touch, by its name.
std::map<std::string, Concern> ConcernsOf(const std::vector<SceneShows>& scenes,
                                          const std::vector<LookedFor>& words,
                                          const Ledger& ledger);

std::vector<EventContexts> FindContexts(const StoryGraph& graph, const Ledger& ledger,
                                        const std::map<std::string, Concern>& concerns);

// The tables, as docs/story-contexts.md holds them.
std::string ContextTables(const std::vector<EventContexts>& contexts, const Ledger& ledger);

}  // namespace velmora::routes
