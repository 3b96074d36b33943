// Form7: one large picture in a borderless window, until the player clicks
// the picture itself.
#pragma once

#include <QImage>

#include "platform/qt/clickable_label.h"
#include "platform/qt/game_dialog.h"

namespace velmora::qt {

class PictureWindow : public GameDialog {
    Q_OBJECT
  public:
    PictureWindow(QWidget* owner, const QImage& picture);

    // Returns after a click on the picture (or the window's closing); the
    // window stays open for the NEXT dialog that follows.
    void WaitClick();

    ClickableLabel* image() const { return image1_; }

  private:
    ClickableLabel* image1_;
};

}  // namespace velmora::qt
