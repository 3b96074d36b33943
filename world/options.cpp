// The menu's settings and the way out: music on or off, how portraits are
// drawn, and quitting after a question.
#include "shell/form1.h"

namespace velmora {

void Form1::ToggleBgm() {
    ShowMessage("BGMを鳴らしますか？", 1);
    s_.DialogAnswer = 0;
    ShowForm2();
    if (s_.DialogAnswer == 1) {
        s_.Flags[flag::kMusic] = 1;
        platform_.StopSound();
        PlayBgm("BGM1.wav");
    } else {
        s_.Flags[flag::kMusic] = 2;
        platform_.StopSound();
    }
}

void Form1::ToggleLineDisplay() {
    ShowMessage("キャラクタをライン表示しますか？", 1);
    s_.DialogAnswer = 0;
    ShowForm2();
    s_.Flags[flag::kPortraitMode] = s_.DialogAnswer == 1 ? 1 : 2;
}

void Form1::ConfirmQuit() {
    ShowMessage("本当に終了しますか？ ", 1);
    s_.DialogAnswer = 0;
    ShowForm2();
    if (s_.DialogAnswer != 1) return;
    ShowMessage("お疲れさまでした。", 0);
    platform_.StopSound();
    throw ProgramEnd{};
}

}  // namespace velmora
