// The line protocol of velmora-tty: what the window would show is written
// as trace lines ("MSG …", "SCENE …", "CLOCK …"), and every wait is a
// prompt ("NEXT?", "YESNO?", "MENU? …") answered by one input line. The
// tests drive the game through the same platform with scripted input.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "platform/platform.h"

namespace velmora {

// Gives the answer line to a prompt, or nothing at the end of the input.
using Answerer = std::function<std::optional<std::string>(const std::string& prompt)>;

class TracePlatform : public Platform {
  public:
    TracePlatform(std::ostream& out, Answerer answer, Files& files)
        : out_(out), answer_(std::move(answer)), files_(files), sound_(*this) {}

    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override { return {255, 32}; }
    // "NOTICE …", as rollback's notices.
    void ShowNotice(const std::string& text) override;

    // The line protocol names pictures by their files; the words are a screen reader's.
    void ShowScene(const NamedPicture& scene) override { Emit("SCENE " + scene.file); }
    void ClearScene() override { Emit("SCENE -"); }
    void ShowPreparedPortrait(const NamedPicture& prepared) override {
        Emit("PORTRAIT " + prepared.file);
    }
    void HidePortraitLayer() override { Emit("HIDE"); }
    void PaintPortraitIntoScene(const NamedPicture& portrait) override {
        Emit("PAINT " + portrait.file);
    }
    void ShowSidePicture(const NamedPicture& side) override { Emit("SIDE " + side.file); }
    void ShowClock(const ClockFace& face) override;
    void ShowDesignPictures() override { Emit("DESIGN"); }

    void WaitNext(Twips) override { Ask("NEXT?"); }
    YesNo AskYesNo(Twips) override;
    void OpenNameDialog() override {}
    NameEntry WaitNameDialog() override;
    void CloseNameDialog() override {}
    std::optional<std::string> ChooseFromList(ListOf, const std::vector<std::string>& entries,
                                              Twips) override;
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>& rows) override;
    void WaitPictureClick(const NamedPicture& picture) override { Ask("PICTURE? " + picture.file); }
    void ClosePictureWindow() override {}

    Sound& sound() override { return sound_; }
    Files& files() override { return files_; }

    // Plays a whole game: the design caption, then a CLICK? before every
    // click on the message label, until the game ends the program or the
    // input ends; then END.
    void PlayGame(MainWindowEvents& game);
    // The same with steps, the game played through `steps` (rollback, which
    // stands on this platform): the input line BACK at any prompt goes back
    // one step and writes "BACK n", n the input lines answered since that
    // step, its own among them, which it takes back ("BACK 0": none, and the
    // prompt is asked again); FORWARD writes FORWARD and answers as before
    // at a step gone back to, or asks again when it cannot.
    void PlayGame(Steps& steps);
    // "NOTICE …": what the player is told below the game (that the steps
    // gone back over were dropped).
    void Notice(const std::string& text) { Emit("NOTICE " + text); }
    // The game's own slots offered (velmora-tty --auto-save): the line
    // CONTINUE at the title's CLICK? is 続きから from `continueSlot`, and
    // MENU? takes the quick save's and quick load's answers too.
    void OfferOwnSlots(std::string continueSlot) { continueSlot_ = std::move(continueSlot); }

    // A line of the trace, flushed at once.
    void Emit(const std::string& line);
    // Writes a prompt and reads the answer; the end of the input closes the
    // main window (throws MainWindowClosed).
    std::string Ask(const std::string& prompt);

  private:
    // "SOUND stop", "SOUND loop FILE".
    class Lines final : public Sound {
      public:
        explicit Lines(TracePlatform& trace) : trace_(trace) {}
        void StopSound() override { trace_.Emit("SOUND stop"); }
        void PlayLoop(const std::string& file) override { trace_.Emit("SOUND loop " + file); }

      private:
        TracePlatform& trace_;
    };

    // resume: 続きから from a slot.
    void Play(const std::function<void(bool forward)>& click,
              const std::function<void(const std::string& slot)>& resume,
              const std::function<void()>& back, const std::function<MainWindowEvents&()>& game);
    // Whether a line answering CLICK? asks for 続きから.
    bool Continues(const std::string& line) const;

    std::ostream& out_;
    Answerer answer_;
    Files& files_;
    Lines sound_;
    const Steps* steps_ = nullptr;
    std::string continueSlot_;  // empty: the protocol as it always was
};

// How a message is written on one trace line: CR LF and a lone LF as "\n",
// a lone CR as "\r", a tab as "\t", a backslash as "\\", and every other
// control character as "\xHH" (C0 and DEL) or "\u00HH" (C1): text from the
// game's files and the player's names never reaches the terminal raw.
std::string EscapeTraceText(const std::string& text);

// The same for one field of a line whose fields are parted by "|" (the
// CLOCK line), which writes a "|" of its own as "\|".
std::string EscapeTraceField(const std::string& text);

}  // namespace velmora
