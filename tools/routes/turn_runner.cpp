#include "tools/routes/turn_runner.h"

namespace velmora::routes {

TurnRunner::TurnRunner() {
    platform_.Watch(&form_.state());
}

template <typename Play>
const TurnResult& TurnRunner::Run(int place, const Decisions& decisions, size_t first, Play play) {
    ++turnsRun_;
    platform_.Begin(place, {decisions.begin() + static_cast<long>(first), decisions.end()});
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
    if (result_.end == TurnResult::End::Digest) result_.events |= EventSet{1} << DigestEvent();
    if (result_.end == TurnResult::End::Menu) result_.after = Canonical(form_.state());
    return result_;
}

const TurnResult& TurnRunner::Start(const Decisions& decisions) {
    form_.state().ClickState = click::kTitle;
    return Run(-1, decisions, 0, [this] { form_.lblMsg_Click(); });
}

const TurnResult& TurnRunner::Turn(const StateKey& from, const Decisions& decisions) {
    GameState& s = form_.state();
    Apply(from, &s);
    s.CurrentPlace = "アパート";
    return Continue(decisions);
}

const TurnResult& TurnRunner::Continue(const Decisions& decisions) {
    GameState& s = form_.state();
    s.ClickState = click::kPlaying;
    s.MenuChoice = decisions.front();
    return Run(PlaceIndex(decisions.front()), decisions, 1, [this] { form_.DispatchCommand(); });
}

}  // namespace velmora::routes
