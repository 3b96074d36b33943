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

std::string TextFileOf(const std::string& slot) {
    return slot + "_text";
}

// Reads both files of the chosen slot and takes them over only when both
// are wholly readable.
bool ReadSlot(Files& files, GameState& s, std::string* why) {
    const std::string& slot = s.SelectedFile;
    if (!files.Recover({slot, TextFileOf(slot)})) {
        *why = kSaveLeftUnfinished;
        return false;
    }
    std::optional<std::string> flagBytes = files.Read(slot);
    std::optional<std::string> textBytes = files.Read(TextFileOf(slot));
    if (!flagBytes || !textBytes) {
        *why = "このファイルにはまだセーブされていません。";
        return false;
    }
    std::vector<int16_t> values;
    SlotText text;
    if (!ParseFlagFile(*flagBytes, &values, why) || !ParseTextFile(*textBytes, &text, why)) {
        return false;
    }
    std::copy(values.begin(), values.end(), s.Flags.begin());
    s.CurrentPlace = text.place;
    s.PlayerName = text.name;
    s.Nickname = text.nickname;
    return true;
}

void CommitSlot(Game& game) {
    const GameState& s = game.state();
    const std::string& slot = s.SelectedFile;
    const SlotText names{s.CurrentPlace, s.PlayerName, s.Nickname};
    const std::optional<std::string> text = FormatTextFile(names);
    std::string why = "名前かニックネームに保存できない文字があります。";
    std::vector<NamedBytes> files;
    if (text) files = {{slot, FormatFlagFile(s.Flags)}, {TextFileOf(slot), *text}};
    if (text && game.files().ReplaceTogether(files, &why)) {
        game.ShowMessage(slot + " にセーブしました。", 0);
        return;
    }
    game.ShowMessage("＜" + slot + " にセーブできませんでした。" + why +
                         "＞\r\n＜前にセーブした内容はそのまま残っています。＞",
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
    s.Minute = s.flag(Flag::SavedMinute);
    s.Day = s.flag(Flag::SavedDay);
    s.Hour = s.flag(Flag::SavedHour);
    s.Half = s.flag(Flag::SavedHalf);
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
