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
    std::vector<std::string> bytes;
    ReadFailure failure;
    if (!platform_.files().ReadTogether({slot, TextFileOf(slot)}, kSlotFileLimit, &bytes,
                                        &failure)) {
        // Only a slot with no flag file at all has never been saved.
        const bool neverSaved = failure.missing && bytes.empty();
        *why = neverSaved ? "このファイルにはまだセーブされていません。" : failure.why;
        return false;
    }
    std::vector<int16_t> values;
    SlotText text;
    if (!ParseFlagFile(bytes[0], &values, why) || !ParseTextFile(bytes[1], &text, why)) {
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
    CommitFailure failure;
    if (text) {
        const std::vector<NamedBytes> files = {{slot, FormatFlagFile(s_.Flags)},
                                               {TextFileOf(slot), *text}};
        if (platform_.files().ReplaceTogether(files, &failure)) {
            ShowMessage(slot + " にセーブしました。", 0);
            return;
        }
    } else {
        for (const std::string* s : {&names.place, &names.name, &names.nickname}) {
            if (failure.why.empty()) failure.why = WhyNotSavable(*s);
        }
    }
    ShowMessage("＜" + slot + " にセーブできませんでした。" + failure.why + "＞\r\n" +
                    WhatIsLeft(failure.left),
                0);
}

}  // namespace velmora
