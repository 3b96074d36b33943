#include "platform/qt/comforts.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QWheelEvent>
#include <utility>

#include "platform/qt/history_window.h"
#include "platform/qt/next_dialog.h"
#include "platform/qt/replay.h"
#include "platform/qt/settings_window.h"
#include "platform/qt/yes_no_dialog.h"

namespace velmora::qt {

namespace {

template <typename Window>
bool IsModal() {
    return qobject_cast<Window*>(QApplication::activeModalWidget()) != nullptr;
}

bool Typing() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
}

}  // namespace

bool InScrollArea(QWidget* widget) {
    for (; widget && !widget->isWindow(); widget = widget->parentWidget()) {
        if (qobject_cast<QAbstractScrollArea*>(widget)) return true;
    }
    return false;
}

Comforts::Comforts(MainWindow& window, LoopingSound& sound)
    : QObject(&window),
      window_(window),
      sound_(sound),
      history_(window.message()),
      autoAdvance_(this),
      stage_(window) {
    settings_ = LoadComfortSettings(&unkept_);
    sound_.SetVolume(settings_.PerceivedVolume());
    autoAdvance_.SetEnabled(settings_.autoAdvance);
    connect(window.message(), &MessageLabel::shown, this, &Comforts::OnMessage);
    connect(&autoAdvance_, &AutoAdvance::turnedOff, this, [this] {
        ComfortSettings changed = settings_;
        changed.autoAdvance = false;
        Change(changed, "自動送り：オフ");
    });
    qApp->installEventFilter(this);
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
    autoAdvance_.SetEnabled(settings_.autoAdvance);
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
    if (option == &ComfortSettings::muted)
        Change(changed, changed.muted ? "音楽を消しました" : "音楽を戻しました");
    if (option == &ComfortSettings::autoAdvance)
        Change(changed, changed.autoAdvance ? "自動送り：オン" : "自動送り：オフ");
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
            OpenMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                autoAdvance_.PlayerClicked();
            return false;
        case QEvent::Show:
            if (widget == window) OnShown(window);
            return false;
        default:
            return false;
    }
}

bool Comforts::OnKey(QWidget* window, const QKeyEvent* key) {
    const int code = key->key();
    const bool plain = key->modifiers() == Qt::NoModifier && !key->isAutoRepeat();
    if (code == Qt::Key_F11 && !key->isAutoRepeat()) {
        ToggleFullScreen();
        return true;
    }
    if (code == Qt::Key_F2 || (code == Qt::Key_Comma && key->modifiers() == Qt::ControlModifier)) {
        OpenSettings();
        return true;
    }
    if (!plain || Typing()) return false;
    // NEXT's keys over NEXT, or over the main window while NEXT waits.
    const bool nextKey = code == Qt::Key_Return || code == Qt::Key_Enter || code == Qt::Key_Space;
    if (nextKey && (qobject_cast<NextDialog*>(window) || window == &window_)) {
        NextDialog* next = NextDialog::Waiting();
        return next && next->Press();
    }
    auto* question = qobject_cast<YesNoDialog*>(window);
    if (question && (code == Qt::Key_Y || code == Qt::Key_N)) {
        question->Press(code == Qt::Key_Y ? YesNo::Yes : YesNo::No);
        return true;
    }
    if (code == Qt::Key_H) OpenHistory();
    if (code == Qt::Key_M) Toggle(&ComfortSettings::muted);
    if (code == Qt::Key_A) Toggle(&ComfortSettings::autoAdvance);
    return code == Qt::Key_H || code == Qt::Key_M || code == Qt::Key_A;
}

bool Comforts::OnWheel(const QWheelEvent* wheel) {
    // Up goes back a step (the replay's); down, at the newest step, is NEXT
    // when the player has asked for it.
    const int turn = wheel->angleDelta().y();
    if (turn < 0 && settings_.wheelDownPressesNext) {
        NextDialog* next = NextDialog::Waiting();
        return next && next->Press();
    }
    return false;
}

void Comforts::OnShown(QWidget* window) {
    if (auto* dialog = qobject_cast<GameDialog*>(window)) stage_.Place(dialog);
    if (auto* next = qobject_cast<NextDialog*>(window)) autoAdvance_.NextOpened(next);
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
    settings.exec();
}

void Comforts::OpenMenu(QPoint at) {
    QMenu menu;
    menu.setObjectName("ComfortMenu");
    menu.addAction("履歴を見る\tH", this, &Comforts::OpenHistory);
    const auto addSwitch = [&](const QString& caption, bool on, auto toggle) {
        QAction* action = menu.addAction(caption, this, toggle);
        action->setCheckable(true);
        action->setChecked(on);
    };
    addSwitch("全画面\tF11", stage_.fullScreen(), [this] { ToggleFullScreen(); });
    addSwitch("自動送り\tA", settings_.autoAdvance,
              [this] { Toggle(&ComfortSettings::autoAdvance); });
    addSwitch("音楽を消す\tM", settings_.muted, [this] { Toggle(&ComfortSettings::muted); });
    if (replay_) {
        menu.addSeparator();
        menu.addAction("ひとつ戻る\tPage Up・←・ホイール上", replay_, &Replay::Back);
        menu.addAction("ひとつ進む\tPage Down・ホイール下", replay_, &Replay::Forward);
        addSwitch("既読スキップ\tCtrl・Tab", replay_->skipping(),
                  [this] { replay_->ToggleSkip(); });
        menu.addAction("ストーリーマップ…\tS", replay_, &Replay::OpenStoryMap);
    }
    menu.addSeparator();
    menu.addAction("設定…\tF2・Ctrl+,", this, &Comforts::OpenSettings);
    menu.exec(at);
}

}  // namespace velmora::qt
