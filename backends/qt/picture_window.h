// Form7: one large picture in a borderless window, until the player clicks
// the picture itself or presses Enter or Space. The picture has the
// keyboard's focus while it waits, so a screen reader says what it is and
// what to press as it opens.
#pragma once

#include <QImage>

#include "backends/qt/clickable_label.h"
#include "backends/qt/game_dialog.h"

namespace velmora::qt {

class PictureWindow : public GameDialog {
    Q_OBJECT
  public:
    // words: what the picture shows, as a screen reader reads it.
    PictureWindow(QWidget* owner, const QImage& picture, const QString& words);

    // Returns after a click on the picture (or the window's closing); the
    // window stays open for the NEXT dialog that follows.
    void WaitClick();

    ClickableLabel* image() const { return image1_; }
    // The picture passed by a key, as a click on it passes it.
    void Pass();

  private:
    ClickableLabel* image1_;
};

}  // namespace velmora::qt
