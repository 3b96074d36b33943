// The menu's settings and the way out: music on or off, how portraits are
// drawn, and quitting after a question.
#include "platform/sound.h"
#include "world/game.h"

namespace velmora {

void ToggleBgm(Game& game) {
    GameState& s = game.state();
    game.ShowMessage("BGMを鳴らしますか？", 1);
    s.DialogAnswer = 0;
    game.ShowForm2();
    if (s.DialogAnswer == 1) {
        s.flag(Flag::Music) = 1;
        game.sound().StopSound();
        PlayBgm(game, "BGM1.wav");
    } else {
        s.flag(Flag::Music) = 2;
        game.sound().StopSound();
    }
}

void ToggleLineDisplay(Game& game) {
    GameState& s = game.state();
    game.ShowMessage("キャラクタをライン表示しますか？", 1);
    s.DialogAnswer = 0;
    game.ShowForm2();
    s.flag(Flag::PortraitMode) = s.DialogAnswer == 1 ? 1 : 2;
}

void ConfirmQuit(Game& game) {
    GameState& s = game.state();
    game.ShowMessage("本当に終了しますか？ ", 1);
    s.DialogAnswer = 0;
    game.ShowForm2();
    if (s.DialogAnswer != 1) return;
    game.ShowMessage("お疲れさまでした。", 0);
    game.sound().StopSound();
    game.EndProgram();
}

}  // namespace velmora
