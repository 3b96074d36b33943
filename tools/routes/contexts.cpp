#include "tools/routes/contexts.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <tuple>
#include <unordered_set>

#include "tools/routes/canonical.h"

namespace velmora::routes {
namespace {

constexpr int kHalfHoursADay = 48;
constexpr int kMetShift = 56;  // a route's state: its facts told below, the people met above
constexpr uint64_t kFactBits = (uint64_t{1} << kMetShift) - 1;
constexpr size_t kMostRows = 24;  // a table longer than this is summed up

// What an event's entry does that the contexts follow.
struct Does {
    uint64_t tells = 0;
    uint32_t comes = 0;
};

class Finder {
  public:
    Finder(const StoryGraph& g, const Ledger& l, const std::map<std::string, Concern>& c)
        : g_(g), l_(l), concerns_(c) {}
    std::vector<EventContexts> Run();

  private:
    std::vector<uint32_t> InClockOrder() const;
    void KnownEverywhere(const std::vector<uint32_t>& order);
    void FactsThatVary();
    void Walk(const std::vector<uint32_t>& order);
    void Record(int event, int clock, uint64_t facts, uint32_t met);

    const StoryGraph& g_;
    const Ledger& l_;
    const std::map<std::string, Concern>& concerns_;
    std::vector<Does> does_;  // of each graph event
    std::vector<EventContexts> out_;
    std::vector<uint64_t> some_;                      // of each event: facts some route to it told
    uint64_t followed_ = 0;                           // every fact some event varies on
    using Key = std::tuple<int, uint64_t, uint32_t>;  // day, facts, people
    std::vector<std::map<Key, std::pair<int, int>>> seen_;
};

std::vector<EventContexts> Finder::Run() {
    does_.assign(g_.events.size(), {});
    out_.assign(g_.events.size(), {});
    some_.assign(g_.events.size(), 0);
    seen_.assign(g_.events.size(), {});
    for (size_t e = 0; e < g_.events.size(); ++e) {
        out_[e].event = g_.events[e];
        out_[e].always = ~uint64_t{0};
        for (const LedgerEvent& entry : l_.events) {
            if (entry.name != g_.events[e]) continue;
            for (const Statement& line : entry.lines) {
                if (line.kind == Statement::Kind::Tells) does_[e].tells |= uint64_t{1} << line.id;
                if (line.kind == Statement::Kind::Comes) does_[e].comes |= 1u << line.id;
            }
        }
    }
    const std::vector<uint32_t> order = InClockOrder();
    KnownEverywhere(order);
    FactsThatVary();
    Walk(order);
    for (size_t e = 0; e < out_.size(); ++e) {
        for (const auto& [key, hours] : seen_[e]) {
            const auto& [day, told, met] = key;
            out_[e].rows.push_back({day, hours.first, hours.second, told, met});
        }
        std::sort(out_[e].rows.begin(), out_[e].rows.end(), [](const Context& a, const Context& b) {
            return std::tie(a.day, a.from, a.to) < std::tie(b.day, b.from, b.to);
        });
        if (out_[e].rows.empty()) out_[e].always = 0;
    }
    return std::move(out_);
}

// Every turn moves the clock on: in clock order, a state comes after every
// way into it.
std::vector<uint32_t> Finder::InClockOrder() const {
    std::vector<uint32_t> order(g_.clock.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return g_.clock[a] < g_.clock[b]; });
    return order;
}

// The facts told on every way to each event, and on some way.
void Finder::KnownEverywhere(const std::vector<uint32_t>& order) {
    std::vector<uint64_t> every(g_.clock.size(), ~uint64_t{0}), some(g_.clock.size(), 0);
    every[0] = 0;
    std::vector<std::vector<uint32_t>> leaving(g_.clock.size());
    for (uint32_t i = 0; i < g_.steps.size(); ++i) leaving[g_.steps[i].from].push_back(i);
    for (uint32_t state : order) {
        for (uint32_t i : leaving[state]) {
            const StoryGraph::Step& step = g_.steps[i];
            uint64_t e = every[state], s = some[state];
            for (size_t ev = 0; ev < g_.events.size(); ++ev) {
                if (!(step.events >> ev & 1)) continue;
                out_[ev].always &= e;
                some_[ev] |= s;
                e |= does_[ev].tells;
                s |= does_[ev].tells;
            }
            if (step.to == StoryGraph::kEnd) continue;
            every[step.to] &= e;
            some[step.to] |= s;
        }
    }
}

// Of each event, the facts its words touch that some routes to it told and
// others not, and the people its words touch.
void Finder::FactsThatVary() {
    for (size_t e = 0; e < out_.size(); ++e) {
        const auto concern = concerns_.find(g_.events[e]);
        if (concern == concerns_.end()) continue;
        out_[e].facts = some_[e] & ~out_[e].always & concern->second.facts;
        out_[e].people = concern->second.people;
        followed_ |= out_[e].facts;
    }
}

// Every distinct state of the routes (the facts some event varies on, the
// people met that day), carried along the graph.
void Finder::Walk(const std::vector<uint32_t>& order) {
    std::vector<std::unordered_set<uint64_t>> at(g_.clock.size());
    at[0].insert(0);
    std::vector<std::vector<uint32_t>> leaving(g_.clock.size());
    for (uint32_t i = 0; i < g_.steps.size(); ++i) leaving[g_.steps[i].from].push_back(i);
    for (uint32_t state : order) {
        for (uint32_t i : leaving[state]) {
            const StoryGraph::Step& step = g_.steps[i];
            const bool newDay = g_.clock[state] / kHalfHoursADay != step.clock / kHalfHoursADay;
            for (uint64_t route : at[state]) {
                uint64_t facts = route & kFactBits;
                uint32_t met = newDay ? 0 : static_cast<uint32_t>(route >> kMetShift);
                // The parts of one scene play in one visit: whom the hero met
                // before it is whom he met before its first part.
                std::vector<int64_t> metBefore(g_.events.size(), -1);
                for (size_t e = 0; e < g_.events.size(); ++e) {
                    if (!(step.events >> e & 1)) continue;
                    const auto whole = static_cast<size_t>(g_.whole.empty() ? e : g_.whole[e]);
                    if (metBefore[whole] < 0) metBefore[whole] = met;
                    Record(static_cast<int>(e), step.clock, facts,
                           static_cast<uint32_t>(metBefore[whole]));
                    facts |= does_[e].tells & followed_;
                    met |= does_[e].comes;
                }
                if (step.to == StoryGraph::kEnd) continue;
                // Whom he met is kept only for the day it was that day.
                if (g_.clock[step.to] / kHalfHoursADay != step.clock / kHalfHoursADay) met = 0;
                at[step.to].insert(facts | uint64_t{met} << kMetShift);
            }
        }
        at[state].clear();
    }
}

void Finder::Record(int event, int clock, uint64_t facts, uint32_t met) {
    const EventContexts& c = out_[static_cast<size_t>(event)];
    const Key key{clock / kHalfHoursADay + 1, facts & c.facts, met & c.people};
    const int half = clock % kHalfHoursADay;
    const auto [at, added] = seen_[static_cast<size_t>(event)].try_emplace(key, half, half);
    at->second.first = std::min(at->second.first, half);
    at->second.second = std::max(at->second.second, half);
}

std::string Hour(int half) {
    const std::string text = ClockText(half);  // "Day 1 PM 4:00"
    return text.substr(text.find(' ', 4) + 1);
}

std::string Hours(int from, int to) {
    return Hour(from) + (to == from ? "" : "–" + Hour(to));
}

std::string Facts(uint64_t facts, const Ledger& l) {
    std::string out;
    for (size_t f = 0; f < l.facts.size(); ++f) {
        if (facts >> f & 1) out += (out.empty() ? "" : ", ") + l.facts[f];
    }
    return out.empty() ? "—" : out;
}

std::string People(uint32_t met, const Ledger& l) {
    std::string out;
    for (size_t p = 0; p < l.persons.size(); ++p) {
        if (met >> p & 1) out += (out.empty() ? "" : "、") + l.persons[p].name;
    }
    return out.empty() ? "—" : out;
}

// More contexts than a table can show: for each day, what varies, each fact
// and each person on its own.
std::string Summary(const EventContexts& c, const Ledger& l) {
    std::string out =
        std::to_string(c.rows.size()) +
        " contexts, too many to list: for each day, the facts told before it on "
        "some routes and not on others, and whom of its people the hero met "
        "earlier that day on some routes.\n\n"
        "| Day | Hours | Told on some routes | Met on some routes |\n|---|---|---|---|\n";
    for (size_t at = 0; at < c.rows.size();) {
        const int day = c.rows[at].day;
        int from = c.rows[at].from, to = c.rows[at].to;
        uint64_t told = 0;
        uint32_t met = 0;
        for (; at < c.rows.size() && c.rows[at].day == day; ++at) {
            from = std::min(from, c.rows[at].from);
            to = std::max(to, c.rows[at].to);
            told |= c.rows[at].told;
            met |= c.rows[at].met;
        }
        out += "| " + std::to_string(day) + " | " + Hours(from, to) + " | " + Facts(told, l) +
               " | " + People(met, l) + " |\n";
    }
    return out;
}

}  // namespace

