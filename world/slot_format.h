// The two files of a save slot, byte for byte as players' slots hold them:
// the flag file (one signed number a line, Flags(0) to Flags(134)) and the
// "_text" file (one line: place, name and nickname, each in double quotes).
// Both are CP932 with CR LF. The reader is strict: a slot that is not wholly
// readable is refused before anything of the game changes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "world/state.h"

namespace velmora {

constexpr int kSavedFlagCount = 135;  // Flags(135) is never written

// The most the game reads of either file of a slot. The game writes a flag
// file of at most 1,080 bytes and a "_text" file of three texts of at most
// kSavedTextLimit bytes each (the name dialog's boxes hold 32,767 characters,
// two bytes each in CP932); a larger file is refused unread.
constexpr size_t kSlotFileLimit = 256 * 1024;
constexpr size_t kSavedTextLimit = 65536;

// The slots the list window offers to save in and load from, top to bottom.
const std::vector<std::string>& SlotNames();

// The game's own slots beside those five, in the same format and written
// the same way: the automatic save, written at every return to the menu,
// which 続きから resumes; and the quick save's (F5 and F9 at the menu).
inline constexpr char kAutoSlot[] = "auto";
inline constexpr char kQuickSlot[] = "quick";

// What the messages call a slot: one of the five by its name, with the
// space the messages put after it ("file1 をロードします。"); the game's own
// by what they hold ("クイックセーブデータをロードします。").
std::string SlotCalled(const std::string& slot);

// Why a slot is neither read nor written while a save of it, cut off
// earlier, cannot be finished or rolled back.
inline constexpr char kSaveLeftUnfinished[] = "前回のセーブの後始末ができませんでした。";

// Why a slot cannot be looked at while a save of it, cut off, waits to be
// finished or rolled back by the next load.
inline constexpr char kSaveCutOff[] =
    "セーブが途中で止まったままです。ロードするときに片付けます。";

// Why a slot is neither read nor written while another copy of the game
// (or another program) holds the folder's save files.
inline constexpr char kSlotsInUse[] =
    "同じフォルダのセーブファイルを、ほかのゲームかプログラムが使っています。";

// Why a slot could not be read or written: the game's own words for what
// keeps it (platform/files.h Held), else what the files say.
std::string WhySlot(const ReadFailure& failure);
std::string WhySlot(const CommitFailure& failure);

struct SlotText {
    std::string place;
    std::string name;
    std::string nickname;
};

std::string FormatFlagFile(const std::array<int16_t, kFlagCount>& flags);

// Both files of `slot` holding the game as it stands, its clock copied
// among the flags as a save keeps it (the game's own flags stay as they
// are): byte for byte the save the player would make now. Nothing, and
// *why, when a text cannot be written so that it reads back the same.
std::optional<std::vector<NamedBytes>> SaveOf(const GameState& s, const std::string& slot,
                                              std::string* why);

// Nothing when a text cannot be written so that it reads back the same.
std::optional<std::string> FormatTextFile(const SlotText& text);

// Why a text cannot go into a slot, or "" when it can: a double quote would
// end the string early and a line end the line; a character without a CP932
// form would be lost, and one that CP932 holds only as another character
// ("〜" read back as "～", "−" as "－") would come back changed; and a text
// past kSavedTextLimit would make the file too large to read.
std::string WhyNotSavable(const std::string& text);

// Up to 136 values. Every line must be an optional "-" and digits within
// -32768..32767; a file with no value or with more than 136 is refused
// (and no more lines than that are ever cut out of it).
bool ParseFlagFile(const std::string& bytes, std::vector<int16_t>* values, std::string* why);

// Exactly three quoted strings, separated by commas, on one line.
bool ParseTextFile(const std::string& bytes, SlotText* text, std::string* why);

// The name of a slot's text file: "file1" → "file1_text".
std::string SlotTextFile(const std::string& slot);

// Only a slot with no flag file at all has never been saved.
bool NeverSaved(const ReadFailure& failure, const std::vector<std::string>& read);

// Both files of a slot, read whole, into the game's state: its flags from
// Flags(0) on (*count of them), its place and names. Nothing changes unless
// both files are readable.
bool TakeSlot(const std::vector<std::string>& bytes, GameState* s, size_t* count, std::string* why);

// The clock a save keeps among its flags, set as the game's clock.
void TakeSavedClock(GameState& s);
// The game's clock into the four flags a save keeps it in.
void PutSavedClock(const GameState& s, std::array<int16_t, kFlagCount>& flags);

}  // namespace velmora
