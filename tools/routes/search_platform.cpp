#include "tools/routes/search_platform.h"

#include "tools/routes/canonical.h"

namespace velmora::routes {

void SearchPlatform::Begin(std::deque<std::string> decisions) {
    decisions_ = std::move(decisions);
    scene_.clear();  // a turn begins at the menu: its scene is the turn before's
    time_.clear();
    shown_.clear();
    shownOwn_.clear();
    shownPortraits_.clear();
    events_ = 0;
    event_ = -1;
}

void SearchPlatform::Told(const std::string& eventId) {
    event_ = storyEvents_.Index(eventId);
    if (event_ >= 0) events_ |= EventSet{1} << event_;
}

void SearchPlatform::SetMessageCaption(const std::string& text) {
    const ItemId item = ParseMarker(text);
    if (item >= 0) {
        everShown_.set(item);
        shown_.push_back({event_, item, ClockIndex(*state_)});
    } else {
        shownOwn_.push_back({event_, ownLines_.Of(text)});
    }
}

int SearchPlatform::Numbered::Of(const std::string& text) {
    const auto [at, added] = ids.try_emplace(text, static_cast<int>(texts.size()));
    if (added) texts.push_back(text);
    return at->second;
}

std::string SearchPlatform::Next(const std::vector<std::string>& options) {
    if (decisions_.empty()) throw NeedDecision{options};
    std::string answer = std::move(decisions_.front());
    decisions_.pop_front();
    return answer;
}

YesNo SearchPlatform::AskYesNo(Twips) {
    Viewed();
    return Next({"yes", "no"}) == "yes" ? YesNo::Yes : YesNo::No;
}

// An empty answer is OK without a choice.
std::optional<std::string> SearchPlatform::ChooseFromList(ListOf,
                                                          const std::vector<std::string>& entries,
                                                          Twips) {
    Viewed();
    std::string answer = Next(entries);
    if (answer.empty()) return std::nullopt;
    return answer;
}

}  // namespace velmora::routes
