// Rollback: the player takes the game back to any step since the start of
// the game or the last load, and forward again through the steps taken
// back. The game plays the same way for the same answers, so it is never
// stored: this platform stands between the game and the front end's own
// platform and records every answer the front end gave (each click, button,
// name, choice, and what each slot read or write came to). To go back it
// drops the game playing, plays a new one from the title with the recorded
// answers up to that step without drawing anything or touching a slot, and
// hands the front end the screen of that step. From there the game plays
// on as it did; a different answer leaves the recorded steps after it.
// Saving is never undone: a slot written stays written.
//
// Should the game played again no longer play as recorded (a scenario file
// changed since, a slot reads otherwise), the recorded steps from there on
// are dropped, the player goes on from there and is told so once. Since the
// player goes back no further than the last load, only the way to the first
// load from the title is kept of what came before it: the record stays as
// short as the game since the last load, however many loads.
//
// The front end delivers its clicks on the message label through Click()
// and the window's other events to game(). Its waits throw StepBack when
// the player goes back (only when CanGoBack()) and StepForward to answer as
// before (only when CanGoForward()).
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/screen.h"

namespace velmora {

class Rollback final : public Platform {
  public:
    using NewGame = std::function<std::unique_ptr<MainWindowEvents>(Platform&)>;

    Rollback(Platform& front, NewGame newGame);
    ~Rollback() override;

    // What the player is told when the recorded steps are dropped.
    static constexpr char kStepsDropped[] =
        "ファイルが変わったなどで、前と同じには進めなくなりました。ここから先の記録は消えました。";

    MainWindowEvents& game() { return *game_; }
    // Who tells the player.
    void TellWith(std::function<void(const std::string&)> tell) { tell_ = std::move(tell); }

    // The player clicks the message label (the title, window-move mode);
    // forward: the click of a step gone back to, made again by going forward.
    // Steps back taken while the game plays on from it are carried out here.
    void Click(bool forward = false);
    // Goes back one step while the front end waits for a click on the
    // message label (window-move mode); the game plays on from there until
    // it waits for such a click again.
    void Back();

    bool CanGoBack() const;
    bool CanGoForward() const;
    // How many answers the game has taken since the title; how many it has recorded.
    size_t steps() const { return at_; }
    size_t recorded() const { return record_.size(); }

    // --- the platform the game sees ---
    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override;
    void ShowScene(const std::string& file) override;
    void ClearScene() override;
    void ShowPreparedPortrait(const std::string& preparedFile) override;
    void HidePortraitLayer() override;
    void PaintPortraitIntoScene(const std::string& portraitFile) override;
    void ShowSidePicture(const std::string& file) override;
    void ShowClock(const ClockFace& face) override;
    void ShowDesignPictures() override;
    void WaitNext(Twips at) override;
    YesNo AskYesNo(Twips at) override;
    void OpenNameDialog() override;
    NameEntry WaitNameDialog() override;
    void CloseNameDialog() override;
    std::optional<std::string> ChooseFromList(const std::vector<std::string>& entries,
                                              Twips at) override;
    std::optional<std::string> ChooseCommand(const std::vector<std::string>& captions) override;
    void WaitPictureClick(const std::string& file) override;
    void ClosePictureWindow() override;
    void StopSound() override;
    void PlayLoop(const std::string& waveFile) override;
    Files& files() override;

    // One answer of the front end, or what one slot read or write came to.
    struct Answer {
        enum class Kind {
            kClick,
            kPosition,
            kNext,
            kYesNo,
            kName,
            kList,
            kMenu,
            kPicture,
            kRead,
            kWrite,
            kRecover
        };
        explicit Answer(Kind k) : kind(k) {}

        Kind kind;
        bool step = false;  // a place the player can go back to
        YesNo yesNo = YesNo::Closed;
        NameEntry name;
        std::optional<std::string> choice;
        Twips position;
        bool done = false;  // the slot's files were read, written or tidied
        std::vector<std::string> contents;
        ReadFailure readFailure;
        CommitFailure commitFailure;
    };

  private:
    class RecordedFiles;

    // Plays a game made afresh up to the answer `target`, then hands the
    // front end its screen; the game plays on there.
    void Replay(size_t target);
    void Run(std::function<void()> play);
    std::optional<size_t> StepBefore(size_t at) const;
    bool Replaying() const { return !live_; }
    // The recorded answer of this kind at this point of a replay, or
    // nothing: the front end answers (the screen handed over first).
    const Answer* Recorded(Answer::Kind kind);
    void HandOver();
    // The recorded answers from at_ on no longer hold; `diverged`: because
    // the game no longer plays as recorded, which the player is told.
    void DropAfterHere(bool diverged = false);
    // A slot was read whole at the answer before at_.
    void Loaded();
    // Takes the front end's answer: the same as recorded keeps the steps
    // after it, another drops them.
    const Answer& Take(Answer answer);
    // The front end's wait; a step forward answers as recorded.
    template <typename Wait>
    const Answer& Ask(Answer::Kind kind, bool step, Wait wait);
    template <typename Draw>
    void Drawn(Draw draw);

    Platform& front_;
    NewGame newGame_;
    std::unique_ptr<RecordedFiles> files_;
    std::unique_ptr<MainWindowEvents> game_;
    std::vector<Answer> record_;
    size_t at_ = 0;           // the next answer's place in the record
    size_t handOverAt_ = 0;   // where a replay hands over to the front end
    bool live_ = true;        // the front end answers (no replay running)
    bool forwarded_ = false;  // the last wait was answered by going forward
    Screen screen_;           // what the game has drawn
    Screen shown_;            // what the front end shows
    // The first load's way from the title: the answers before its list of
    // slots, which the list of the last load follows in the record; and the
    // screen that list was shown on, and the one asked for last.
    std::optional<size_t> loadWay_;
    Screen loadScreen_;
    Screen listScreen_;
    std::function<void(const std::string&)> tell_;
};

}  // namespace velmora
