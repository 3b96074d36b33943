#include "tools/routes/continuity.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "tools/routes/canonical.h"
#include "tools/routes/explorer.h"

namespace velmora::routes {
namespace {

constexpr int kMaxFacts = 64;
using Facts = uint64_t;  // bit f: ledger fact f

// What the routes into a state have told: on every way, on some way, and
// for each fact which events may have told it.
struct Told {
    Facts every = ~Facts{0};  // nothing reaches the state yet
    Facts some = 0;
    std::vector<uint64_t> tellers;  // per fact, a set of events
};

class Check {
  public:
    Check(const StoryGraph& g, const Ledger& l) : g_(g), l_(l) {}
    std::vector<std::string> Run();

  private:
    bool MatchEvents();
    void Turn(const StoryGraph::Step& step, Told told);
    void Play(int event, int ledgerEvent, int clock, Told* told);
    void Join(uint32_t state, const Told& told);
    std::string Names(uint64_t events) const;
    // One line for each slip, however many routes or hours show it.
    void Problem(const std::string& what, const std::string& slip = "") {
        if (said_.insert(slip.empty() ? what : slip).second) problems_.push_back(what);
    }

    const StoryGraph& g_;
    const Ledger& l_;
    std::vector<int> entry_;  // graph event -> ledger event
    std::vector<Told> states_;
    std::vector<std::string> problems_;
    std::set<std::string> said_;
};

std::vector<std::string> Check::Run() {
    if (l_.facts.size() > kMaxFacts) {
        return {"the ledger has more than " + std::to_string(kMaxFacts) + " facts"};
    }
    if (!MatchEvents()) return problems_;
    states_.assign(g_.clock.size(), Told{});
    states_[0].every = 0;
    for (Told& t : states_) t.tellers.assign(l_.facts.size(), 0);

    // Each state is done before any turn leaves it: every turn moves the
    // clock on, so the states in clock order come after all their ways in.
    std::vector<uint32_t> order(g_.clock.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return g_.clock[a] < g_.clock[b]; });
    std::vector<std::vector<uint32_t>> leaving(g_.clock.size());
    for (uint32_t i = 0; i < g_.steps.size(); ++i) leaving[g_.steps[i].from].push_back(i);
    for (uint32_t state : order) {
        for (uint32_t i : leaving[state]) Turn(g_.steps[i], states_[state]);
    }
    return problems_;
}

bool Check::MatchEvents() {
    entry_.assign(g_.events.size(), -1);
    std::vector<bool> used(l_.events.size(), false);
    for (size_t e = 0; e < g_.events.size(); ++e) {
        for (size_t k = 0; k < l_.events.size(); ++k) {
            if (l_.events[k].name == g_.events[e]) {
                entry_[e] = static_cast<int>(k);
                used[k] = true;
            }
        }
        if (entry_[e] < 0) Problem("the ledger has no entry for the event " + g_.events[e]);
    }
    for (size_t k = 0; k < l_.events.size(); ++k) {
        if (!used[k]) Problem("the ledger names an event no route has: " + l_.events[k].name);
    }
    return problems_.empty();
}

void Check::Turn(const StoryGraph::Step& step, Told told) {
    if (step.to != StoryGraph::kEnd && g_.clock[step.to] <= g_.clock[step.from]) {
        Problem("a turn that does not move the clock on: the check needs a forward graph");
        return;
    }
    for (size_t e = 0; e < g_.events.size(); ++e) {
        if (step.events >> e & 1) Play(static_cast<int>(e), entry_[e], step.clock, &told);
    }
    if (step.to != StoryGraph::kEnd) Join(step.to, told);
}

void Check::Play(int event, int ledgerEvent, int clock, Told* told) {
    const LedgerEvent& entry = l_.events[ledgerEvent];
    const std::string& name = g_.events[event];
    for (int f : entry.assumes) {
        if (!(told->every >> f & 1)) {
            Problem(name + " takes " + l_.facts[f] + " as known, but a route reaches it untold");
        }
    }
    for (int f : entry.tells) {
        if (told->some >> f & 1) {
            Problem(name + " tells " + l_.facts[f] + " again, after " + Names(told->tellers[f]) +
                        " on the same route",
                    name + " tells " + l_.facts[f]);
        }
    }
    for (int w : entry.names) {
        const TimeWord& word = l_.words[w];
        const int day = clock / 48 + 1, halfHour = clock % 48;
        if ((word.day && word.day != day) || halfHour < word.from || halfHour > word.to) {
            Problem(name + " names " + word.name + " but plays at " + ClockText(clock),
                    name + " names " + word.name);
        }
    }
    for (int f : entry.tells) {
        told->every |= Facts{1} << f;
        told->some |= Facts{1} << f;
        told->tellers[f] |= uint64_t{1} << event;
    }
}

void Check::Join(uint32_t state, const Told& told) {
    Told& into = states_[state];
    into.every &= told.every;
    into.some |= told.some;
    for (size_t f = 0; f < told.tellers.size(); ++f) into.tellers[f] |= told.tellers[f];
}

std::string Check::Names(uint64_t events) const {
    std::string out;
    for (size_t e = 0; e < g_.events.size(); ++e) {
        if (events >> e & 1) out += (out.empty() ? "" : " or ") + g_.events[e];
    }
    return out;
}

}  // namespace

StoryGraph GraphOf(const Exploration& x) {
    StoryGraph g;
    for (const EventDef& e : Events()) g.events.push_back(e.name);
    // The explorer lists a place's events in the order of its table, the
    // order a visit plays them in; the title's state has no clock yet.
    g.clock.reserve(x.states.size());
    for (const StateKey& s : x.states) g.clock.push_back(s.clock);
    const int firstMenu = ClockIndex(1, AM, 9, 0);
    for (const Edge& edge : x.edges) {
        // A turn's scenes begin after the half hour of the move; the start
        // plays at the clock a new game begins with. No scene that moves the
        // clock is followed by another in the same visit.
        const int clock = edge.from == kTitleNode ? firstMenu : x.states[edge.from].clock + 1;
        g.steps.push_back(
            {edge.from, edge.to == kDigestNode ? StoryGraph::kEnd : edge.to, edge.events, clock});
    }
    return g;
}

std::vector<std::string> CheckContinuity(const StoryGraph& graph, const Ledger& ledger) {
    return Check(graph, ledger).Run();
}

}  // namespace velmora::routes
