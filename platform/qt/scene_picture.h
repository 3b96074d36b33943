// picMain, the scene picture box, with imgMain, the layer of the prepared
// portrait, inside it. Line mode paints portraits into the scene itself, so
// the box keeps its own 32-bit canvas rather than a picture to draw.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

namespace velmora::qt {

class ScenePicture : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kHiddenLayerLeft = 500;  // beyond the box's right edge

    explicit ScenePicture(QWidget* parent);

    void Show(const QImage& picture);  // a null picture leaves the box empty
    void Clear();
    // Every pixel of the portrait that is not light cyan, even rows first;
    // the box is repainted between the two passes.
    void PaintPortrait(const QImage& portrait);

    void ShowLayer(const QImage& picture);  // at left 0
    void HideLayer();                       // moved out of view, picture kept
    // Drawn at this many times its design size (full screen); smoothly.
    void SetScale(double scale);

    const QImage& canvas() const { return canvas_; }
    QLabel* layer() const { return layer_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage canvas_;
    QLabel* layer_;
    double scale_ = 1.0;
};

}  // namespace velmora::qt
