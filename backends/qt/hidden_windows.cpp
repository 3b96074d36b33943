#include "backends/qt/hidden_windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "backends/qt/game_dialog.h"
#include "backends/qt/key_place.h"
#include "backends/qt/main_window.h"
#include "backends/qt/picture_window.h"
#include "player/player_keys.h"

namespace velmora::qt {

namespace {

keys::Button ButtonOf(Qt::MouseButton button) {
    if (button == Qt::MiddleButton) return keys::Button::kMiddle;
    return button == Qt::RightButton ? keys::Button::kRight : keys::Button::kLeft;
}

// The game's windows that stand over the scene: all but the picture, which
// is the scene itself, and the main window.
bool OverTheScene(const QWidget* top) {
    if (!top->isVisible() || qobject_cast<const PictureWindow*>(top)) return false;
    return qobject_cast<const GameDialog*>(top) || top->objectName() == "SlotDetails";
}

// Shown or hidden as a widget alone: a dialog's own hiding would end the
// wait of the question it asks, as if the player had closed it.
void SetVisible(QWidget* window, bool visible) {
    window->QWidget::setVisible(visible);
}

}  // namespace

HiddenWindows::HiddenWindows(MainWindow& window) : window_(window) {}

void HiddenWindows::Hide() {
    if (hidden_) return;
    hidden_ = true;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (OverTheScene(top)) windows_.emplace_back(top);
    }
    window_.message()->hide();
    for (QWidget* each : windows_) SetVisible(each, false);
    // The keys that show them again come to the main window.
    window_.activateWindow();
    window_.setFocus(Qt::OtherFocusReason);
    // Installed last, it sees every key and click before the comforts and
    // the replay do, and keeps them from the game.
    if (!watching_) qApp->installEventFilter(this);
    watching_ = true;
}

void HiddenWindows::Show() {
    if (!hidden_) return;
    hidden_ = false;
    window_.message()->show();
    // The dialogs come back in the order they stood, the one that waits on top.
    for (QWidget* each : windows_) {
        if (each) SetVisible(each, true);
    }
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (*it && qobject_cast<GameDialog*>(it->data())) {
            (*it)->activateWindow();
            break;
        }
    }
    windows_.clear();
    if (heldButton_ == Qt::NoButton) Release();
}

void HiddenWindows::Release() {
    if (watching_) qApp->removeEventFilter(this);
    watching_ = false;
}

bool HiddenWindows::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    switch (event->type()) {
        case QEvent::KeyPress: {
            const keys::Where where{.hidden = hidden_};
            if (!hidden_ ||
                keys::WhatTheKeyDoes(PressOf(static_cast<QKeyEvent*>(event)), where).does !=
                    keys::Does::kShowWindow)
                return false;
            Show();
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!hidden_ ||
                keys::WhatTheButtonDoes(ButtonOf(mouse->button()), true) != keys::Does::kShowWindow)
                return hidden_ || heldButton_ != Qt::NoButton;
            heldButton_ = mouse->button();
            Show();
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (heldButton_ != static_cast<QMouseEvent*>(event)->button()) return hidden_;
            heldButton_ = Qt::NoButton;
            if (!hidden_) Release();
            return true;
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            if (!hidden_) return heldButton_ != Qt::NoButton;
            if (event->type() == QEvent::Wheel) Show();
            return true;
        default:
            return false;
    }
}

}  // namespace velmora::qt
