// F11: the fixed main window scaled as a whole to fill the screen, centred
// on black bars; the game's dialogs scaled by the same factor and placed
// where they stand relative to the scaled window.
#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

#include "platform/qt/main_window.h"

namespace velmora::qt {

class FullScreen : public QObject {
    Q_OBJECT
  public:
    explicit FullScreen(MainWindow& window);

    void Toggle();
    bool active() const { return scale_ != 1.0; }
    double scale() const { return scale_; }

    // A game dialog about to be shown at its design place.
    void Place(QWidget* dialog) const;

  private:
    void Enter();
    void Leave();

    MainWindow& window_;
    QSize designSize_;
    double scale_ = 1.0;
    QPoint origin_;  // the design's top-left corner on the screen
};

}  // namespace velmora::qt
