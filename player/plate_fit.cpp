#include "player/plate_fit.h"

#include <algorithm>

namespace velmora::plates {

TextFit FitTimeText(double inkLeft, double inkRight, double advance, double labelWidth) {
    const double scale = labelWidth / kTimeLabelWidth;
    const double left = kTimeRoomLeft * scale;
    const double room = (kTimeRoomRight - kTimeRoomLeft) * scale - 1;  // a pixel for rounding
    const double from = std::min(0.0, inkLeft);
    const double wide = std::max(inkRight, advance) - from;
    TextFit fit;
    fit.narrowing = wide > room ? room / wide : 1.0;
    fit.origin = left - from * fit.narrowing;
    fit.left = left;
    fit.right = left + wide * fit.narrowing;
    return fit;
}

}  // namespace velmora::plates
