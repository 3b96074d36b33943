// The platform the explorer plays on: no windows, every click answered at
// once, each decision taken from a queue. When the queue runs dry at a
// decision the platform stops the turn (NeedDecision) so that the explorer
// can try every answer; the menu always stops it (TurnOver). It notes every
// scenario item shown and the event the game last told began.
#pragma once

#include <bitset>
#include <deque>
#include <string>
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

    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override { return {255, 32}; }
    void ShowScene(const NamedPicture&) override {}
    void ClearScene() override {}
    void ShowPreparedPortrait(const NamedPicture&) override {}
    void HidePortraitLayer() override {}
    void PaintPortraitIntoScene(const NamedPicture&) override {}
    void ShowSidePicture(const NamedPicture&) override {}
    void ShowClock(const ClockFace&) override {}
    void ShowDesignPictures() override {}
    void WaitNext(Twips) override {}
    YesNo AskYesNo(Twips) override;
    void OpenNameDialog() override {}
    NameEntry WaitNameDialog() override { return {true, "", ""}; }
    void CloseNameDialog() override {}
    std::optional<std::string> ChooseFromList(ListOf, const std::vector<std::string>& entries,
                                              Twips) override;
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>&) override {
        throw TurnOver{};
    }
    void WaitPictureClick(const NamedPicture&) override {}
    void ClosePictureWindow() override {}
    Sound& sound() override { return silence_; }
    Files& files() override { return files_; }

  private:
    std::string Next(const std::vector<std::string>& options);

    const StoryEvents& storyEvents_;
    const GameState* state_ = nullptr;
    MarkerFiles files_;
    Silence silence_;
    std::deque<std::string> decisions_;
    std::vector<Shown> shown_;
    EventSet events_ = 0;
    int event_ = -1;
    std::bitset<kItemCount> everShown_;
};

}  // namespace velmora::routes
