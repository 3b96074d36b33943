#include "backends/qt/game_pad.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QWidget>

#include "backends/qt/key_place.h"
#include "backends/qt/plugin_module.h"

namespace velmora::qt {

namespace {

constexpr int kLookEveryMs = 2000;
constexpr int kPollEveryMs = 16;  // a frame

// A joystick among the input devices: the kernel names every pad so.
bool PadPluggedIn() {
    if (!QDir("/dev/input/by-id").entryList({"*-joystick"}, QDir::System).isEmpty()) return true;
    return !QDir("/dev/input").entryList({"js*"}, QDir::System).isEmpty();
}

// Where a key of the keyboard would go: the focused widget, else the
// active window; none while the player is in another program (the pad is
// the desktop's, as the keyboard is).
QWidget* KeyTarget() {
    if (QWidget* focused = QApplication::focusWidget()) return focused;
    return QApplication::activeWindow();
}

}  // namespace

GamePad::GamePad() {
    connect(&look_, &QTimer::timeout, this, &GamePad::LookForPad);
    connect(&poll_, &QTimer::timeout, this, &GamePad::Poll);
    look_.start(kLookEveryMs);
}

GamePad::~GamePad() = default;

void GamePad::LookForPad() {
    if (PadPluggedIn()) Load();
}

bool GamePad::Load() {
    if (tried_) return reader_ != nullptr;
    tried_ = true;
    look_.stop();
    if (auto make = reinterpret_cast<MakePadReader>(ResolveInModule(kPadModule, kMakePadReader)))
        reader_.reset(make());
    if (reader_) poll_.start(kPollEveryMs);
    return reader_ != nullptr;
}

// Each change is a key pressed or let go, sent as the keyboard's are: the
// game's filters see it first, and every rule of the keys holds.
void GamePad::Poll() {
    if (!reader_) return;
    PadChange changes[16];
    const int count = reader_->Poll(changes, std::size(changes));
    for (int i = 0; i < count; ++i) {
        const int key = QtKeyOf(keys::PadKey(changes[i].button));
        QWidget* target = KeyTarget();
        if (!key || !target) continue;
        QKeyEvent event(
            changes[i].down ? QEvent::KeyPress : QEvent::KeyRelease, key,
            key == Qt::Key_Control && changes[i].down ? Qt::ControlModifier : Qt::NoModifier);
        QApplication::sendEvent(target, &event);
        // The window system makes the Menu key's context menu of a key
        // no widget took: a key sent here has to have it made too.
        if (key == Qt::Key_Menu && changes[i].down && !event.isAccepted()) {
            const QPoint centre = target->rect().center();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre,
                                   target->mapToGlobal(centre));
            QApplication::sendEvent(target, &menu);
        }
    }
}

}  // namespace velmora::qt
