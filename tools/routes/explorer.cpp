#include "tools/routes/explorer.h"

#include <chrono>
#include <ctime>
#include <map>
#include <unordered_map>

namespace velmora::routes {
namespace {

// The ways a game begins, from the questions the game asks before the
// story's start: a new game, NO to each of them (a name changes no scene),
// answering the first question of the story's start (Kumi's invitation) YES
// and NO; then the start-up load that loads nothing (its list closed
// without a choice: the explorer's folder has no slot). A start that asks
// no question, or more, is branched as any turn is.
std::vector<Decisions> WaysToBegin() {
    Decisions newGame, load;
    for (const StartQuestion& question : StartQuestions()) {
        if (question.yes == StartQuestion::Yes::kLoad && load.empty()) {
            load = newGame;
            load.insert(load.end(), {"yes", ""});
        }
        newGame.push_back("no");
    }
    std::vector<Decisions> ways;
    for (const char* answer : {"yes", "no"}) {
        ways.push_back(newGame);
        ways.back().push_back(answer);
    }
    if (!load.empty()) ways.push_back(load);
    return ways;
}

class Search {
  public:
    explicit Search(const Story& story) : x_(story), runner_(x_.story) {}
    Exploration Run();

  private:
    void Expand(uint32_t state);
    void Branch(uint32_t state, Decisions turn);
    const TurnResult& Play(uint32_t state, const Decisions& turn);
    void Record(uint32_t from, const Decisions& turn, const TurnResult& result);
    uint32_t StateOf(const StateKey& key);
    uint16_t TurnOf(const Decisions& turn);
    void Note(int event, int cost, uint32_t from, uint16_t turn);
    void Gather(uint32_t from, const Decisions& turn);

