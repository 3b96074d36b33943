// The platform the explorer plays on: no windows, every click answered at
// once, each decision taken from a queue. When the queue runs dry at a
// decision the platform stops the turn (NeedDecision) so that the explorer
// can try every answer; the menu always stops it (TurnOver). It notes every
// scenario item shown, every line of the program's own and every portrait,
// each with the event the game last told began.
#pragma once

#include <bitset>
#include <deque>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "tools/routes/events.h"
#include "tools/routes/marker_files.h"
#include "world/state.h"

namespace velmora::routes {

struct NeedDecision {
    std::vector<std::string> options;  // the answers a player can give here
};
struct TurnOver {};

// One scenario item shown, with the event it belongs to (-1: none yet) and
// the clock when it was shown.
struct Shown {
    int event;
    ItemId item;
    int clock;
};

// A line of the program's own (its number in ownLines()), or the name of a
// portrait (its number in portraits()), shown in an event (-1: none yet).
struct ShownOwn {
    int event;
    int id;
};

class SearchPlatform : public Platform {
  public:
    explicit SearchPlatform(const StoryEvents& events) : storyEvents_(events) {}

    // The game whose clock the notes of shown items take.
    void Watch(const GameState* state) { state_ = state; }

    // A new turn with the decisions still to take.
    void Begin(std::deque<std::string> decisions);
    // The game tells an event of the story begins.
    void Told(const std::string& eventId);
    const std::vector<Shown>& shown() const { return shown_; }
    EventSet events() const { return events_; }
    const std::bitset<kItemCount>& everShown() const { return everShown_; }
    // What this turn showed of the program's own lines and of portraits.
    const std::vector<ShownOwn>& shownOwn() const { return shownOwn_; }
    const std::vector<ShownOwn>& shownPortraits() const { return shownPortraits_; }
    // Every place's scene the player looked at, with the time the clock
    // showed over it ("kouen.jpg|PM 6:30"): in view while the game waited
    // for the player, on any turn. (The clock that moves over a scene on
    // the way to the next place is never seen: no wait comes between.)
    const std::set<std::string>& views() const { return views_; }
    // Every line of its own the program has shown, and every portrait's name.
    const std::vector<std::string>& ownLines() const { return ownLines_.texts; }
    const std::vector<std::string>& portraits() const { return portraits_.texts; }

    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override { return {255, 32}; }
    void ShowNotice(const std::string&) override {}
    void ShowScene(const NamedPicture& scene) override { scene_ = scene.file; }
    void ClearScene() override { scene_.clear(); }
    void ShowPreparedPortrait(const NamedPicture& p) override { Portrait(p); }
    void HidePortraitLayer() override {}
    void PaintPortraitIntoScene(const NamedPicture& p) override { Portrait(p); }
    void ShowSidePicture(const NamedPicture&) override {}
    void ShowClock(const ClockFace& face) override { time_ = face.timeText; }
    void ShowDesignPictures() override {}
    void WaitNext(Twips) override { Viewed(); }
    YesNo AskYesNo(Twips) override;
    void OpenNameDialog() override {}
    NameEntry WaitNameDialog() override { return {true, "", ""}; }
    void CloseNameDialog() override {}
    std::optional<std::string> ChooseFromList(ListOf, const std::vector<std::string>& entries,
                                              Twips) override;
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>&) override {
        Viewed();
        throw TurnOver{};
    }
    void WaitPictureClick(const NamedPicture&) override { Viewed(); }
    void ClosePictureWindow() override {}
    Sound& sound() override { return silence_; }
    Files& files() override { return files_; }

  private:
    // Texts numbered in the order they were first seen.
    struct Numbered {
        std::unordered_map<std::string, int> ids;
        std::vector<std::string> texts;
        int Of(const std::string& text);
    };
    std::string Next(const std::vector<std::string>& options);
    void Viewed() {
        if (!scene_.empty() && !time_.empty()) views_.insert(scene_ + "|" + time_);
    }
    void Portrait(const NamedPicture& p) {
        shownPortraits_.push_back({event_, portraits_.Of(p.words)});
    }

    const StoryEvents& storyEvents_;
    const GameState* state_ = nullptr;
    MarkerFiles files_;
    Silence silence_;
    std::deque<std::string> decisions_;
    std::vector<Shown> shown_;
    EventSet events_ = 0;
    int event_ = -1;
    std::bitset<kItemCount> everShown_;
    std::vector<ShownOwn> shownOwn_, shownPortraits_;
    Numbered ownLines_, portraits_;
    std::string scene_, time_;
    std::set<std::string> views_;
};

}  // namespace velmora::routes
