#include "backends/qt/comforts.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "backends/qt/command_menu.h"
#include "backends/qt/focus_look.h"
#include "backends/qt/history_window.h"
#include "backends/qt/key_place.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/picture_window.h"
#include "backends/qt/replay.h"
#include "backends/qt/settings_window.h"
#include "backends/qt/yes_no_dialog.h"
#include "player/album.h"
#include "player/comfort_words.h"

namespace velmora::qt {

namespace {

template <typename Window>
bool IsModal() {
    return qobject_cast<Window*>(QApplication::activeModalWidget()) != nullptr;
}

}  // namespace

bool InScrollArea(QWidget* widget) {
    for (; widget && !widget->isWindow(); widget = widget->parentWidget()) {
        if (qobject_cast<QAbstractScrollArea*>(widget)) return true;
    }
    return false;
}

Comforts::Comforts(MainWindow& window, GameSession& session, LoopingSound& sound)
    : QObject(&window),
      window_(window),
      session_(session),
      sound_(sound),
      history_(window.message()),
      autoAdvance_(this),
      stage_(window),
      blockedPointer_(window),
      hidden_(window) {
    int unread = 0;
    settings_ = LoadComfortSettings(&unkept_, &unread);
    if (unread > 0) startNotice_ = words::UnreadSettingsNotice(unread);
    sound_.SetVolume(settings_.PerceivedVolume());
    autoAdvance_.SetEnabled(settings_.autoAdvance);
    autoAdvance_.SetPace(settings_.autoAdvancePace);
    window.message()->SetTextSpeed(settings_.textSpeed);
    stage_.SetComfortScale(settings_.WindowScale());
    connect(window.message(), &MessageLabel::shown, this, &Comforts::OnMessage);
    // A press of NEXT while the message appears shows it whole, and the
    // wait of auto-advance counts from then.
    NextDialog::SetFirst([message = QPointer<MessageLabel>(window.message())] {
        return message && message->ShowWhole();
    });
    connect(window.message(), &MessageLabel::whole, &autoAdvance_, &AutoAdvance::MessageWhole);
    connect(&autoAdvance_, &AutoAdvance::turnedOff, this, [this] {
        ComfortSettings changed = settings_;
        changed.autoAdvance = false;
        Change(changed, words::AutoAdvanceNotice(false));
    });
    // Full screen has no title bar to drag the main window by: window-move
    // mode shows it again, where the window was.
    connect(&session, &GameSession::movingWindow, this, [this] {
        if (stage_.fullScreen()) stage_.ToggleFullScreen();
    });
    qApp->installEventFilter(this);
    // The focus is drawn where the keys handled here act, and only there.
    FocusLook::Install();
    // Settings that cannot be read are told once the window is up.
    if (!unkept_.empty()) {
        QTimer::singleShot(0, this, [this] { Say(QString::fromStdString(kNotKept + unkept_)); });
    }
}

void Comforts::Follow(Replay* replay) {
    replay_ = replay;
    if (replay_) replay_->SkipUnreadToo(settings_.skipUnread);
}

void Comforts::Apply(const ComfortSettings& settings) {
    Change(settings, "");
}

// The settings applied and kept; `said`: what the change itself tells. A
// settings file that cannot be written is told with it, once: the settings
// chosen still hold for this game.
void Comforts::Change(const ComfortSettings& settings, const QString& said) {
    settings_ = settings;
    sound_.SetVolume(settings_.PerceivedVolume());
    autoAdvance_.SetPace(settings_.autoAdvancePace);
    autoAdvance_.SetEnabled(settings_.autoAdvance);
    window_.message()->SetTextSpeed(settings_.textSpeed);
    stage_.SetComfortScale(settings_.WindowScale());
    if (replay_) replay_->SkipUnreadToo(settings_.skipUnread);
    std::string why;
    QStringList told{said};
    if (!SaveComfortSettings(settings_, &why) && std::exchange(unkept_, why).empty())
        told << QString::fromStdString(kNotKept + why);
    told.removeAll("");
    if (!told.isEmpty()) Say(told.join("\n"));
}

// A key that changes a comfort says what it did: the player may not hear
// the music stop or see the next message wait.
void Comforts::Toggle(bool ComfortSettings::*option) {
    ComfortSettings changed = settings_;
    changed.*option = !(changed.*option);
    if (option == &ComfortSettings::muted) Change(changed, words::MusicNotice(changed.muted));
    if (option == &ComfortSettings::autoAdvance)
        Change(changed, words::AutoAdvanceNotice(changed.autoAdvance, changed.autoAdvancePace));
}

// Hidden, the window says so: a screen reader would hear only the main
// window's name.
void Comforts::Hide() {
    hidden_.Hide();
    window_.announcer().Say(words::HiddenNotice());
}

void Comforts::Say(const QString& text) {
    if (!notice_) notice_ = new Notice(window_);
    notice_->Say(text);
}

bool Comforts::IsGameWindow(const QWidget* window) const {
    return window == &window_ || qobject_cast<const GameDialog*>(window);
}

bool Comforts::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* window = widget->window();
    if (!IsGameWindow(window)) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
            return OnKey(window, static_cast<QKeyEvent*>(event));
        case QEvent::Wheel:
            return !InScrollArea(widget) && OnWheel(static_cast<QWheelEvent*>(event));
        case QEvent::ContextMenu:
            OpenMenu(
                static_cast<QContextMenuEvent*>(event)->globalPos(),
                static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard);
            return true;
        case QEvent::MouseButtonPress: {
            const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
            if (button == Qt::MiddleButton &&
                keys::WhatTheButtonDoes(keys::Button::kMiddle, hidden_.hidden()) ==
                    keys::Does::kHideWindow) {
                Hide();
                return true;
            }
            // A click that shows the appearing message whole leaves auto-advance on.
            if (button == Qt::LeftButton && !window_.message()->appearing())
                autoAdvance_.PlayerClicked();
            return false;
        }
        case QEvent::Show:
            if (widget == window) OnShown(window);
            return false;
        default:
            if (event->type() == NextDialog::kWaits) OnNextWaits(static_cast<NextDialog*>(widget));
            return false;
    }
}

