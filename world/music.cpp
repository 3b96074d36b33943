// PlayBgm: the music starts again from its beginning, if the player wants music.
#include "platform/sound.h"
#include "world/game.h"

namespace velmora {

void PlayBgm(Game& game, const std::string& file) {
    if (game.state().flag(Flag::Music) != 1) return;
    game.sound().StopSound();
    game.sound().PlayLoop(file);
}

}  // namespace velmora
