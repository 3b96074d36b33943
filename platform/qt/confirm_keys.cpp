#include "platform/qt/confirm_keys.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>

namespace velmora::qt {

namespace {

bool IsConfirmKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

ConfirmKeys::ConfirmKeys(QDialog* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
    for (QWidget* each : window->findChildren<QWidget*>()) each->installEventFilter(this);
}

bool ConfirmKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
            if (watched == window_) moved_ = false;
            return false;
        case QEvent::KeyPress:
            return OnKey(watched, static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease:
            return !moved_ && IsConfirmKey(static_cast<QKeyEvent*>(event)->key());
        default:
            return false;
    }
}

bool ConfirmKeys::OnKey(QObject* watched, const QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            moved_ = true;
            return false;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            moved_ = true;
            // Between buttons the arrows step along the Tab order; a list
            // moves through its own entries.
            if (!qobject_cast<QAbstractButton*>(watched)) return false;
            {
                const bool back = key->key() == Qt::Key_Up || key->key() == Qt::Key_Left;
                QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                              back ? Qt::ShiftModifier : Qt::NoModifier);
                QCoreApplication::sendEvent(watched, &tab);
            }
            return true;
        default:
            return !moved_ && IsConfirmKey(key->key());
    }
}

}  // namespace velmora::qt