    Exploration x_;
    TurnRunner runner_;
    std::unordered_map<StateKey, uint32_t, StateKeyHash> ids_;
    std::map<Decisions, uint16_t> turnIds_;
    std::vector<std::vector<uint32_t>> buckets_;  // states by decisions
    std::vector<Edge> pending_;                   // out-edges of the state expanded
};

Exploration Search::Run() {
    const auto started = std::chrono::steady_clock::now();
    const std::clock_t cpuStarted = std::clock();
    x_.events.resize(static_cast<size_t>(x_.story.count()));
    x_.shows.resize(static_cast<size_t>(x_.story.count()));
    StateKey title;
    title.clock = -1;
    StateOf(title);
    x_.decisions[kTitleNode] = 0;
    buckets_.assign(1, {kTitleNode});
    std::vector<bool> expanded;
    for (size_t d = 0; d < buckets_.size(); ++d) {
        for (size_t i = 0; i < buckets_[d].size(); ++i) {
            const uint32_t s = buckets_[d][i];
            if (x_.decisions[s] != static_cast<int>(d)) continue;
            if (expanded.size() <= s) expanded.resize(s + 1, false);
            if (expanded[s]) continue;
            expanded[s] = true;
            Expand(s);
        }
    }
    x_.outEdges.resize(x_.states.size());
    x_.shown = runner_.everShown();
    x_.ownLines = runner_.platform().ownLines();
    x_.portraits = runner_.platform().portraits();
    x_.views = runner_.platform().views();
    x_.turnsPlayed = runner_.turnsRun();
    x_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    x_.cpuSeconds = static_cast<double>(std::clock() - cpuStarted) / CLOCKS_PER_SEC;
    return std::move(x_);
}

// Edges are kept grouped by their state, in the order states are expanded.
void Search::Expand(uint32_t state) {
    pending_.clear();
    if (state == kTitleNode) {
        for (const Decisions& start : WaysToBegin()) Branch(state, start);
    } else {
        for (const std::string& place : x_.story.places()) Branch(state, {place});
    }
    if (x_.outEdges.size() <= state) x_.outEdges.resize(state + 1);
    const auto first = static_cast<uint32_t>(x_.edges.size());
    x_.edges.insert(x_.edges.end(), pending_.begin(), pending_.end());
    x_.outEdges[state] = {first, static_cast<uint32_t>(x_.edges.size())};
}

const TurnResult& Search::Play(uint32_t state, const Decisions& turn) {
    if (state == kTitleNode) return runner_.Start(turn);
    return runner_.Turn(x_.states[state], turn);
}

void Search::Branch(uint32_t state, Decisions turn) {
    const TurnResult& result = Play(state, turn);
    if (result.end != TurnResult::End::NeedDecision) {
        Record(state, turn, result);
        return;
    }
    const std::vector<std::string> options = result.options;
    for (const std::string& option : options) {
        turn.push_back(option);
        Branch(state, turn);
        turn.pop_back();
    }
}

void Search::Record(uint32_t from, const Decisions& turn, const TurnResult& result) {
    const bool digest = result.end == TurnResult::End::Digest;
    const EventSet events = result.events;
    const uint32_t to = digest ? kDigestNode : StateOf(result.after);
    const uint16_t turnId = TurnOf(turn);
    const int cost = x_.decisions[from] + static_cast<int>(turn.size());
    for (int e = 0; e < x_.story.count(); ++e) {
        if (events >> e & 1) Note(e, cost, from, turnId);
    }
    Gather(from, turn);
    for (const Edge& edge : pending_) {
        if (edge.to == to && edge.events == events) return;
    }
    pending_.push_back({from, to, events, turnId});
    if (digest || x_.decisions[to] <= cost) return;
    x_.decisions[to] = cost;
    x_.parent[to] = from;
    x_.parentTurn[to] = turnId;
    if (buckets_.size() <= static_cast<size_t>(cost)) buckets_.resize(cost + 1);
    buckets_[cost].push_back(to);
}

void Search::Note(int event, int cost, uint32_t from, uint16_t turn) {
    EventRoute& route = x_.events[event];
    int clock = ClockIndex(5, AM, 0, 0);  // the digest begins as Day 5 would
    for (const Shown& s : runner_.shown()) {
        if (s.event == event) {
            clock = s.clock;
            break;
        }
    }
    route.earliestClock = std::min(route.earliestClock, clock);
    if (route.decisions != kUnreached && route.decisions <= cost) return;
    route.decisions = cost;
    route.from = from;
    route.turn = turn;
    route.items.clear();
    for (const Shown& s : runner_.shown()) {
        if (s.event == event) route.items.push_back(s.item);
    }
}

// What the turn showed, added to what its events show on any route.
void Search::Gather(uint32_t from, const Decisions& turn) {
    const SearchPlatform& p = runner_.platform();
    for (const Shown& s : p.shown()) {
        if (s.event >= 0) x_.shows[static_cast<size_t>(s.event)].items.set(s.item);
    }
    std::set<int>* place = nullptr;  // the lines of the place's own visit
    for (const ShownOwn& s : p.shownOwn()) {
        if (s.event >= 0) {
            x_.shows[static_cast<size_t>(s.event)].own.insert(s.id);
            continue;
        }
        if (!place) place = &x_.placeLines[from == kTitleNode ? "start" : turn.front()];
        place->insert(s.id);
    }
    for (const ShownOwn& s : p.shownPortraits()) {
        if (s.event >= 0) x_.shows[static_cast<size_t>(s.event)].portraits.insert(s.id);
    }
}

uint32_t Search::StateOf(const StateKey& key) {
    auto [it, added] = ids_.try_emplace(key, static_cast<uint32_t>(x_.states.size()));
    if (added) {
        x_.states.push_back(key);
        x_.decisions.push_back(INT32_MAX);
        x_.parent.push_back(kTitleNode);
        x_.parentTurn.push_back(0);
    }
    return it->second;
}

uint16_t Search::TurnOf(const Decisions& turn) {
    auto [it, added] = turnIds_.try_emplace(turn, static_cast<uint16_t>(x_.turns.size()));
    if (added) x_.turns.push_back(turn);
    return it->second;
}

}  // namespace

Decisions Exploration::RouteTo(int event) const {
    const EventRoute& route = events[event];
    std::vector<uint16_t> turnsBack = {route.turn};
    for (uint32_t s = route.from; s != kTitleNode; s = parent[s])
        turnsBack.push_back(parentTurn[s]);
    Decisions all;
    for (auto t = turnsBack.rbegin(); t != turnsBack.rend(); ++t) {
        all.insert(all.end(), turns[*t].begin(), turns[*t].end());
    }
    return all;
}

Exploration Explore(const Story& story) {
    return Search(story).Run();
}

}  // namespace velmora::routes
