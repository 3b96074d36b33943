// Saving and loading the five slots "file1" .. "file5", and the game's own
// beside them: the automatic save at the menu, which 続きから resumes, and
// the quick save. A slot is two files that change together: a save replaces
// both or neither, and a load reads and checks both before anything of the
// game changes.
#include <utility>

#include "platform/files.h"
#include "world/game.h"
#include "world/slot_format.h"

namespace velmora {
namespace {

const char* const kNothingChosenLoad =
    "正しく選択されていません。\r\nファイル名をクリックしてからOKを押してください。\r\n"
    "＜再度、コマンドよりロードしてください。＞";
const char* const kNothingChosenSave =
    "正しく選択されていません。\r\nファイル名をクリックしてからOKを押してください。\r\n"
    "＜再度、コマンドよりセーブしてください。＞";

// What a failed save says of the slot: only what is true of it.
std::string WhatIsLeft(LeftBehind left) {
    switch (left) {
        case LeftBehind::kOldFiles:
            return "＜前にセーブした内容はそのまま残っています。＞";
        case LeftBehind::kNoFiles:
            return "＜このファイルにはまだ何もセーブされていません。＞";
        case LeftBehind::kUntouched:
            break;
    }
    return "＜このファイルには何も書き込んでいません。＞";
}

// Reads both files of the chosen slot and takes them over only when both
// are wholly readable.
bool ReadSlot(Files& files, GameState& s, std::string* why) {
    const std::string& slot = s.SelectedFile;
    std::vector<std::string> bytes;
    ReadFailure failure;
    if (!files.ReadTogether({slot, SlotTextFile(slot)}, kSlotFileLimit, &bytes, &failure)) {
        *why = NeverSaved(failure, bytes) ? "このファイルにはまだセーブされていません。"
                                          : WhySlot(failure);
        return false;
    }
    size_t count = 0;
    if (!TakeSlot(bytes, &s, &count, why)) return false;
    // A flag file cut short before its clock leaves the running game's clock,
    // as the slot's details say, not the clock of the game's last save (Day 0
    // in a new game, which a save would then keep).
    if (count > static_cast<size_t>(Flag::SavedHalf)) TakeSavedClock(s);
    return true;
}

// Writes both files of `slot` from the game as it stands; false, with what
// failed and what is left of the slot, when it could not.
bool WriteSlot(Game& game, const std::string& slot, CommitFailure* failure) {
    const std::optional<std::vector<NamedBytes>> files = SaveOf(game.state(), slot, &failure->why);
    return files && game.files().ReplaceTogether(*files, failure);
}

void TellNotSaved(Game& game, const std::string& slot, const CommitFailure& failure) {
    game.ShowMessage("＜" + SlotCalled(slot) + "にセーブできませんでした。" + WhySlot(failure) +
                         "＞\r\n" + WhatIsLeft(failure.left),
                     0);
}

// After a slot was read whole: the game goes on as if the saved place had
// just been chosen from the menu.
void Resume(Game& game) {
    GameState& s = game.state();
    game.ShowMessage(SlotCalled(s.SelectedFile) + "をロードしました。", 0);
    game.ClearScenePicture();
    game.ShowTitlePicture();
    game.UpdateClockDisplay();
    s.ClickState = click::kPlaying;
    PlayBgm(game, "BGM1.wav");
    s.MenuChoice = s.CurrentPlace;
    game.DispatchNext();
}

}  // namespace

void PromptLoad(Game& game) {
    GameState& s = game.state();
    s.ClickState = click::kLoadList;
    s.SelectedFile = "";
    game.ShowMessage("どれをロードしますか？\r\n<ロードファイル選択後、(OK)をクリック>", 1);
    game.ShowForm5();
    LoadGame(game);
}

void LoadGame(Game& game) {
    GameState& s = game.state();
    s.ClickState = click::kPlaying;
    if (s.SelectedFile.empty()) {
        game.ShowMessage(kNothingChosenLoad, 0);
        return;
    }
    game.ShowMessage(SlotCalled(s.SelectedFile) + "をロードします。よろしいですか？", 1);
    s.DialogAnswer = 0;
    game.ShowForm2();
    if (s.DialogAnswer != 1) return;

    std::string why;
    if (!ReadSlot(game.files(), s, &why)) {
        game.ShowMessage(
            "＜" + SlotCalled(s.SelectedFile) + "はロードできませんでした。" + why + "＞", 0);
        return;
    }
    Resume(game);
}

bool ContinueGame(Game& game, const std::string& slot) {
    GameState& s = game.state();
    s.SelectedFile = slot;
    std::string why;
    if (ReadSlot(game.files(), s, &why)) {
        Resume(game);
        return true;
    }
    game.ShowMessage("＜" + SlotCalled(slot) + "から続けられませんでした。" + why + "＞", 0);
    return false;
}

void PromptSave(Game& game) {
    GameState& s = game.state();
    s.ClickState = click::kSaveList;
    s.SelectedFile = "";
    game.ShowMessage("どこにセーブしますか？\r\n<セーブファイル選択後、(OK)をクリック>", 1);
    game.ShowForm5();
    SaveGame(game);
}

void SaveGame(Game& game) {
    GameState& s = game.state();
    s.ClickState = click::kPlaying;
    if (s.SelectedFile.empty()) {
        game.ShowMessage(kNothingChosenSave, 0);
        return;
    }
    game.ShowMessage(s.SelectedFile + " にセーブします。よろしいですか？", 1);
    s.DialogAnswer = 0;
    game.ShowForm2();
    if (s.DialogAnswer != 1) return;

    PutSavedClock(s, s.Flags);
    CommitFailure failure;
    if (WriteSlot(game, s.SelectedFile, &failure)) {
        game.ShowMessage(s.SelectedFile + " にセーブしました。", 0);
    } else {
        TellNotSaved(game, s.SelectedFile, failure);
    }
    s.ClickState = click::kPlaying;
}

// F5 at the menu: the game as it stands into the quick save's slot, told by
// a notice that needs no answer; a failure is told as a save's is.
void QuickSave(Game& game) {
    CommitFailure failure;
    if (WriteSlot(game, kQuickSlot, &failure)) {
        game.ShowNotice("クイックセーブしました");
        return;
    }
    TellNotSaved(game, kQuickSlot, failure);
}

// F9 at the menu: asks first, as a load from the list does.
void QuickLoad(Game& game) {
    game.state().SelectedFile = kQuickSlot;
    LoadGame(game);
}

bool AutoSave::AtMenu(Game& game) {
    CommitFailure failure;
    if (!writer_) {
        const bool written = WriteSlot(game, kAutoSlot, &failure);
        Told(game, written ? "" : WhySlot(failure));
        return written;
    }
    if (const std::optional<std::string> outcome = writer_->Outcome()) Told(game, *outcome);
    std::optional<std::vector<NamedBytes>> save = SaveOf(game.state(), kAutoSlot, &failure.why);
    if (!save) {
        Told(game, WhySlot(failure));
        return false;
    }
    writer_->Write(std::move(*save));
    return true;
}

// Each reason once, until a save is written again.
void AutoSave::Told(Game& game, const std::string& why) {
    if (!why.empty() && why != told_) game.ShowNotice("自動セーブできませんでした。" + why);
    told_ = why;
}

}  // namespace velmora
