// The two files of a save slot, byte for byte as players' slots hold them:
// the flag file (one signed number a line, Flags(0) to Flags(134)) and the
// "_text" file (one line: place, name and nickname, each in double quotes).
// Both are CP932 with CR LF. The reader is strict: a slot that is not wholly
// readable is refused before anything of the game changes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/state.h"

namespace velmora {

constexpr int kSavedFlagCount = 135;  // Flags(135) is never written

struct SlotText {
    std::string place;
    std::string name;
    std::string nickname;
};

std::string FormatFlagFile(const std::array<int16_t, kFlagCount>& flags);

// Nothing when a text cannot be written so that it reads back the same: a
// double quote would end the string early, and a character without a CP932
// form would be lost.
std::optional<std::string> FormatTextFile(const SlotText& text);

// Why a text cannot go into a slot, or "" when it can.
std::string WhyNotSavable(const std::string& text);

// Up to 136 values. Every line must be an optional "-" and digits within
// -32768..32767; a file with no value or with more than 136 is refused.
bool ParseFlagFile(const std::string& bytes, std::vector<int16_t>* values, std::string* why);

// Exactly three quoted strings, separated by commas, on one line.
bool ParseTextFile(const std::string& bytes, SlotText* text, std::string* why);

}  // namespace velmora
