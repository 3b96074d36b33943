// The game's windows were laid out in twips, 15 to a pixel on the screens it
// was made for; Qt places widgets in pixels.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

#include "platform/platform.h"

namespace velmora::qt {

constexpr double kTwipsPerPixel = 15.0;

inline int Px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QPoint Px(Twips at) {
    return {Px(at.left), Px(at.top)};
}

inline QSize PxSize(double width, double height) {
    return {Px(width), Px(height)};
}

inline QRect PxRect(double left, double top, double width, double height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

inline Twips ToTwips(QPoint p) {
    return {p.x() * kTwipsPerPixel, p.y() * kTwipsPerPixel};
}

}  // namespace velmora::qt
