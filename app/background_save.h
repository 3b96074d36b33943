// The automatic save written while the player goes on: the menu hands over
// the save's bytes and appears at once, and a thread of the program's own
// writes them as the slots are written (world/game.h SaveWriter). The game's
// files are shared with that thread through SerialFiles, so the player's own
// save or load never runs during its write: the one waits for the other.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "world/game.h"

namespace velmora {

// Files that one caller at a time reads or writes, whichever thread it is.
class SerialFiles final : public Files {
  public:
    explicit SerialFiles(Files& files) : files_(files) {}

    std::optional<std::string> Read(const std::string& name, size_t limit,
                                    ReadFailure* failure) override;
    bool ReadTogether(const std::vector<std::string>& names, size_t limit,
                      std::vector<std::string>* contents, ReadFailure* failure) override;
    bool ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) override;
    bool Recover(const std::vector<std::string>& names) override;
    bool Peek(const std::vector<std::string>& names, size_t limit,
              std::vector<std::string>* contents, int64_t* written, ReadFailure* failure) override;
    bool Update(const std::string& name, size_t limit, const Change& change,
                std::string* why) override;

  private:
    Files& files_;
    std::mutex mutex_;
};

class BackgroundSave final : public SaveWriter {
  public:
    // Writes into `files`: the SerialFiles the game reads and writes too.
    explicit BackgroundSave(Files& files);
    // The save handed over last is written before the program goes on.
    ~BackgroundSave() override;
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;

    // Returns once every save handed over is written or has failed.
    void Finish();

    void Write(std::vector<NamedBytes> save) override;
    std::optional<std::string> Outcome() override;

  private:
    void WriteEach();

    Files& files_;
    std::mutex mutex_;
    std::condition_variable handed_;
    std::condition_variable done_;
    std::optional<std::vector<NamedBytes>> pending_;
    bool writing_ = false;
    std::optional<std::string> outcome_;
    bool ending_ = false;
    std::thread writer_;  // last: it starts once the rest is made
};

}  // namespace velmora
