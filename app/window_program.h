// The window program as a whole: the game's folder, the player's record,
// the Qt windows, rollback and skipping between the game and the windows,
// the comforts and the replay keys, the automatic save and 続きから, put
// together as velmora plays them.
// Made once the application exists; Run() shows the title and plays until
// the game ends.
#pragma once

#include <memory>
#include <string>

#include "app/background_save.h"
#include "app/following.h"
#include "backends/posix/posix_files.h"
#include "backends/qt/comforts.h"
#include "backends/qt/game_pad.h"
#include "backends/qt/game_session.h"
#include "backends/qt/main_window.h"
#include "backends/qt/qt_platform.h"
#include "backends/qt/replay.h"
#include "replay/rollback.h"
#include "replay/skip.h"

namespace velmora {

class WindowProgram {
  public:
    // Plays in the working directory; the record lives in the player's own
    // data folder.
    WindowProgram();
    WindowProgram(const WindowProgram&) = delete;
    WindowProgram& operator=(const WindowProgram&) = delete;

    // Shows the title and runs the application; its exit status.
    int Run();

    qt::MainWindow& window() { return window_; }
    qt::QtPlatform& platform() { return platform_; }
    qt::Comforts& comforts() { return *comforts_; }
    qt::Replay& replay() { return *replay_; }
    qt::GamePad& pad() { return pad_; }
    Rollback& rollback() { return rollback_; }
    const qt::GameSession& session() const { return session_; }
    // Returns once the automatic save handed over is on the disk.
    void FinishSaving() { background_.Finish(); }

  private:
    void Tell(const std::string& text);
    // 続きから at the title, when the automatic save reads whole.
    void OfferContinue();

    PosixFiles disk_;
    SerialFiles files_;  // the game's folder, shared with the automatic save's writer
    BackgroundSave background_;
    PosixFiles playerFiles_;
    KeptRecord kept_;
    std::string notice_;  // what the player is told of a damaged record or automatic save
    AutoSave autoSave_;
    qt::MainWindow window_;
    qt::LoopingSound music_;
    qt::QtPlatform platform_;
    Skip skip_;
    Rollback rollback_;
    RolledGame game_;
    qt::GameSession session_;
    qt::Comforts* comforts_;  // owned by the window
    qt::Replay* replay_;      // owned by the window
    qt::GamePad pad_;
};

}  // namespace velmora
