// A plate of the status column (date, place, time frame): its picture drawn
// from the top-left and clipped, as the design has it, and scaled with the
// window. Scaled or on a screen with more pixels than the design's, it is
// drawn smoothly at the screen's own resolution, from the larger drawing of
// the same plate where the design has one, never doubled pixel by pixel.
#pragma once

#include <QImage>
#include <QLabel>

namespace velmora::qt {

class PlatePicture : public QLabel {
    Q_OBJECT
  public:
    static constexpr int kDesignWidth = 142;  // the plate box, in design pixels

    explicit PlatePicture(QWidget* parent);

    // A null picture leaves the plate empty; large: the same picture drawn
    // larger, or null.
    void Show(const QImage& picture, const QImage& large = {});

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage large_;
};

}  // namespace velmora::qt
