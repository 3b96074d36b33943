// The player's comforts around the game's own windows: keys, the wheel, the
// history, full screen, music volume, spoken messages and auto-advance,
// the message window hidden to see the scene,
// reached from a context menu (right click or the menu key) and F2. They
// watch the application's events and never change what the game does: the
// only answers they give are the ones the player's own click would give.
#pragma once

#include <QObject>
#include <QPoint>
#include <string>

#include "backends/qt/auto_advance.h"
#include "backends/qt/blocked_pointer.h"
#include "backends/qt/comfort_settings.h"
#include "backends/qt/game_session.h"
#include "backends/qt/hidden_windows.h"
#include "backends/qt/looping_sound.h"
#include "backends/qt/main_window.h"
#include "backends/qt/message_history.h"
#include "backends/qt/message_speech.h"
#include "backends/qt/notice.h"
#include "backends/qt/stage.h"
#include "player/spoken_waits.h"

class QKeyEvent;
class QWheelEvent;

namespace velmora::qt {

class Replay;

class Comforts : public QObject {
    Q_OBJECT
  public:
    // Told before the reason when the settings cannot be read or kept.
    static constexpr char kNotKept[] = "設定のファイルを読み書きできません。";

    Comforts(MainWindow& window, GameSession& session, LoopingSound& sound);

    const ComfortSettings& settings() const { return settings_; }
    // What the player is told of the settings file as the game starts, or "".
    const std::string& startNotice() const { return startNotice_; }
    void Apply(const ComfortSettings& settings);  // applied and kept
    const MessageHistory& history() const { return history_; }
    AutoAdvance& autoAdvance() { return autoAdvance_; }
    Stage& stage() { return stage_; }
    const MessageSpeech& speech() const { return speech_; }
    HiddenWindows& hiddenWindows() { return hidden_; }

    // Going back and forward, skipping and the story map join the menu
    // and the settings.
    void Follow(Replay* replay);

    void OpenHistory();
    void OpenSettings();
    void ToggleFullScreen();

    // The main window's one notice: what a comfort key did, or a file of
    // the player's that could not be read or kept.
    void Say(const QString& text);
    // The message window and the windows that wait hidden (V, the middle
    // button, the menu's entry), a screen reader told so.
    void Hide();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool IsGameWindow(const QWidget* window) const;  // not one of the comforts'
    bool OnKey(QWidget* window, const QKeyEvent* key);
    bool OnWheel(const QWheelEvent* wheel);
    void OnShown(QWidget* window);
    void OnNextWaits(NextDialog* next);
    void OnMessage(const QString& text);
    void OpenMenu(QPoint at, bool byKeys);
    bool AnswerMenu(const char* command);
    void Toggle(bool ComfortSettings::*option);
    void Change(const ComfortSettings& settings, const QString& said);

    MainWindow& window_;
    GameSession& session_;
    LoopingSound& sound_;
    ComfortSettings settings_;
    MessageHistory history_;
    AutoAdvance autoAdvance_;
    Stage stage_;
    BlockedPointer blockedPointer_;
    MessageSpeech speech_;
    HiddenWindows hidden_;
    Notice* notice_ = nullptr;  // made when first needed
    std::string unkept_;        // why the settings could not be read or kept, once told
    std::string startNotice_;
    Replay* replay_ = nullptr;
    spoken::Teller teller_;  // what the waiting windows tell a screen reader
};

// The wheel of a list scrolls the list.
bool InScrollArea(QWidget* widget);

}  // namespace velmora::qt
