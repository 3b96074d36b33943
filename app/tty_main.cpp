// velmora-tty: the game in a terminal, speaking the line protocol on
// standard input and output. It runs in the game's working directory.
#include <iostream>

#include "platform/posix_files.h"
#include "platform/trace_platform.h"
#include "shell/form1.h"

int main() {
    std::ios::sync_with_stdio(false);
    velmora::PosixFiles files(".");
    velmora::TracePlatform platform(
        std::cout,
        [](const std::string&) -> std::optional<std::string> {
            std::string line;
            if (!std::getline(std::cin, line)) return std::nullopt;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        },
        files);
    velmora::Form1 game(platform);
    platform.PlayGame(game);
    return 0;
}
