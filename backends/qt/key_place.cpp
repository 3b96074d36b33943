#include "backends/qt/key_place.h"

#include <QApplication>
#include <QLineEdit>

#include "backends/qt/command_menu.h"
#include "backends/qt/list_dialog.h"
#include "backends/qt/main_window.h"
#include "backends/qt/name_dialog.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/picture_window.h"
#include "backends/qt/yes_no_dialog.h"

namespace velmora::qt {

namespace {

keys::Key KeyOf(int code) {
    using keys::Key;
    switch (code) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::kEnter;
        case Qt::Key_Space:
            return Key::kSpace;
        case Qt::Key_Tab:
            return Key::kTab;
        case Qt::Key_Backtab:
            return Key::kBackTab;
        case Qt::Key_Up:
            return Key::kUp;
        case Qt::Key_Down:
            return Key::kDown;
        case Qt::Key_Left:
            return Key::kLeft;
        case Qt::Key_Right:
            return Key::kRight;
        case Qt::Key_Home:
            return Key::kHome;
        case Qt::Key_End:
            return Key::kEnd;
        case Qt::Key_PageUp:
            return Key::kPageUp;
        case Qt::Key_PageDown:
            return Key::kPageDown;
        case Qt::Key_Escape:
            return Key::kEscape;
        case Qt::Key_F2:
            return Key::kF2;
        case Qt::Key_F5:
            return Key::kF5;
        case Qt::Key_F9:
            return Key::kF9;
        case Qt::Key_F11:
            return Key::kF11;
        case Qt::Key_Comma:
            return Key::kComma;
        case Qt::Key_Control:
            return Key::kControl;
        case Qt::Key_Menu:
            return Key::kMenuKey;
        case Qt::Key_Y:
            return Key::kY;
        case Qt::Key_N:
            return Key::kN;
        case Qt::Key_H:
            return Key::kH;
        case Qt::Key_M:
            return Key::kM;
        case Qt::Key_A:
            return Key::kA;
        case Qt::Key_S:
            return Key::kS;
        case Qt::Key_C:
            return Key::kC;
        case Qt::Key_V:
            return Key::kV;
        case Qt::Key_G:
            return Key::kG;
        default:
            return Key::kOther;
    }
}

}  // namespace

keys::Press PressOf(const QKeyEvent* key) {
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    return {KeyOf(key->key()), bool(held & Qt::ControlModifier), bool(held & Qt::ShiftModifier),
            bool(held & (Qt::AltModifier | Qt::MetaModifier)), key->isAutoRepeat()};
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
