#include "player/comfort_words.h"

#include <algorithm>
#include <iterator>

namespace velmora::words {

const char* MusicNotice(bool muted) {
    return muted ? "音楽を消しました" : "音楽を戻しました";
}

const char* AutoAdvanceNotice(bool on, int pace) {
    constexpr const char* kOn[] = {"自動送り：オン（とてもゆっくり）", "自動送り：オン（ゆっくり）",
                                   "自動送り：オン", "自動送り：オン（はやい）",
                                   "自動送り：オン（とてもはやい）"};
    static_assert(std::size(kOn) == timing::kAutoAdvancePaceCount);
    return on ? kOn[std::clamp(pace, 0, timing::kAutoAdvancePaceCount - 1)] : "自動送り：オフ";
}

std::string UnreadSettingsNotice(int count) {
    return "設定ファイルの " + std::to_string(count) +
           " 項目を読めませんでした。その設定は既定のままです。";
}

const char* PaceName(int pace) {
    constexpr const char* kNames[] = {"とてもゆっくり", "ゆっくり", "ふつう", "はやい",
                                      "とてもはやい"};
    static_assert(std::size(kNames) == timing::kAutoAdvancePaceCount);
    return kNames[std::clamp(pace, 0, timing::kAutoAdvancePaceCount - 1)];
}

const char* TextSpeedName(int speed) {
    constexpr const char* kNames[] = {"ゆっくり", "ふつう", "はやい", "一度に"};
    static_assert(std::size(kNames) == timing::kTextSpeedCount);
    return kNames[std::clamp(speed, 0, timing::kTextSpeedCount - 1)];
}

const char* HideWindowCaption() {
    return "ウィンドウを隠す";
}

const char* ChooseFirst(bool question) {
    return question ? "先に Tab か矢印で選んでから Enter で決めます。Y で「はい」、N で「いいえ」。"
                    : "先に矢印か Tab で選んでから Enter で決めます。";
}

const char* ContinueTold() {
    return "続きから：C キーでオートセーブデータから始めます。";
}

const char* HiddenNotice() {
    return "ウィンドウを隠しました。何かキーを押すかクリックすると戻ります。";
}

const char* SettingCaption(Setting setting) {
    switch (setting) {
        case Setting::kVolume:
            return "音楽の音量";
        case Setting::kMuted:
            return "音楽を消す";
        case Setting::kWheelDownPressesNext:
            return "ホイールを下に回すと NEXT";
        case Setting::kAutoAdvance:
            return "自動送り（クリックで止まります）";
        case Setting::kAutoAdvancePace:
            return "自動送りの速さ";
        case Setting::kTextSpeed:
            return "文字の表示速度";
        case Setting::kSkipUnread:
            return "既読スキップで未読の文章もスキップする";
        case Setting::kLargerText:
            return "文字を大きく（ウィンドウ全体を 150%）";
    }
    return "";
}

const char* SlotFiles(bool kept) {
    return kept ? "セーブあり" : "空き";
}

std::string KeyHelp(FrontEnd frontEnd) {
    const bool page = frontEnd == FrontEnd::kPage;
    return std::string("Enter / Space: NEXT　　Y / N: はい / いいえ\n") +
           "Tab・矢印キー・Home / End で選んでから Enter / Space: 質問・一覧・メニュー\n" +
           "H: 履歴　　F11: 全画面　　M: 音楽を消す　　A: 自動送り（速さは設定で）\n" +
           "ホイール上・Page Up・←: ひとつ戻る　　ホイール下・Page Down: ひとつ進む\n" +
           "Ctrl（押している間）・Tab: 既読スキップ　　S: ストーリーマップ　　G: アルバム\n" +
           "F5 / F9: クイックセーブ / クイックロード（メニューで）　　C: 続きから（タイトルで）\n" +
           (page ? "V・中ボタン・二本指タップ: ウィンドウを隠す（キーかクリックで戻ります）\n"
                 : "V・中ボタン: ウィンドウを隠す（キーかクリックで戻ります）\n") +
           (page ? "F2・Ctrl+,: 設定　　右クリック・≡: メニュー\n"
                 : "F2・Ctrl+,: 設定　　右クリック・メニューキー: メニュー\n") +
           (page ? "ほかのタブに切り替えると音楽は止まり、次に音楽が始まる場面まで鳴りません"
                 : "ウィンドウを最小化すると音楽は止まり、次に音楽が始まる場面まで鳴りません");
}

}  // namespace velmora::words
