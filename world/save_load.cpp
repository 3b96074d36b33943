// Saving and loading the five slots "file1" .. "file5". A slot is two files
// that change together: a save replaces both or neither, and a load reads and
// checks both before anything of the game changes.
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
    return TakeSlot(bytes, &s, &count, why);
}

void CommitSlot(Game& game) {
    const GameState& s = game.state();
    const std::string& slot = s.SelectedFile;
    const SlotText names{s.CurrentPlace, s.PlayerName, s.Nickname};
    const std::optional<std::string> text = FormatTextFile(names);
    CommitFailure failure;
    if (text) {
        const std::vector<NamedBytes> files = {{slot, FormatFlagFile(s.Flags)},
                                               {SlotTextFile(slot), *text}};
        if (game.files().ReplaceTogether(files, &failure)) {
            game.ShowMessage(slot + " にセーブしました。", 0);
            return;
        }
    } else {
        for (const std::string* field : {&names.place, &names.name, &names.nickname}) {
            if (failure.why.empty()) failure.why = WhyNotSavable(*field);
        }
    }
    game.ShowMessage("＜" + slot + " にセーブできませんでした。" + WhySlot(failure) + "＞\r\n" +
                         WhatIsLeft(failure.left),
                     0);
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
    game.ShowMessage(s.SelectedFile + " をロードします。よろしいですか？", 1);
    s.DialogAnswer = 0;
    game.ShowForm2();
    if (s.DialogAnswer != 1) return;

    std::string why;
    if (!ReadSlot(game.files(), s, &why)) {
        game.ShowMessage("＜" + s.SelectedFile + " はロードできませんでした。" + why + "＞", 0);
        return;
    }
    game.ShowMessage(s.SelectedFile + " をロードしました。", 0);
    TakeSavedClock(s);
    game.ClearScenePicture();
    game.ShowTitlePicture();
    game.UpdateClockDisplay();
    s.ClickState = click::kPlaying;
    PlayBgm(game, "BGM1.wav");
    // The game goes on as if the saved place had just been chosen from the menu.
    s.MenuChoice = s.CurrentPlace;
    game.DispatchNext();
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

    s.flag(Flag::SavedMinute) = s.Minute;
    s.flag(Flag::SavedDay) = s.Day;
    s.flag(Flag::SavedHour) = s.Hour;
    s.flag(Flag::SavedHalf) = s.Half;
    CommitSlot(game);
    s.ClickState = click::kPlaying;
}

}  // namespace velmora
