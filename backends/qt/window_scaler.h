// Scales a window of the game as a whole: every widget's geometry, font and
// picture by one factor from its design, so that text is drawn at the new
// size rather than stretched as a bitmap. Factor 1 restores the design.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <cmath>

namespace velmora::qt {

// Design pixels at the scale, rounded to whole pixels.
inline int Scaled(int design, double scale) {
    return int(std::lround(design * scale));
}
inline QPoint Scaled(QPoint design, double scale) {
    return {Scaled(design.x(), scale), Scaled(design.y(), scale)};
}
inline QSize Scaled(QSize design, double scale) {
    return {Scaled(design.width(), scale), Scaled(design.height(), scale)};
}

// offset: where the design's top-left corner lands inside the window.
void ScaleWindowContents(QWidget* window, double scale, QPoint offset = {});

// A window laid out by Qt's layouts (the comforts' windows): every font by
// the factor from its design, the layouts' margins and spacing with them;
// the layouts then size and place the rest.
void ScaleLaidOut(QWidget* window, double scale);

}  // namespace velmora::qt
