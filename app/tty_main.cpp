// velmora-tty: the game in a terminal, speaking the line protocol on
// standard input and output. It runs in the game's working directory.
//
//   velmora-tty [--rollback] [--auto-save]
//
// With --rollback the input line BACK at any prompt takes the game back one
// step, and says so as "BACK n": n of the input lines answered before it
// are taken back (a picture and its NEXT are one step and two lines).
// FORWARD goes forward again (replay/rollback.h); a line "NOTICE …" says
// when the steps gone back over were dropped.
//
// With --auto-save the game writes its automatic save ("auto" and
// "auto_text") at every return to the menu, as the window program does; the
// line CONTINUE at the title's CLICK? is 続きから, the game loaded from it;
// MENU? also takes クイックセーブ and クイックロード, the quick save's keys,
// and a notice the game gives is written "NOTICE …".
//
// Without them the protocol is as it always was, and nothing is written but
// the slots the player saves.
#include <cstring>
#include <iostream>
#include <memory>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "replay/rollback.h"
#include "shell/form1.h"
#include "world/slot_format.h"

namespace {

bool Given(int argc, char* argv[], const char* option) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool rollback = Given(argc, argv, "--rollback");
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
    velmora::AutoSave autoSave;
    velmora::AutoSave* saving = Given(argc, argv, "--auto-save") ? &autoSave : nullptr;
    if (saving) platform.OfferOwnSlots(velmora::kAutoSlot);
    const auto newGame = [saving](velmora::Platform& on) {
        auto game = std::make_unique<velmora::Form1>(on);
        game->SaveAtTheMenu(saving);
        return game;
    };
    if (!rollback) {
        std::unique_ptr<velmora::Form1> game = newGame(platform);
        platform.PlayGame(*game);
        return 0;
    }
    velmora::Rollback steps(platform, newGame);
    steps.TellWith([&](const std::string& text) { platform.Notice(text); });
    platform.PlayGame(steps);
    return 0;
}
