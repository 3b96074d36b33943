// The operations of the game, as the world, the places and the finale call
// them. The main window (shell/form1.h) carries them out: it alone reaches
// the windows and pictures, and the rest of the game reaches them only
// through here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "world/state.h"

namespace velmora {

class Files;  // platform/files.h: for the world's scenario and slot files alone
class Sound;  // platform/sound.h: for the world's music alone

class Game {
  public:
    virtual ~Game() = default;

    virtual GameState& state() = 0;
    virtual Files& files() = 0;
    virtual Sound& sound() = 0;

    // --- the message window and the small windows ---
    virtual void ShowMessage(const std::string& text, int wait) = 0;  // wait 0: until NEXT
    // Item `item` of ScriptLines, until NEXT: the read-text record knows it
    // by its scenario file and item.
    virtual void ShowScriptLine(int item) = 0;
    virtual void ShowForm2() = 0;  // Yes/No; the answer in DialogAnswer
    virtual void ShowForm5() = 0;  // the list of ClickState; the choice in SelectedFile
    virtual void ShowForm7() = 0;  // PictureFile until it is clicked, then NEXT
    // A notice that needs no answer and goes by itself (a quick save done).
    virtual void ShowNotice(const std::string& text) = 0;
    // The list of the hero's room: its first command is chosen unless the
    // player chooses another; the choice in SelectedFile.
    virtual void AskRoomCommand(const std::vector<std::string>& commands) = 0;
    // The next turn runs DispatchCommand on MenuChoice, as if the menu had
    // just been answered (a loaded game goes on at its saved place).
    virtual void DispatchNext() = 0;
    [[noreturn]] virtual void EndProgram() = 0;

    // --- pictures ---
    virtual void ShowScenePicture(const std::string& file) = 0;
    virtual void ClearScenePicture() = 0;
    virtual void ShowPortrait(const std::string& file) = 0;
    virtual void DismissPortrait() = 0;
    virtual void ShowPlacePicture(const std::string& file) = 0;
    virtual void ShowTitlePicture() = 0;
    virtual void UpdateClockDisplay() = 0;

    // --- the end of the playable days ---
    virtual void PlayDigestFinale() = 0;

    // An event of the story begins ("park P3", "park P1 YES"): told to
    // whoever follows the story (the route explorer).
    virtual void Tell(const std::string& eventId) = 0;
};

// The world's own operations, on any game.
void AdvanceClock(Game& game);                         // world/clock.cpp
void LoadScript(Game& game, const std::string& file);  // world/scenario_files.cpp
void PlayBgm(Game& game, const std::string& file);     // world/music.cpp
void PromptLoad(Game& game);                           // world/save_load.cpp
void LoadGame(Game& game);
void PromptSave(Game& game);
void SaveGame(Game& game);
void QuickSave(Game& game);  // F5 at the menu
void QuickLoad(Game& game);  // F9 at the menu: asks first
// 続きから: the game as loaded from `slot`, without a question; false, told
// why, when the slot cannot be read (nothing of the game changed then).
bool ContinueGame(Game& game, const std::string& slot);
void ToggleBgm(Game& game);  // world/options.cpp
void ToggleLineDisplay(Game& game);
void ConfirmQuit(Game& game);

// Where the automatic save's bytes go once taken at the menu, when they are
// not written there and then: a writer that writes them while the player
// goes on.
struct NamedBytes;  // platform/files.h: the places never see the files

class SaveWriter {
  public:
    virtual ~SaveWriter() = default;
    // Takes the files of a save to write, in place of any not yet written.
    virtual void Write(std::vector<NamedBytes> save) = 0;
    // Since last asked: "" when the last write that ended wrote the save,
    // why it could not when it failed, nothing when none ended.
    virtual std::optional<std::string> Outcome() = 0;
};

// The automatic save at every return to the menu, into the slot 続きから
// resumes (world/slot_format.h kAutoSlot), byte for byte the save the player
// would make there. One that cannot be written leaves the one before whole
// and is told once for each reason, by a notice.
class AutoSave {
  public:
    // false when it could not be written (or, with a writer, not even taken)
    bool AtMenu(Game& game);
    // The bytes handed to `writer` rather than written at the menu; what
    // became of them is told at a later menu.
    void WriteWith(SaveWriter* writer) { writer_ = writer; }

  private:
    void Told(Game& game, const std::string& why);

    SaveWriter* writer_ = nullptr;
    std::string told_;  // why the last one could not be written, once told
};

}  // namespace velmora
