// What the window programs tell the player's own record and the skipping as
// the game plays: each message about to wait for NEXT (read now), each event
// of the story as it begins (seen now; the digest ends the days, and
// skipping stops there), each picture of the album as it comes into view.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "player/read_record.h"
#include "replay/rollback.h"
#include "replay/skip.h"
#include "shell/form1.h"

namespace velmora {

// The player's record kept in its file: written now and then as the game
// waits (at most every few seconds, and only when something was marked),
// and when the program ends. A record that could not be read or written is
// told to the player once.
class KeptRecord {
  public:
    using Tell = std::function<void(const std::string&)>;

    explicit KeptRecord(Files& files) : files_(files) {}

    ReadRecord& record() { return record_; }
    // Who tells the player.
    void TellWith(Tell tell) { tell_ = std::move(tell); }
    // Reads the file; *notice: what the player is told of a damaged or
    // unreadable one (told then, not again when it cannot be written).
    void Load(std::string* notice);
    void Keep(bool now);

  private:
    using Clock = std::chrono::steady_clock;

    Files& files_;
    ReadRecord record_;
    Tell tell_;
    bool told_ = false;
    Clock::time_point written_ = Clock::now();
};

// The main window's events, for the game that rollback plays now.
class RolledGame final : public MainWindowEvents {
  public:
    explicit RolledGame(Rollback& rollback) : rollback_(rollback) {}
    void lblMsg_Click() override { rollback_.Click(); }
    void Form_Resize() override { rollback_.game().Form_Resize(); }
    void Form_QueryUnload() override { rollback_.game().Form_QueryUnload(); }
    void ContinueClick(const std::string& slot) override { rollback_.Continue(slot); }

  private:
    Rollback& rollback_;
};

// A new game on `platform` that the record and the skipping (if any) follow,
// writing the automatic save at the menu when given one.
std::unique_ptr<Form1> FollowedGame(Platform& platform, ReadRecord& record, Skip* skip,
                                    AutoSave* autoSave = nullptr);

}  // namespace velmora
