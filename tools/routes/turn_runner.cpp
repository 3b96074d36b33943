#include "tools/routes/turn_runner.h"

namespace velmora::routes {

TurnRunner::TurnRunner(const StoryEvents& events)
    : story_(events.story()),
      platform_(events),
      form_(platform_, story_),
      rules_(FlagRulesOf(story_)) {
    platform_.Watch(&form_.state());
    form_.Watch([this](const std::string& id) { platform_.Told(id); });
}

template <typename Play>
const TurnResult& TurnRunner::Run(const Decisions& decisions, size_t first, Play play) {
    ++turnsRun_;
    platform_.Begin({decisions.begin() + static_cast<long>(first), decisions.end()});
    result_.options.clear();
    try {
        play();
        result_.end = TurnResult::End::Menu;
    } catch (const TurnOver&) {
        result_.end = TurnResult::End::Menu;
    } catch (NeedDecision& need) {
        result_.end = TurnResult::End::NeedDecision;
        result_.options = std::move(need.options);
    } catch (const ProgramEnd&) {
        result_.end = TurnResult::End::Digest;
    }
    result_.events = platform_.events();
    if (result_.end == TurnResult::End::Menu) result_.after = Canonical(rules_, form_.state());
    return result_;
}

const TurnResult& TurnRunner::Start(const Decisions& decisions) {
    form_.state().ClickState = click::kTitle;
    return Run(decisions, 0, [this] { form_.lblMsg_Click(); });
}

const TurnResult& TurnRunner::Turn(const StateKey& from, const Decisions& decisions) {
    GameState& s = form_.state();
    NewGame(story_, s);
    Apply(rules_, from, &s);
    return Continue(decisions);
}

const TurnResult& TurnRunner::Continue(const Decisions& decisions) {
    GameState& s = form_.state();
    s.ClickState = click::kPlaying;
    s.MenuChoice = decisions.front();
    return Run(decisions, 1, [this] { form_.DispatchCommand(); });
}

}  // namespace velmora::routes
