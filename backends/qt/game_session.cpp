#include "backends/qt/game_session.h"

#include <QtGlobal>
#include <exception>
#include <utility>

namespace velmora::qt {

GameSession::GameSession(MainWindowEvents& game, MainWindow& window,
                         std::function<void()> closeWindows)
    : game_(game), message_(window.message()), closeWindows_(std::move(closeWindows)) {
    connect(window.message(), &MessageLabel::clicked, this, &GameSession::Click);
    connect(&window, &MainWindow::resized, this, &GameSession::Resize);
    connect(&window, &MainWindow::closing, this, &GameSession::Close);
}

// A click (or Enter, Space) on a message still appearing shows it whole,
// and does nothing else.
void GameSession::Click() {
    if (message_->ShowWhole()) return;
    Play([this] {
        if (!std::exchange(begun_, true)) emit begun();
        game_.lblMsg_Click();
    });
}

void GameSession::Continue() {
    if (!CanContinue()) return;
    Play([this] {
        begun_ = true;
        emit begun();
        game_.ContinueClick(continueSlot_);
    });
}

void GameSession::Play(const std::function<void()>& handler) {
    // The dialogs block the main window, but a click that still slips
    // through must not start a second game inside the first.
    if (inClick_ || ended_) return;
    inClick_ = true;
    message_->Wait(false);
    Run(handler);
    inClick_ = false;
    if (ended_) return;
    message_->Wait(true);
    if (begun_) emit movingWindow();
}

void GameSession::Resize() {
    if (!ended_) Run([this] { game_.Form_Resize(); });
}

void GameSession::Close() {
    if (ended_) return;
    if (Run([this] { game_.Form_QueryUnload(); })) End(0);
}

bool GameSession::Run(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const ProgramEnd&) {
        End(0);
    } catch (const MainWindowClosed&) {
        Close();
    } catch (const std::exception& e) {
        // An exception must not unwind through Qt's event loop.
        qCritical("velmora: %s", e.what());
        End(1);
    }
    return false;
}

void GameSession::End(int status) {
    if (ended_) return;
    ended_ = true;
    closeWindows_();
    emit ended(status);
}

}  // namespace velmora::qt
