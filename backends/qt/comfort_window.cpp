#include "backends/qt/comfort_window.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <algorithm>

#include "backends/qt/main_window.h"
#include "backends/qt/window_scaler.h"

namespace velmora::qt {

ComfortWindow::ComfortWindow(QWidget* over, const char* name, const char* caption, QPoint place,
                             QSize design)
    : QDialog(over),
      over_(over),
      bar_(new TitleBar(this, TitleBar::Buttons::Close)),
      place_(place),
      design_(design) {
    setObjectName(name);
    // Undecorated in the window system's eyes, yet a window it still moves.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setWindowTitle(QString::fromUtf8(caption));
    setWindowModality(Qt::ApplicationModal);
    setContentsMargins(0, TitleBar::kDesignHeight, 0, 0);  // the layouts stand below the bar
    // Laid out anew with the main window: full screen or larger text
    // turned on or off while it is open.
    if (auto* main = qobject_cast<MainWindow*>(over))
        connect(main, &MainWindow::laidOut, this, [this] {
            if (isVisible()) Place();
        });
}

void ComfortWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), contentsMargins().top());
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

// Over the main window, as its dialogs stand, on the screen that shows it,
// at its scale.
void ComfortWindow::Place() {
    auto* main = qobject_cast<MainWindow*>(over_);
    const double scale = main ? main->scale() : 1.0;
    ScaleLaidOut(this, scale);
    setContentsMargins(0, Scaled(TitleBar::kDesignHeight, scale), 0, 0);
    if (design_.isEmpty()) {
        if (layout()) layout()->activate();
        adjustSize();
    } else {
        resize(Scaled(design_, scale));
    }
    const QScreen* screen = over_ ? over_->screen() : this->screen();
    QRect area =
        screen->availableGeometry().isEmpty() ? screen->geometry() : screen->availableGeometry();
    // Below the main window's title bar, its buttons left free, where the
    // window's design height at this scale has room there.
    const int below = main ? main->client()->mapToGlobal(QPoint(0, 0)).y() : area.top();
    if (main && main->titleBar()->isVisible() && area.bottom() + 1 - below >= height() * 3 / 4)
        area.setTop(std::max(area.top(), below));
    // Within the main window wherever it fits there, as the page keeps it:
    // its place is only where it starts, and a list as tall as the main
    // window scrolls below its title bar.
    if (main) {
        const QRect inMain = area.intersected(main->frameGeometry());
        if (inMain.width() >= width() && inMain.height() >= height() * 3 / 4) area = inMain;
    }
    resize(std::min(width(), area.width()), std::min(height(), area.height()));
    QPoint at = area.topLeft();
    if (main) at = main->client()->mapToGlobal(QPoint(0, 0)) + Scaled(place_, scale);
    move(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())),
         std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
}

}  // namespace velmora::qt
