// Saving and loading the five slots "file1" .. "file5". A slot is two files
// that change together: a save replaces both or neither, and a load reads and
// checks both before anything of the game changes.
#include "shell/form1.h"
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

}  // namespace

void Form1::PromptLoad() {
    s_.ClickState = click::kLoadList;
    s_.SelectedFile = "";
    ShowMessage("どれをロードしますか？\r\n<ロードファイル選択後、(OK)をクリック>", 1);
    ShowForm5();
    LoadGame();
}

void Form1::LoadGame() {
    s_.ClickState = click::kPlaying;
    if (s_.SelectedFile.empty()) {
        ShowMessage(kNothingChosenLoad, 0);
        return;
    }
    ShowMessage(s_.SelectedFile + " をロードします。よろしいですか？", 1);
    s_.DialogAnswer = 0;
    ShowForm2();
    if (s_.DialogAnswer != 1) return;

    std::string why;
    if (!ReadSlot(&why)) {
        ShowMessage("＜" + s_.SelectedFile + " はロードできませんでした。" + why + "＞", 0);
        return;
    }
    ShowMessage(s_.SelectedFile + " をロードしました。", 0);
    s_.Minute = s_.Flags[flag::kSavedMinute];
    s_.Day = s_.Flags[flag::kSavedDay];
    s_.Hour = s_.Flags[flag::kSavedHour];
    s_.Half = s_.Flags[flag::kSavedHalf];
    ClearScenePicture();
    ShowTitlePicture();
    UpdateClockDisplay();
    s_.ClickState = click::kPlaying;
    PlayBgm("BGM1.wav");
    // The game goes on as if the saved place had just been chosen from the menu.
    s_.MenuChoice = s_.CurrentPlace;
    dispatchPending_ = true;
}

// Reads both files of the chosen slot and takes them over only when both
// are wholly readable.
bool Form1::ReadSlot(std::string* why) {
    const std::string& slot = s_.SelectedFile;
    if (!platform_.files().Recover({slot, TextFileOf(slot)})) {
        *why = kSaveLeftUnfinished;
        return false;
    }
    std::optional<std::string> flagBytes = platform_.files().Read(slot);
    std::optional<std::string> textBytes = platform_.files().Read(TextFileOf(slot));
    if (!flagBytes || !textBytes) {
        *why = "このファイルにはまだセーブされていません。";
        return false;
    }
    std::vector<int16_t> values;
    SlotText text;
    if (!ParseFlagFile(*flagBytes, &values, why) || !ParseTextFile(*textBytes, &text, why)) {
        return false;
    }
    std::copy(values.begin(), values.end(), s_.Flags.begin());
    s_.CurrentPlace = text.place;
    s_.PlayerName = text.name;
    s_.Nickname = text.nickname;
    return true;
}

void Form1::PromptSave() {
    s_.ClickState = click::kSaveList;
    s_.SelectedFile = "";
    ShowMessage("どこにセーブしますか？\r\n<セーブファイル選択後、(OK)をクリック>", 1);
    ShowForm5();
    SaveGame();
}

void Form1::SaveGame() {
    s_.ClickState = click::kPlaying;
    if (s_.SelectedFile.empty()) {
        ShowMessage(kNothingChosenSave, 0);
        return;
    }
    ShowMessage(s_.SelectedFile + " にセーブします。よろしいですか？", 1);
    s_.DialogAnswer = 0;
    ShowForm2();
    if (s_.DialogAnswer != 1) return;

    s_.Flags[flag::kSavedMinute] = s_.Minute;
    s_.Flags[flag::kSavedDay] = s_.Day;
    s_.Flags[flag::kSavedHour] = s_.Hour;
    s_.Flags[flag::kSavedHalf] = s_.Half;
    CommitSlot();
    s_.ClickState = click::kPlaying;
}

void Form1::CommitSlot() {
    const std::string& slot = s_.SelectedFile;
    const SlotText names{s_.CurrentPlace, s_.PlayerName, s_.Nickname};
    const std::optional<std::string> text = FormatTextFile(names);
    std::string why = "名前かニックネームに保存できない文字があります。";
    std::vector<NamedBytes> files;
    if (text) files = {{slot, FormatFlagFile(s_.Flags)}, {TextFileOf(slot), *text}};
    if (text && platform_.files().ReplaceTogether(files, &why)) {
        ShowMessage(slot + " にセーブしました。", 0);
        return;
    }
    ShowMessage("＜" + slot + " にセーブできませんでした。" + why +
                    "＞\r\n＜前にセーブした内容はそのまま残っています。＞",
                0);
}

}  // namespace velmora
