// What the comforts say, in the window program and the web page alike: the
// short notices of the keys that change a comfort (M, A; also when a click
// turns auto-advance off), the settings window's captions and key help, and
// what the page's slot window says of a slot before the game describes it.
#pragma once

#include <string>

#include "player/comfort_timing.h"

namespace velmora::words {

// "音楽を消しました" / "音楽を戻しました".
const char* MusicNotice(bool muted);
// "自動送り：オン" / "自動送り：オフ"; at a pace not the game's own, the
// notice of turning it on names the pace ("自動送り：オン（はやい）").
const char* AutoAdvanceNotice(bool on, int pace = timing::kDefaultAutoAdvancePace);
// The name of a pace of auto-advance ("ふつう").
const char* PaceName(int pace);
// The name of a speed of the text ("ゆっくり" ... "一度に", the game's own).
const char* TextSpeedName(int speed);

// Told at start where the settings file names settings in values the game
// cannot read: "設定ファイルの 2 項目を読めませんでした。その設定は既定のままです。"
std::string UnreadSettingsNotice(int count);

// The comfort menu's entry that hides the message window (V): "ウィンドウを隠す".
const char* HideWindowCaption();

// Told where Enter or Space waits for the focus to move first (a question,
// a list, the menu): how to choose, and for a question its letters.
const char* ChooseFirst(bool question);
// Told at the title where the automatic save offers 続きから, before what
// it holds: "続きから：C キーでオートセーブデータから始めます。".
const char* ContinueTold();
// Told as the message window hides (V): "ウィンドウを隠しました。…".
const char* HiddenNotice();

// The settings of the settings window, in its order.
enum class Setting {
    kVolume,
    kMuted,
    kWheelDownPressesNext,
    kAutoAdvance,
    kAutoAdvancePace,
    kTextSpeed,
    kSkipUnread,
    kLargerText
};
const char* SettingCaption(Setting setting);

// A slot whose details the game has not given (the page's slot window as it
// opens, or once the game has ended): whether its files are kept.
const char* SlotFiles(bool kept);

enum class FrontEnd { kWindow, kPage };

// The keys of the comforts, one line each: the same keys on both front
// ends, with what only one of them has.
std::string KeyHelp(FrontEnd frontEnd);

}  // namespace velmora::words
