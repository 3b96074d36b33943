// Hands the main window's events to the game and ends the application when
// the game ends. The whole game runs inside one click on the message label,
// with the dialogs' modal loops nested in it.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "backends/qt/main_window.h"
#include "platform/platform.h"

namespace velmora::qt {

class GameSession : public QObject {
    Q_OBJECT
  public:
    // closeWindows: hides every window of the game when it ends.
    GameSession(MainWindowEvents& game, MainWindow& window, std::function<void()> closeWindows);

    bool running() const { return inClick_; }
    // The message waits for its click: the title, window-move mode.
    bool messageWaits() const { return !inClick_ && !ended_; }
    // Window-move mode: the message waits for its click after the game began.
    bool windowMoves() const { return messageWaits() && begun_; }
    // The message clicked, or Enter or Space pressed where it waits.
    void Click();
    // 続きから offered at the title: the game begins from the save in
    // `slot` rather than with the first click's questions.
    void OfferContinue(std::string slot) { continueSlot_ = std::move(slot); }
    bool CanContinue() const { return !continueSlot_.empty() && messageWaits() && !begun_; }
    // 続きから (C, its button, the comforts' menu) where the title offers it.
    void Continue();
    // Runs a handler of the game as the message's click does: a step back
    // or forward taken while the game waits for that click.
    void Play(const std::function<void()>& handler);

  signals:
    void ended(int status);
    void begun();         // the title has gone: the game began, by a click or 続きから
    void movingWindow();  // window-move mode began: the message waits for its click

  private:
    void Resize();
    void Close();
    // Runs one event handler of the game; false when the game has ended.
    bool Run(const std::function<void()>& handler);
    void End(int status);

    MainWindowEvents& game_;
    MessageLabel* message_;
    std::function<void()> closeWindows_;
    bool inClick_ = false;
    bool begun_ = false;  // the title's message clicked
    bool ended_ = false;
    std::string continueSlot_;  // empty: 続きから is not offered
};

}  // namespace velmora::qt
