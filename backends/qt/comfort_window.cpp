#include "backends/qt/comfort_window.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>

#include "backends/qt/main_window.h"
#include "backends/qt/window_scaler.h"

namespace velmora::qt {

ComfortWindow::ComfortWindow(QWidget* over, const char* name, const char* caption, QPoint place)
    : QDialog(over),
      over_(over),
      bar_(new TitleBar(this, TitleBar::Buttons::Close)),
      place_(place) {
    setObjectName(name);
    // Undecorated in the window system's eyes, yet a window it still moves.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setWindowTitle(QString::fromUtf8(caption));
    setWindowModality(Qt::ApplicationModal);
    setContentsMargins(0, TitleBar::kDesignHeight, 0, 0);  // the layouts stand below the bar
}

void ComfortWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), TitleBar::kDesignHeight);
}

void ComfortWindow::showEvent(QShowEvent* event) {
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() != this)
        focusedBefore_ = focus;
    QDialog::showEvent(event);
    Place();
}

void ComfortWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!focusedBefore_ || !focusedBefore_->isVisible()) return;
    focusedBefore_->window()->activateWindow();
    focusedBefore_->setFocus(Qt::OtherFocusReason);
}

// Over the main window, as its dialogs stand, on the screen that shows it.
void ComfortWindow::Place() {
    const QScreen* screen = over_ ? over_->screen() : this->screen();
    const QRect area =
        screen->availableGeometry().isEmpty() ? screen->geometry() : screen->availableGeometry();
    resize(std::min(width(), area.width()), std::min(height(), area.height()));
    QPoint at = area.topLeft();
    if (auto* main = qobject_cast<MainWindow*>(over_)) {
        at = main->client()->mapToGlobal(QPoint(0, 0)) + Scaled(place_, main->scale());
    }
    move(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())),
         std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
}

}  // namespace velmora::qt
