#include "backends/qt/confirm_keys.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "backends/qt/key_place.h"
#include "backends/qt/main_window.h"
#include "player/comfort_words.h"

namespace velmora::qt {

ConfirmKeys::ConfirmKeys(QDialog* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
    for (QWidget* each : window->findChildren<QWidget*>()) each->installEventFilter(this);
}

bool ConfirmKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
            if (watched == window_) SetMoved(false);
            return false;
        case QEvent::KeyPress:
            return OnKey(static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease: {
            // A button pressed by Space clicks when the key is let go.
            const keys::Press press = PressOf(static_cast<QKeyEvent*>(event));
            const keys::Does does =
                keys::WhatTheKeyDoes(press, {WindowOf(window_), false, moved_, false}).does;
            return does == keys::Does::kNothing || does == keys::Does::kTellHowToChoose;
        }
        default:
            return false;
    }
}

bool ConfirmKeys::OnKey(const QKeyEvent* key) {
    const keys::Answer answer =
        keys::WhatTheKeyDoes(PressOf(key), {WindowOf(window_), false, moved_, false});
    if (answer.moves) SetMoved(true);
    switch (answer.does) {
        case keys::Does::kNothing:
            return true;
        case keys::Does::kTellHowToChoose:
            TellHowToChoose();
            return true;
        case keys::Does::kFocusNext:
        case keys::Does::kFocusPrevious:
            Step(answer.does == keys::Does::kFocusPrevious);
            return true;
        case keys::Does::kListMove:
            return MoveInList(key);
        case keys::Does::kPressOk:
            if (auto* ok = window_->findChild<QPushButton*>("Command1")) ok->click();  // the list's
            return true;
        case keys::Does::kFocusFirst:
        case keys::Does::kFocusLast:
            FocusEnd(answer.does == keys::Does::kFocusLast);
            return true;
        default:
            return false;
    }
}

// Said wherever a screen reader listens: the main window's announcer.
void ConfirmKeys::TellHowToChoose() const {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<MainWindow*>(top)) {
            main->announcer().Say(words::ChooseFirst(WindowOf(window_) == keys::Window::kQuestion));
            return;
        }
    }
}

bool ConfirmKeys::Waiting(const QWidget* window) {
    const auto* keys =
        window ? window->findChild<ConfirmKeys*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    return keys && !keys->moved_;
}

// The focus is drawn as the keys stand (FocusLook): redrawn when they change.
void ConfirmKeys::SetMoved(bool moved) {
    if (moved_ == moved) return;
    moved_ = moved;
    for (QWidget* each : window_->findChildren<QWidget*>()) each->update();
}

// Between buttons the arrows step along the Tab order, to the next button
// the player sees, in one move (a screen reader hears no button passed):
// the menu's 画像処理 beyond the window's edge is Tab's alone.
void ConfirmKeys::Step(bool back) {
    QWidget* from = QApplication::focusWidget();
    if (!from || from->window() != window_) from = window_;
    QWidget* each = from;
    do {
        each = back ? each->previousInFocusChain() : each->nextInFocusChain();
        if (each != window_ && Takes(each)) {
            each->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            return;
        }
    } while (each != from);
}

// A button of this window the player sees and the keys may reach.
bool ConfirmKeys::Takes(const QWidget* widget) const {
    return widget->window() == window_ && InSight(widget) && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus);
}

bool ConfirmKeys::InSight(const QWidget* widget) const {
    const QRect at(widget->mapTo(window_, QPoint(0, 0)), widget->size());
    return widget->isVisibleTo(window_) && window_->rect().contains(at.center());
}

// The first or the last button of the window's Tab order that the player
// sees takes the focus.
void ConfirmKeys::FocusEnd(bool last) {
    QWidget* chosen = nullptr;
    QWidget* each = window_;
    do {
        each = each->nextInFocusChain();
        if (Takes(each)) {
            if (!chosen || last) chosen = each;
        }
    } while (each != window_ && (last || !chosen));
    if (chosen) chosen->setFocus(last ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

// The highlight moves from the entry highlighted, and the list takes the focus.
bool ConfirmKeys::MoveInList(const QKeyEvent* key) {
    auto* list = window_->findChild<QListWidget*>();
    if (!list) return false;
    const int highlighted = list->selectedItems().isEmpty() ? -1 : list->currentRow();
    const int to = keys::ListMove(PressOf(key).key, highlighted, list->count());
    if (to >= 0) list->setCurrentRow(to);
    list->setFocus();
    return true;
}

}  // namespace velmora::qt
