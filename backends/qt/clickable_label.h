// A label that reports a left click released over it, as the game's labels
// and image controls do.
#pragma once

#include <QLabel>

namespace velmora::qt {

class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace velmora::qt