std::map<std::string, Concern> ConcernsOf(const std::vector<SceneShows>& scenes,
                                          const std::vector<LookedFor>& words,
                                          const Ledger& ledger) {
    const auto index = [](const std::vector<std::string>& list, const std::string& id) {
        return static_cast<int>(std::find(list.begin(), list.end(), id) - list.begin());
    };
    const auto add = [&](Concern* c, const std::string& id) {
        const int f = index(ledger.facts, id), p = index(ledger.people, id);
        if (f < static_cast<int>(ledger.facts.size())) c->facts |= uint64_t{1} << f;
        if (p < static_cast<int>(ledger.people.size())) c->people |= 1u << p;
    };
    // The facts of someone present (the ids their name stands for in the
    // looked-for words) concern the scene; of someone named, the name alone.
    const auto present = [&](Concern* c, int person) {
        c->people |= 1u << person;
        for (const LookedFor& word : words) {
            const bool theirs =
                word.kind == LookedFor::Kind::Person &&
                std::find(word.ids.begin(), word.ids.end(),
                          ledger.people[static_cast<size_t>(person)]) != word.ids.end();
            for (const std::string& id : theirs ? word.ids : std::vector<std::string>{}) add(c, id);
        }
    };
    std::map<std::string, Concern> concerns;
    for (const LedgerEvent& entry : ledger.events) {
        Concern& c = concerns[entry.name];
        for (const Statement& line : entry.lines) {
            const bool fact = line.kind == Statement::Kind::Tells ||
                              line.kind == Statement::Kind::Assumes ||
                              line.kind == Statement::Kind::Open;
            if (line.kind == Statement::Kind::Comes) present(&c, line.id);
            if (fact) c.facts |= uint64_t{1} << line.id;
        }
    }
    for (const SceneShows& scene : scenes) {
        if (scene.visit) continue;
        Concern& c = concerns[scene.name];
        for (const SceneLine& line : scene.lines) {
            for (const LookedFor* word : FindLookedFor(line.text, words)) {
                const bool person = word->kind == LookedFor::Kind::Person;
                for (const std::string& id : word->ids) {
                    if (!person ||
                        index(ledger.people, id) < static_cast<int>(ledger.people.size()))
                        add(&c, id);
                }
            }
        }
    }
    return concerns;
}

std::vector<EventContexts> FindContexts(const StoryGraph& graph, const Ledger& ledger,
                                        const std::map<std::string, Concern>& concerns) {
    return Finder(graph, ledger, concerns).Run();
}

std::string ContextTables(const std::vector<EventContexts>& contexts, const Ledger& l) {
    std::string out;
    for (const EventContexts& c : contexts) {
        out += "\n### " + c.event + "\n\nAlways told before it: " + Facts(c.always, l) + ".\n\n";
        if (c.rows.empty()) {
            out += "It never plays.\n";
        } else if (c.rows.size() > kMostRows) {
            out += Summary(c, l);
        } else {
            out +=
                "| Day | Hours | Told before | Not told | Met earlier that day |\n"
                "|---|---|---|---|---|\n";
            for (const Context& row : c.rows) {
                out += "| " + std::to_string(row.day) + " | " + Hours(row.from, row.to) + " | " +
                       Facts(row.told, l) + " | " + Facts(c.facts & ~row.told, l) + " | " +
                       People(row.met, l) + " |\n";
            }
        }
    }
    return out;
}

}  // namespace velmora::routes
