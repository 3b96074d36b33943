// The scenario files as marker files, kept in memory: item i of "F.dat"
// reads "F#i", so every line the game shows names its file and item. The
// explorer reads them thousands of times, so they never touch the disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace velmora::routes {

constexpr int kScenarioFileCount = 13;
constexpr int kItemsPerFile = 101;  // ScriptLines(0) .. ScriptLines(100)
constexpr int kItemCount = kScenarioFileCount * kItemsPerFile;

// An item of a scenario file: file number * 101 + index.
using ItemId = int;

const char* ScenarioStem(int file);               // "kumi01", "SATUKI01", ...
std::string ScenarioFileName(int file);           // "kumi01.dat"
ItemId ItemOf(std::string_view stem, int index);  // -1 when the stem is unknown
int FileOfItem(ItemId item);
int IndexOfItem(ItemId item);
std::string MarkerText(ItemId item);  // "kumi01#28", as the game shows it
// The item a shown message is the marker of, or -1 for the program's own text.
ItemId ParseMarker(std::string_view text);

class MarkerFiles : public Files {
  public:
    MarkerFiles();
    std::optional<std::string> Read(const std::string& name, size_t limit,
                                    ReadFailure* failure) override;
    bool ReplaceTogether(const std::vector<NamedBytes>&, CommitFailure* failure) override;
    bool Recover(const std::vector<std::string>&) override { return true; }

  private:
    std::string contents_[kScenarioFileCount];
};

}  // namespace velmora::routes
