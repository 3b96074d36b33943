// PlayBgm: the music starts again from its beginning, if the player wants music.
#include "shell/form1.h"

namespace velmora {

void Form1::PlayBgm(const std::string& file) {
    if (s_.Flags[flag::kMusic] != 1) return;
    platform_.StopSound();
    platform_.PlayLoop(file);
}

}  // namespace velmora
