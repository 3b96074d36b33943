#include "tools/routes/merge_check.h"

#include <random>
#include <utility>

namespace velmora::routes {
namespace {

class MergeCheck {
  public:
    explicit MergeCheck(const Exploration& x)
        : x_(x), children_(x.states.size()), runner_(x.story) {
        for (uint32_t s = 1; s < x.states.size(); ++s) children_[x.parent[s]].push_back(s);
    }
    std::string Run();

  private:
    const TurnResult& Play(uint32_t from, uint16_t turn, const GameState& real);
    std::string CheckEdges(uint32_t state, const GameState& real);
    std::string Walk(uint32_t state, GameState real);
    std::string Disagreement(uint32_t from, const Edge& edge, const TurnResult& r) const;

    const Exploration& x_;
    std::vector<std::vector<uint32_t>> children_;
    TurnRunner runner_;
    std::mt19937 random_{11};
};

const TurnResult& MergeCheck::Play(uint32_t from, uint16_t turn, const GameState& real) {
    if (from == kTitleNode) return runner_.Start(x_.turns[turn]);
    runner_.Restore(real);
    return runner_.Continue(x_.turns[turn]);
}

std::string MergeCheck::Disagreement(uint32_t from, const Edge& edge, const TurnResult& r) const {
    const bool digest = r.end == TurnResult::End::Digest;
    if (r.events == edge.events && digest == (edge.to == kDigestNode) &&
        (digest || r.after == x_.states[edge.to])) {
        return "";
    }
    std::string turn;
    for (const std::string& d : x_.turns[edge.turn]) turn += " [" + d + "]";
    return "from state " + std::to_string(from) + " at " + ClockText(x_.states[from].clock) +
           ", turn" + turn + " plays otherwise on the real state";
}

std::string MergeCheck::CheckEdges(uint32_t state, const GameState& real) {
    for (uint32_t i = x_.outEdges[state].first; i < x_.outEdges[state].second; ++i) {
        const Edge& edge = x_.edges[i];
        std::string why = Disagreement(state, edge, Play(state, edge.turn, real));
        if (!why.empty()) return why;
    }
    return "";
}

// A random way on to the digest: the real state keeps all it has lived
// through, which the merged states on the way may have forgotten.
std::string MergeCheck::Walk(uint32_t state, GameState real) {
    while (state != kDigestNode) {
        const auto [first, last] = x_.outEdges[state];
        const Edge& edge = x_.edges[first + random_() % (last - first)];
        std::string why = Disagreement(state, edge, Play(state, edge.turn, real));
        if (!why.empty()) return why;
        real = runner_.state();
        state = edge.to;
    }
    return "";
}

// Depth first along the tree of shortest routes, one real state per level;
// from every fourth state a random walk goes on to the end.
std::string MergeCheck::Run() {
    std::vector<std::pair<uint32_t, GameState>> stack;
    stack.emplace_back(kTitleNode, GameState{});
    while (!stack.empty()) {
        const auto [state, real] = std::move(stack.back());
        stack.pop_back();
        std::string why = CheckEdges(state, real);
        if (why.empty() && random_() % 4 == 0) why = Walk(state, real);
        if (!why.empty()) return why;
        for (uint32_t child : children_[state]) {
            Play(state, x_.parentTurn[child], real);
            stack.emplace_back(child, runner_.state());
        }
    }
    return "";
}

}  // namespace

std::string CheckMerging(const Exploration& x) {
    return MergeCheck(x).Run();
}

}  // namespace velmora::routes
