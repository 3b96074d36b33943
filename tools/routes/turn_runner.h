// Plays one turn of the game on the engine: the start from the title, or
// one menu choice from a state, with the decisions that follow it inside
// the visit (the room command, a Yes/No answer).
#pragma once

#include <string>
#include <vector>

#include "shell/form1.h"
#include "tools/routes/canonical.h"
#include "tools/routes/search_platform.h"

namespace velmora::routes {

using Decisions = std::vector<std::string>;

struct TurnResult {
    enum class End { Menu, NeedDecision, Digest } end = End::Menu;
    std::vector<std::string> options;  // when a decision is still needed
    StateKey after;                    // when the menu comes next
    EventSet events = 0;
};

class TurnRunner {
  public:
    // The events must outlive the runner.
    explicit TurnRunner(const StoryEvents& events);

    // From the title click; the decisions answer the start-up questions.
    const TurnResult& Start(const Decisions& decisions);
    // From a menu state; decisions[0] is the menu caption.
    const TurnResult& Turn(const StateKey& from, const Decisions& decisions);
    // From the state the last turn left, as it is, unmerged.
    const TurnResult& Continue(const Decisions& decisions);

    // The game's whole state as the last turn left it, and a way back to it.
    const GameState& state() { return form_.state(); }
    void Restore(const GameState& s) { form_.state() = s; }

    const std::vector<Shown>& shown() const { return platform_.shown(); }
    const SearchPlatform& platform() const { return platform_; }
    const std::bitset<kItemCount>& everShown() const { return platform_.everShown(); }
    long turnsRun() const { return turnsRun_; }
    const FlagRules& rules() const { return rules_; }

  private:
    template <typename Play>
    const TurnResult& Run(const Decisions& decisions, size_t first, Play play);

    const Story& story_;
    SearchPlatform platform_;
    Form1 form_;
    const FlagRules rules_;
    TurnResult result_;
    long turnsRun_ = 0;
};

}  // namespace velmora::routes
