// picMain, the scene picture box, with imgMain, the layer of the prepared
// portrait, inside it. Line mode paints portraits into the scene itself, so
// the box keeps its own 32-bit canvas rather than a picture to draw. The
// light of the hour falls on the picture alone: the box keeps the picture
// and what line mode painted over it apart, to lay a new light between.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

#include "player/scene_light.h"

namespace velmora::qt {

class ScenePicture : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kHiddenLayerLeft = 500;  // beyond the box's right edge

    explicit ScenePicture(QWidget* parent);

    // A null picture leaves the box empty; litPicture numbers the place
    // pictures the light falls on (scene_light.h).
    void Show(const QImage& picture, int litPicture = -1, Light light = Light::Day);
    void Clear();
    void Relight(Light light);
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
    void Compose();

    QImage picture_;
    QImage painted_;  // line mode's portraits, clear where nothing was painted
    int litPicture_ = -1;
    Light light_ = Light::Day;
    QImage canvas_;
    QLabel* layer_;
    double scale_ = 1.0;
};

}  // namespace velmora::qt