// What the keys' table gives the comforts; going back and forward and
// skipping are the replay's.
bool Comforts::OnKey(QWidget* window, const QKeyEvent* key) {
    NextDialog* next = NextDialog::Waiting();
    const keys::Where where{
        WindowOf(window),      Typing(), false, next && next->Answerable(), session_.messageWaits(),
        session_.windowMoves()};
    switch (keys::WhatTheKeyDoes(PressOf(key), where).does) {
        case keys::Does::kFullScreen:
            ToggleFullScreen();
            return true;
        case keys::Does::kSettings:
            OpenSettings();
            return true;
        case keys::Does::kPressNext:
            return next && next->Press();
        case keys::Does::kClickMessage:
            session_.Click();
            return true;
        case keys::Does::kClickPicture:
            if (auto* picture = qobject_cast<PictureWindow*>(window)) picture->Pass();
            return true;
        case keys::Does::kMoveWindow: {
            const keys::Step step = keys::WindowStep(PressOf(key).key);
            window->move(window->pos() + QPoint(step.dx, step.dy));
            return true;
        }
        case keys::Does::kYes:
        case keys::Does::kNo:
            if (auto* question = qobject_cast<YesNoDialog*>(window)) {
                question->Press(PressOf(key).key == keys::Key::kY ? YesNo::Yes : YesNo::No);
                return true;
            }
            return false;
        case keys::Does::kQuickSave:
        case keys::Does::kQuickLoad:
            return AnswerMenu(PressOf(key).key == keys::Key::kF5 ? kQuickSaveCommand
                                                                 : kQuickLoadCommand);
        case keys::Does::kContinue:
            if (!session_.CanContinue()) return false;
            session_.Continue();
            return true;
        case keys::Does::kHistory:
            OpenHistory();
            return true;
        case keys::Does::kMute:
            Toggle(&ComfortSettings::muted);
            return true;
        case keys::Does::kAutoAdvance:
            Toggle(&ComfortSettings::autoAdvance);
            return true;
        case keys::Does::kHideWindow:
            Hide();
            return true;
        default:
            return false;
    }
}

// At the newest step the wheel down is NEXT when the player has asked for
// it; back and forward are the replay's.
bool Comforts::OnWheel(const QWheelEvent* wheel) {
    NextDialog* next = NextDialog::Waiting();
    const bool nextWaits = next && next->Answerable();
    const bool forward = replay_ && replay_->CanGoForward();
    const keys::Does does = keys::WhatTheWheelDoes(wheel->angleDelta().y() > 0, forward,
                                                   settings_.wheelDownPressesNext, nextWaits);
    return does == keys::Does::kPressNext && next->Press();
}

// A window that waits tells what it asks as it opens; NEXT tells each
// message as it waits for it (OnNextWaits).
void Comforts::OnShown(QWidget* window) {
    auto* dialog = qobject_cast<GameDialog*>(window);
    if (!dialog) return;
    stage_.Place(dialog);
    if (!dialog->spokenAs() || *dialog->spokenAs() == spoken::Wait::kNext) return;
    const bool name = *dialog->spokenAs() == spoken::Wait::kName;
    dialog->TellScreenReader(teller_.Tell(
        *dialog->spokenAs(), window_.message()->said().toStdString(),
        dialog->spokenCaption().toStdString(), name ? "" : window_.TellPlateNews().toStdString()));
}

