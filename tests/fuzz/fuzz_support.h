// What the fuzz targets share: a game folder held in memory, and a platform
// that answers every prompt without a terminal.
#pragma once

#include <cstdint>
#include <map>
#include <sstream>
#include <string>

#include "backends/tty/trace_platform.h"
#include "platform/files.h"

namespace velmora::fuzz {

// Files held in memory; names are matched exactly.
class MemoryFiles : public Files {
  public:
    std::map<std::string, std::string> files;

    std::optional<std::string> Read(const std::string& name, size_t limit,
                                    ReadFailure* failure) override {
        auto it = files.find(name);
        if (it != files.end() && it->second.size() <= limit) return it->second;
        if (failure) *failure = {it == files.end(), name + " は読めません。"};
        return std::nullopt;
    }
    bool ReplaceTogether(const std::vector<NamedBytes>& replaced, CommitFailure*) override {
        for (const NamedBytes& f : replaced) files[f.name] = f.bytes;
        return true;
    }
    bool Recover(const std::vector<std::string>&) override { return true; }
};

// Answers clicks and NEXT at once, YESNO with yes, anything else with "";
// after `budget` prompts the input ends (the main window closes). The files
// are `files` when given, else the ones held in memory here.
class QuietPlatform {
  public:
    explicit QuietPlatform(int budget, Files* files = nullptr)
        : budget_(budget),
          platform_(
              out_,
              [this](const std::string& prompt) -> std::optional<std::string> {
                  if (budget_-- <= 0) return std::nullopt;
                  if (prompt == "YESNO?") return "yes";
                  return "";
              },
              files ? *files : memory) {}

    MemoryFiles memory;
    TracePlatform& platform() { return platform_; }
    std::string trace() const { return out_.str(); }

    // The text of the last MSG line.
    std::string LastMessage() const {
        const std::string t = out_.str();
        const size_t at = t.rfind("\nMSG ");
        if (at == std::string::npos) return "";
        return t.substr(at + 5, t.find('\n', at + 1) - at - 5);
    }

  private:
    int budget_;
    std::ostringstream out_;
    TracePlatform platform_;
};

}  // namespace velmora::fuzz
