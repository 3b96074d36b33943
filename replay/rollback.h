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
// short as the game since the last load, however many loads. A slot loaded
// without the list (続きから, a quick load) is played again as 続きから from
// that slot, and nothing before it is kept.
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

#include "replay/forwarding_platform.h"
#include "replay/kept_screen.h"

namespace velmora {

class Rollback final : public ForwardingPlatform, public Steps {
  public:
    using NewGame = std::function<std::unique_ptr<MainWindowEvents>(Platform&)>;

    Rollback(Platform& front, NewGame newGame);
    ~Rollback() override;

    // What the player is told when the recorded steps are dropped.
    static constexpr char kStepsDropped[] =
        "ファイルが変わったなどで、前と同じには進めなくなりました。ここから先の記録は消えました。";

    MainWindowEvents& game() override { return *game_; }
    // Who tells the player.
    void TellWith(std::function<void(const std::string&)> tell) { tell_ = std::move(tell); }

    // The player clicks the message label (the title, window-move mode);
    // forward: the click of a step gone back to, made again by going forward.
    // Steps back taken while the game plays on from it are carried out here.
    void Click(bool forward = false) override;
    // 続きから where the title waits: the game begins from the save in `slot`.
    void Continue(const std::string& slot) override;
    // Goes back one step while the front end waits for a click on the
    // message label (window-move mode); the game plays on from there until
    // it waits for such a click again.
    void Back() override;

    bool CanGoBack() const override;
    bool CanGoForward() const override;
    // How many of the front end's answers a step back now takes back: each
    // one given since the step it goes back to, that step's own among them
    // (a picture and the NEXT after it are one step and two answers).
    size_t AnswersTakenBack() const override;
    // How many answers the game has taken since the title; how many it has recorded.
    size_t steps() const { return at_; }
    size_t recorded() const { return record_.size(); }

    // --- the platform the game sees: its waits and slots recorded, its
    // drawing kept (and shown only while the front end answers) ---
    Twips MainWindowPosition() override;
    void WaitNext(Twips at) override;
    YesNo AskYesNo(Twips at) override;
    NameEntry WaitNameDialog() override;
    std::optional<std::string> ChooseFromList(ListOf list, const std::vector<std::string>& entries,
                                              Twips at) override;
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>& rows) override;
    void WaitPictureClick(const NamedPicture& picture) override;
    Files& files() override;

    // One answer of the front end, or what one slot read or write came to.
    struct Answer {
        enum class Kind {
            kClick,
            kContinue,  // 続きから at the title, from the slot in `choice`
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

        // Every member: an answer of the same kind given at a place that is
        // no step (the picture window's NEXT) is not the answer recorded at
        // a step, and the record must not keep saying it was one.
        bool operator==(const Answer&) const = default;
    };

  private:
    class RecordedFiles;

    Platform& front() override { return kept_; }
    // Plays a game made afresh up to the answer `target`, then hands the
    // front end its screen; the game plays on there.
    void Replay(size_t target);
    void Run(std::function<void()> play);
    std::optional<size_t> StepBefore(size_t at) const;
    bool live() const { return kept_.shown(); }  // the front end answers (no replay running)
    // The recorded answer of this kind at this point of a replay, or
    // nothing: the front end answers (the screen handed over first).
    const Answer* Recorded(Answer::Kind kind);
    void HandOver();
    // The recorded answers from at_ on no longer hold; `diverged`: because
    // the game no longer plays as recorded, which the player is told.
    void DropAfterHere(bool diverged = false);
    // The slot `slot` was read whole at the answer before at_.
    void Loaded(const std::string& slot);
    // Takes the front end's answer: the same as recorded keeps the steps
    // after it, another drops them.
    const Answer& Take(Answer answer);
    // The front end's wait; a step forward answers as recorded.
    template <typename Wait>
    const Answer& Ask(Answer::Kind kind, bool step, Wait wait);

    KeptScreen kept_;  // what the game draws, passed to the front end while live
    NewGame newGame_;
    std::unique_ptr<RecordedFiles> files_;
    std::unique_ptr<MainWindowEvents> game_;
    std::vector<Answer> record_;
    size_t at_ = 0;           // the next answer's place in the record
    size_t handOverAt_ = 0;   // where a replay hands over to the front end
    bool forwarded_ = false;  // the last wait was answered by going forward
    // The first load's way from the title: the answers before its list of
    // slots, which the list of the last load follows in the record; and the
    // screen that list was shown on, and the one asked for last.
    std::optional<size_t> loadWay_;
    Screen loadScreen_;
    Screen listScreen_;
    std::function<void(const std::string&)> tell_;
};

}  // namespace velmora