// Each message is said as NEXT waits for it, after what the plates say anew.
void Comforts::OnNextWaits(NextDialog* next) {
    stage_.Place(next);
    const spoken::Told told =
        teller_.Tell(spoken::Wait::kNext, window_.message()->said().toStdString(), "",
                     window_.TellPlateNews().toStdString());
    window_.announcer().Say(QString::fromStdString(told.said));
    autoAdvance_.NextOpened(next, window_.message()->appearing());
}

void Comforts::ToggleFullScreen() {
    stage_.ToggleFullScreen();
}

void Comforts::OnMessage(const QString& text) {
    autoAdvance_.MessageShown(text);
    if (settings_.speakMessages) speech_.Say(text);
}

void Comforts::OpenHistory() {
    if (IsModal<HistoryWindow>()) return;
    HistoryWindow history(&window_, history_.messages());
    history.exec();
}

void Comforts::OpenSettings() {
    if (IsModal<SettingsWindow>()) return;
    SettingsWindow settings(&window_, settings_, speech_.HasJapaneseVoice(),
                            [this](const ComfortSettings& changed) { Apply(changed); });
    speech_.WhenVoicesKnown(&settings,
                            [&settings](bool found) { settings.ShowJapaneseVoice(found); });
    settings.exec();
}

// The quick save and load answer the command menu where it waits.
bool Comforts::AnswerMenu(const char* command) {
    auto* menu = qobject_cast<CommandMenu*>(QApplication::activeModalWidget());
    if (menu) menu->Answer(command);
    return menu != nullptr;
}

void Comforts::OpenMenu(QPoint at, bool byKeys) {
    QMenu menu;
    menu.setObjectName("ComfortMenu");
    // Its words at the main window's scale, as the comforts' windows (small
    // on a small screen at a desktop scale factor, large in full screen),
    // never below their design size in the screen's own pixels.
    const double ratio = std::max(1.0, menu.devicePixelRatioF());
    QFont font = menu.font();
    font.setPointSizeF(font.pointSizeF() * std::max(stage_.scale(), 1.0 / ratio));
    menu.setFont(font);
    if (session_.CanContinue()) {
        menu.addAction("続きから\tC", &session_, &GameSession::Continue);
        menu.addSeparator();
    }
    menu.addAction("履歴を見る\tH", this, &Comforts::OpenHistory);
    const auto addSwitch = [&](const QString& caption, bool on, auto toggle) {
        QAction* action = menu.addAction(caption, this, toggle);
        action->setCheckable(true);
        action->setChecked(on);
    };
    menu.addAction(QString::fromUtf8(words::HideWindowCaption()) + "\tV・中ボタン", this,
                   &Comforts::Hide);
    addSwitch("全画面\tF11", stage_.fullScreen(), [this] { ToggleFullScreen(); });
    addSwitch("自動送り\tA", settings_.autoAdvance,
              [this] { Toggle(&ComfortSettings::autoAdvance); });
    addSwitch("音楽を消す\tM", settings_.muted, [this] { Toggle(&ComfortSettings::muted); });
    if (replay_) {
        menu.addSeparator();
        // Greyed where there is no step to go to (the start, right after a load).
        menu.addAction("ひとつ戻る\tPage Up・←・ホイール上", replay_, &Replay::Back)
            ->setEnabled(replay_->CanGoBack());
        menu.addAction("ひとつ進む\tPage Down・ホイール下", replay_, &Replay::Forward)
            ->setEnabled(replay_->CanGoForward());
        addSwitch("既読スキップ\tCtrl・Tab", replay_->skipping(),
                  [this] { replay_->ToggleSkip(); });
        menu.addAction("ストーリーマップ…\tS", replay_, &Replay::OpenStoryMap);
        menu.addAction(QString(album::kTitle) + "…\tG", replay_, &Replay::OpenAlbum);
    }
    menu.addSeparator();
    // Where the game saves and loads: at the command menu.
    const bool atMenu = IsModal<CommandMenu>();
    menu.addAction("クイックセーブ\tF5", this, [this] { AnswerMenu(kQuickSaveCommand); })
        ->setEnabled(atMenu);
    menu.addAction("クイックロード\tF9", this, [this] { AnswerMenu(kQuickLoadCommand); })
        ->setEnabled(atMenu);
    menu.addSeparator();
    menu.addAction("設定…\tF2・Ctrl+,", this, &Comforts::OpenSettings);
    // Opened by the menu key, its first entry has the focus, where a screen
    // reader reads it: an open menu with nothing chosen is silent.
    if (byKeys) {
        QTimer::singleShot(0, &menu, [&menu] {
            for (QAction* each : menu.actions()) {
                if (!each->isSeparator() && each->isEnabled()) {
                    menu.setActiveAction(each);
                    return;
                }
            }
        });
    }
    menu.exec(at);
}

}  // namespace velmora::qt
