// The game's whole memory: the world (clock, place, story flags, the lines
// of the scenario file loaded last) and the few values the windows hand to
// one another (which list the list window shows, the last answer, ...).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "world/flags.h"

namespace velmora {

constexpr int kFlagCount = 136;        // the story flags and settings (world/flags.h)
constexpr int kScriptLineCount = 101;  // ScriptLines(0) .. ScriptLines(100)

// ClickState: what a click on the message label does, and which list the
// list window shows while it is open.
namespace click {
constexpr int16_t kTitle = 0;
constexpr int16_t kPlaying = 1;
constexpr int16_t kLoadList = 2;
constexpr int16_t kSaveList = 3;
constexpr int16_t kRoomList = 4;
constexpr int16_t kWindowMove = 10;
}  // namespace click

constexpr int16_t AM = 0;
constexpr int16_t PM = 1;

struct GameState {
    // the world, owned by the main window
    int16_t Day = 1;
    int16_t Half = AM;
    int16_t Hour = 9;
    int16_t Minute = 0;
    std::string CurrentPlace = "アパート";
    std::array<int16_t, kFlagCount> Flags{};
    std::array<std::string, kScriptLineCount> ScriptLines{};
    std::string ScriptFile;  // the scenario file ScriptLines were read from last

    // the values the windows share
    std::string PlayerName = "佐々木";
    std::string Nickname = "リュウ君";
    int16_t ClickState = click::kTitle;
    int16_t DialogAnswer = 0;
    std::string MenuChoice;
    std::string SelectedFile;
    double MainLeft = 0;  // twips; a new game starts from the window's design position
    double MainTop = 0;
    std::string PictureFile;

    int16_t& flag(Flag f) { return Flags[static_cast<size_t>(f)]; }
    int16_t flag(Flag f) const { return Flags[static_cast<size_t>(f)]; }

    bool operator==(const GameState&) const = default;
};

}  // namespace velmora
