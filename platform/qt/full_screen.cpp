#include "platform/qt/full_screen.h"

#include <QScreen>
#include <algorithm>

#include "platform/qt/window_scaler.h"

namespace velmora::qt {

namespace {

constexpr const char* kDesignSize = "velmoraDesignSize";
constexpr const char* kDesignPos = "velmoraDesignPos";
constexpr const char* kPlacedAt = "velmoraPlacedAt";

}  // namespace

FullScreen::FullScreen(MainWindow& window) : QObject(&window), window_(window) {}

void FullScreen::Toggle() {
    if (active()) {
        Leave();
    } else {
        Enter();
    }
}

void FullScreen::Enter() {
    designSize_ = window_.size();
    const QRect screen = window_.screen()->geometry();
    scale_ = std::min(double(screen.width()) / designSize_.width(),
                      double(screen.height()) / designSize_.height());
    const QSize stage = Scaled(designSize_, scale_);
    const QPoint offset((screen.width() - stage.width()) / 2,
                        (screen.height() - stage.height()) / 2);
    origin_ = screen.topLeft() + offset;
    window_.SetStage(scale_, offset);
    window_.setMinimumSize(0, 0);
    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_.setGeometry(screen);
    ScaleWindowContents(&window_, scale_, offset);
    window_.showFullScreen();
}

void FullScreen::Leave() {
    scale_ = 1.0;
    window_.showNormal();
    window_.setFixedSize(designSize_);
    window_.move(window_.GamePosition());
    window_.SetStage(1.0, {});
    ScaleWindowContents(&window_, 1.0);
}

// The game places its dialogs in design pixels of the screen; the same
// place relative to the window is found on the scaled stage.
// A dialog shown again without being moved by the game keeps its place.
void FullScreen::Place(QWidget* dialog) const {
    const bool scaledBefore = dialog->property(kDesignSize).isValid();
    if (!active() && !scaledBefore) return;
    if (!scaledBefore) dialog->setProperty(kDesignSize, dialog->size());
    if (dialog->pos() != dialog->property(kPlacedAt).toPoint())
        dialog->setProperty(kDesignPos, dialog->pos());
    const QSize design = dialog->property(kDesignSize).toSize();
    dialog->setFixedSize(Scaled(design, scale_));
    ScaleWindowContents(dialog, scale_);
    const QPoint fromWindow = dialog->property(kDesignPos).toPoint() - window_.GamePosition();
    const QPoint place =
        active() ? origin_ + Scaled(fromWindow, scale_) : dialog->property(kDesignPos).toPoint();
    dialog->move(place);
    dialog->setProperty(kPlacedAt, place);
}

}  // namespace velmora::qt
