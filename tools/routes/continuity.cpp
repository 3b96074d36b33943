#include "tools/routes/continuity.h"

#include <algorithm>
#include <bitset>
#include <map>
#include <numeric>

#include "tools/routes/canonical.h"
#include "tools/routes/explorer.h"

namespace velmora::routes {
namespace {

constexpr int kMaxFacts = 64;
using Facts = uint64_t;  // bit f: ledger fact f

constexpr int kHalfHoursADay = 48;

// What the routes into a state have told: on every way, on some way, and
// for each fact which events may have told it; and the events some way to
// it has played, on any day and on the state's own day.
struct Told {
    Facts every = ~Facts{0};  // nothing reaches the state yet
    Facts some = 0;
    std::vector<uint64_t> tellers;  // per fact, a set of events
    uint64_t played = 0;
    uint64_t today = 0;
};

// Who has been sent away in the visit so far: per person, the event that
// sent them, or -1.
using Away = std::vector<int>;

class Check {
  public:
    Check(const StoryGraph& g, const Ledger& l) : g_(g), l_(l) {}
    std::vector<std::string> Run();

  private:
    bool MatchEvents();
    std::vector<std::string> Lines() const;
    void Turn(const StoryGraph::Step& step, Told told);
    void Play(int event, int ledgerEvent, int clock, Told* told, Away* away, uint64_t* visit);
    void SaysAgain(int event, const LedgerEvent& entry, const Told& told, uint64_t visit);
    void Fact(const Statement& line, const std::string& name, int event, Told* told);
    void Join(uint32_t state, const Told& told, bool sameDay);
    std::string Names(uint64_t events) const;
    // One line for each slip, however many routes or hours show it; where
    // it names the events it comes after, those of every route.
    struct Slip {
        std::string before, after;
        uint64_t events = 0;
    };
    void Problem(const std::string& what) { Problem(what, what, 0, ""); }
    void Problem(const std::string& key, const std::string& before, uint64_t events,
                 const std::string& after);

