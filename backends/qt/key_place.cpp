#include "backends/qt/key_place.h"

#include <QApplication>
#include <QLineEdit>
#include <utility>

#include "backends/qt/command_menu.h"
#include "backends/qt/list_dialog.h"
#include "backends/qt/main_window.h"
#include "backends/qt/name_dialog.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/picture_window.h"
#include "backends/qt/yes_no_dialog.h"

namespace velmora::qt {

namespace {

// Qt's keys by the game's: the first of a key's is the one a pad presses.
constexpr std::pair<int, keys::Key> kKeys[] = {
    {Qt::Key_Return, keys::Key::kEnter},
    {Qt::Key_Enter, keys::Key::kEnter},
    {Qt::Key_Space, keys::Key::kSpace},
    {Qt::Key_Tab, keys::Key::kTab},
    {Qt::Key_Backtab, keys::Key::kBackTab},
    {Qt::Key_Up, keys::Key::kUp},
    {Qt::Key_Down, keys::Key::kDown},
    {Qt::Key_Left, keys::Key::kLeft},
    {Qt::Key_Right, keys::Key::kRight},
    {Qt::Key_Home, keys::Key::kHome},
    {Qt::Key_End, keys::Key::kEnd},
    {Qt::Key_PageUp, keys::Key::kPageUp},
    {Qt::Key_PageDown, keys::Key::kPageDown},
    {Qt::Key_Escape, keys::Key::kEscape},
    {Qt::Key_F2, keys::Key::kF2},
    {Qt::Key_F5, keys::Key::kF5},
    {Qt::Key_F9, keys::Key::kF9},
    {Qt::Key_F11, keys::Key::kF11},
    {Qt::Key_Comma, keys::Key::kComma},
    {Qt::Key_Control, keys::Key::kControl},
    {Qt::Key_Menu, keys::Key::kMenuKey},
    {Qt::Key_Y, keys::Key::kY},
    {Qt::Key_N, keys::Key::kN},
    {Qt::Key_H, keys::Key::kH},
    {Qt::Key_M, keys::Key::kM},
    {Qt::Key_A, keys::Key::kA},
    {Qt::Key_S, keys::Key::kS},
    {Qt::Key_C, keys::Key::kC},
    {Qt::Key_V, keys::Key::kV},
    {Qt::Key_G, keys::Key::kG},
};

keys::Key KeyOf(int code) {
    for (const auto& [qt, key] : kKeys) {
        if (qt == code) return key;
    }
    return keys::Key::kOther;
}

}  // namespace

keys::Press PressOf(const QKeyEvent* key) {
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    return {KeyOf(key->key()), bool(held & Qt::ControlModifier), bool(held & Qt::ShiftModifier),
            bool(held & (Qt::AltModifier | Qt::MetaModifier)), key->isAutoRepeat()};
}

int QtKeyOf(keys::Key key) {
    for (const auto& [qt, each] : kKeys) {
        if (each == key) return qt;
    }
    return 0;
}

keys::Window WindowOf(const QWidget* window) {
    using keys::Window;
    if (qobject_cast<const NextDialog*>(window)) return Window::kNext;
    if (qobject_cast<const YesNoDialog*>(window)) return Window::kQuestion;
    if (qobject_cast<const NameDialog*>(window)) return Window::kName;
    if (qobject_cast<const ListDialog*>(window)) return Window::kList;
    if (qobject_cast<const CommandMenu*>(window)) return Window::kMenu;
    if (qobject_cast<const PictureWindow*>(window)) return Window::kPicture;
    if (qobject_cast<const MainWindow*>(window)) return Window::kMain;
    return Window::kComfort;
}

bool Typing() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
}

}  // namespace velmora::qt
