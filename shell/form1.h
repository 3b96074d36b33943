// The main window Form1: it receives the window's events, runs the turns of
// the game and carries out the game's operations (world/game.h) on the
// platform. The front ends (the Qt window, velmora-tty) only draw what the
// platform is told and deliver the main window's events.
//
// Each operation lives in the file that bears its job's name: ShowMessage in
// shell/message_window.cpp, AdvanceClock in world/clock.cpp, VisitPark in
// places/park.cpp.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "places/visit.h"
#include "platform/platform.h"
#include "presentation/pictures.h"
#include "shell/story.h"
#include "world/game.h"

namespace velmora {

// A button of the menu window and what it does.
struct Command {
    std::string caption;
    const Place* place = nullptr;        // a visit of this place,
    void (*operation)(Game&) = nullptr;  // or this operation; neither: window-move mode
    MenuKind kind = MenuKind::kPlace;    // what its button is to the menu window

    bool MovesWindow() const { return !place && !operation; }
};

// The menu window's buttons, top to bottom: the story's places, then the
// commands (shell/command_menu.cpp).
std::vector<Command> Commands(const Story& story);

// A question of the first click, asked before the story's start, and what
// its YES opens: the list of slots to load from, or the name window.
struct StartQuestion {
    enum class Yes { kLoad, kNaming };
    const char* words;
    Yes yes;
};

// In the order the game asks them (shell/start_up.cpp).
const std::vector<StartQuestion>& StartQuestions();

class Form1 final : public Game, public MainWindowEvents {
  public:
    explicit Form1(Platform& platform, const Story& story = TheStory());

    GameState& state() override { return s_; }
    const GameState& state() const { return s_; }
    // Who follows the story: told the id of every event as it begins.
    void Watch(std::function<void(const std::string&)> told) { told_ = std::move(told); }
    // Who remembers what the player has read: told the key of every message
    // (world/message_key.h) just before it waits for NEXT.
    void FollowReading(std::function<void(const std::string&)> reading) {
        reading_ = std::move(reading);
    }

    // Who fills the album: told each picture as it comes into view, with
    // the clock's time (presentation/pictures.h).
    void FollowPictures(Pictures::Shown shown) { pictures_.Follow(std::move(shown)); }

    // --- window events ---
    void lblMsg_Click() override;
    void Form_Resize() override;
    void Form_QueryUnload() override;
    void ContinueClick(const std::string& slot) override;

    // --- start-up ---
    // continueFrom: 続きから, the game loaded from that slot without the
    // questions (they follow when it cannot be read).
    void StartNewGame(const std::string& continueFrom = "");
    // The automatic save at every return to the menu (none unless given).
    void SaveAtTheMenu(AutoSave* autoSave) { autoSave_ = autoSave; }

    // --- command menu ---
    void OpenCommandMenu();
    void DispatchCommand();
    const std::vector<Command>& commands() const { return commands_; }

    // --- the game's operations ---
    Files& files() override { return platform_.files(); }
    Sound& sound() override { return platform_.sound(); }
    void ShowMessage(const std::string& text, int wait) override;
    void ShowScriptLine(int item) override;
    void ShowForm2() override;
    void ShowForm5() override;
    void ShowForm7() override;
    void ShowNotice(const std::string& text) override { platform_.ShowNotice(text); }
    void AskRoomCommand(const std::vector<std::string>& commands) override;
    void DispatchNext() override { dispatchPending_ = true; }
    [[noreturn]] void EndProgram() override { throw ProgramEnd{}; }
    void ShowScenePicture(const std::string& file) override { pictures_.ShowScenePicture(file); }
    void ClearScenePicture() override { pictures_.ClearScenePicture(); }
    void ShowPortrait(const std::string& file) override { pictures_.ShowPortrait(file); }
    void DismissPortrait() override { pictures_.DismissPortrait(); }
    void ShowPlacePicture(const std::string& file) override { pictures_.ShowPlacePicture(file); }
    void ShowTitlePicture() override { pictures_.ShowTitlePicture(); }
    void UpdateClockDisplay() override { pictures_.UpdateClockDisplay(); }
    void PlayDigestFinale() override { Visit(*this).Play(story_.digest); }
    void Tell(const std::string& eventId) override {
        if (told_) told_(eventId);
    }

  private:
    // The message window (shell/message_window.cpp): the text with the
    // names put in, and NEXT unless wait is not 0. item: the text is that
    // item of ScriptLines, or kNotALine.
    static constexpr int kNotALine = -1;
    void Show(const std::string& text, int wait, int item);

    // the dialogs' own rules (shell/dialogs.cpp)
    void ShowForm3();
    void ShowForm4();
    void ShowForm5(ListOf list, const std::vector<std::string>& entries);

    // the turns of the game, one after another in a loop (shell/command_menu.cpp)
    void RunTurns();
    const Command* Chosen() const;  // the command MenuChoice names, compared exactly
    bool RunKeyCommand(const std::string& choice);  // F5, F9: false for any other
    bool dispatchPending_ = false;                  // a loaded game resumes at its saved place
    AutoSave* autoSave_ = nullptr;

    Platform& platform_;
    const Story& story_;
    const std::vector<Command> commands_;
    std::vector<MenuRow> rows_;  // the menu window's, one for each command
    GameState s_;
    Pictures pictures_{platform_, s_, NamedPlates(story_), Scenes(story_)};
    std::function<void(const std::string&)> told_;
    std::function<void(const std::string&)> reading_;
};

}  // namespace velmora
