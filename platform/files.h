// Files of the game's working directory: scenario files and save slots.
// Names are bare file names, found without regard to letter case
// ("SATUKI01.dat" beside "satuki02.dat").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct NamedBytes {
    std::string name;
    std::string bytes;
};

class Files {
  public:
    virtual ~Files() = default;

    // The whole file, or nothing when there is no such file or it cannot be read.
    virtual std::optional<std::string> Read(const std::string& name) = 0;

    // Replaces the named files as one: afterwards, even after a crash or a
    // power cut at any moment, every one of them holds either its old or its
    // new bytes, all old or all new. Returns false and leaves every old file
    // as it was when anything fails; *why then says what failed.
    virtual bool ReplaceTogether(const std::vector<NamedBytes>& files, std::string* why) = 0;

    // Finishes or rolls back a ReplaceTogether of these names that was cut
    // off, so that they may be read. Call before reading them. False when
    // that could not be done now: the files must not be read as a whole.
    virtual bool Recover(const std::vector<std::string>& names) = 0;
};

// Why a slot is neither read nor written while Recover cannot finish.
inline constexpr char kSaveLeftUnfinished[] = "前回のセーブの後始末ができませんでした。";

}  // namespace velmora