    const StoryGraph& g_;
    const Ledger& l_;
    std::vector<int> entry_;  // graph event -> ledger event
    std::vector<Told> states_;
    std::vector<Slip> slips_;
    std::map<std::string, size_t> slipOf_;  // by key
};

void Check::Problem(const std::string& key, const std::string& before, uint64_t events,
                    const std::string& after) {
    const auto [at, added] = slipOf_.emplace(key, slips_.size());
    if (added) slips_.push_back({before, after, 0});
    slips_[at->second].events |= events;
}

std::vector<std::string> Check::Run() {
    if (l_.facts.size() > kMaxFacts) {
        return {"the ledger has more than " + std::to_string(kMaxFacts) + " facts"};
    }
    if (!MatchEvents()) return Lines();
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
    return Lines();
}

std::vector<std::string> Check::Lines() const {
    std::vector<std::string> lines;
    for (const Slip& slip : slips_) lines.push_back(slip.before + Names(slip.events) + slip.after);
    return lines;
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
    return slips_.empty();
}

void Check::Turn(const StoryGraph::Step& step, Told told) {
    if (step.to != StoryGraph::kEnd && g_.clock[step.to] <= g_.clock[step.from]) {
        Problem("a turn that does not move the clock on: the check needs a forward graph");
        return;
    }
    const int day = step.clock / kHalfHoursADay;
    if (g_.clock[step.from] / kHalfHoursADay != day) told.today = 0;
    Away away(l_.people.size(), -1);
    uint64_t visit = 0;  // the events of this visit so far
    for (size_t e = 0; e < g_.events.size(); ++e) {
        if (!(step.events >> e & 1)) continue;
        if (static_cast<int>(e) == g_.later) away.assign(away.size(), -1);
        Play(static_cast<int>(e), entry_[e], step.clock, &told, &away, &visit);
    }
    if (step.to != StoryGraph::kEnd) {
        Join(step.to, told, g_.clock[step.to] / kHalfHoursADay == day);
    }
}

void Check::Play(int event, int ledgerEvent, int clock, Told* told, Away* away, uint64_t* visit) {
    const LedgerEvent& entry = l_.events[ledgerEvent];
    const std::string& name = g_.events[event];
    SaysAgain(event, entry, *told, *visit);
    *visit |= uint64_t{1} << event;
    for (const Statement& line : entry.lines) {
        switch (line.kind) {
            case Statement::Kind::Names: {
                const TimeWord& word = l_.words[line.id];
                const int day = clock / kHalfHoursADay + 1, halfHour = clock % kHalfHoursADay;
                if ((word.day && word.day != day) || halfHour < word.from || halfHour > word.to) {
                    Problem(name + " names " + word.name,
                            name + " names " + word.name + " but plays at " + ClockText(clock), 0,
                            "");
                }
                break;
            }
            case Statement::Kind::Comes: {
                const int sentBy = (*away)[line.id];
                const std::string& who = l_.people[line.id];
                if (sentBy >= 0) {
                    Problem(name + " brings back " + who,
                            name + " brings " + who + " back in the visit where ",
                            uint64_t{1} << sentBy, " sent them away");
                }
                break;
            }
            case Statement::Kind::Leaves:
                (*away)[line.id] = event;
                break;
            case Statement::Kind::Wears:
            case Statement::Kind::Lacks:
            case Statement::Kind::Carries:
                break;  // the completeness check's (completeness.h)
            default:
                Fact(line, name, event, told);
        }
    }
    told->played |= uint64_t{1} << event;
    told->today |= uint64_t{1} << event;
}

// The same words a second time on one route: as the ledger allows, on a
// later day or at any visit, or never. The parts of one scene that one
// visit plays are that scene's words once.
void Check::SaysAgain(int event, const LedgerEvent& entry, const Told& told, uint64_t visit) {
    uint64_t same =
        g_.sameWords.empty() ? uint64_t{1} << event : g_.sameWords[static_cast<size_t>(event)];
    for (size_t e = 0; e < g_.whole.size(); ++e) {
        if (g_.whole[e] == g_.whole[static_cast<size_t>(event)])
            same &= ~(visit & uint64_t{1} << e);
    }
    const uint64_t before = entry.again == Again::AnyVisit   ? 0
                            : entry.again == Again::LaterDay ? told.today & same
                                                             : told.played & same;
    if (!before) return;
    const std::string& name = g_.events[event];
    Problem(name + " says again", name + " says again the words of ", before,
            entry.again == Again::LaterDay ? " on the same day" : " on the same route");
}

void Check::Fact(const Statement& line, const std::string& name, int event, Told* told) {
    const int f = line.id;
    const bool someTold = told->some >> f & 1;
    const std::string& fact = l_.facts[f];
    if (line.kind == Statement::Kind::Assumes && !(told->every >> f & 1)) {
        Problem(name + " takes " + fact + " as known, but a route reaches it untold");
    } else if (line.kind == Statement::Kind::Open && someTold) {
        Problem(name + " open " + fact, name + " takes " + fact + " as still unsettled, after ",
                told->tellers[f], " told it on the same route");
    } else if (line.kind == Statement::Kind::Tells) {
        if (someTold) {
            Problem(name + " tells " + fact, name + " tells " + fact + " again, after ",
                    told->tellers[f], " on the same route");
        }
        told->every |= Facts{1} << f;
        told->some |= Facts{1} << f;
        told->tellers[f] |= uint64_t{1} << event;
    }
}

void Check::Join(uint32_t state, const Told& told, bool sameDay) {
    Told& into = states_[state];
    into.every &= told.every;
    into.some |= told.some;
    into.played |= told.played;
    if (sameDay) into.today |= told.today;
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
    for (const EventDef& e : x.story.list()) {
        g.events.push_back(e.name);
        g.whole.push_back(e.whole);
    }
    // Two events say the same words where they show the same scenario item;
    // each says its own, the program's lines among them.
    std::vector<std::bitset<kItemCount>> items(x.events.size());
    for (size_t e = 0; e < x.events.size(); ++e) {
        for (ItemId item : x.events[e].items) items[e].set(static_cast<size_t>(item));
    }
    g.later = x.story.digest();
    g.sameWords.assign(g.events.size(), 0);
    for (size_t a = 0; a < x.events.size(); ++a) {
        for (size_t b = 0; b < x.events.size(); ++b) {
            if (a == b || (items[a] & items[b]).any()) g.sameWords[a] |= uint64_t{1} << b;
        }
    }
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
