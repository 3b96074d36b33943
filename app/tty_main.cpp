// velmora-tty: the game in a terminal, speaking the line protocol on
// standard input and output. It runs in the game's working directory.
//
//   velmora-tty [--rollback]
//
// With --rollback the input line BACK at any prompt takes the game back one
// step, and says so as "BACK n": n of the input lines answered before it
// are taken back (a picture and its NEXT are one step and two lines).
// FORWARD goes forward again (replay/rollback.h); a line "NOTICE …" says
// when the steps gone back over were dropped. Without it the protocol is as
// it always was.
#include <cstring>
#include <iostream>
#include <memory>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "replay/rollback.h"
#include "shell/form1.h"

int main(int argc, char* argv[]) {
    bool rollback = false;
    for (int i = 1; i < argc; ++i) rollback = rollback || std::strcmp(argv[i], "--rollback") == 0;
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
    if (!rollback) {
        velmora::Form1 game(platform);
        platform.PlayGame(game);
        return 0;
    }
    velmora::Rollback steps(
        platform, [](velmora::Platform& on) { return std::make_unique<velmora::Form1>(on); });
    steps.TellWith([&](const std::string& text) { platform.Notice(text); });
    platform.PlayGame(steps);
    return 0;
}
