#include "player/plate_fit.h"

#include <algorithm>

namespace velmora::plates {

double Narrowing(double wanted, double room) {
    return wanted > room && wanted > 0 ? room / wanted : 1.0;
}

TextFit FitTimeText(double inkLeft, double inkRight, double advance, double labelWidth) {
    const double scale = labelWidth / kTimeLabelWidth;
    const double left = kTimeRoomLeft * scale;
    const double room = (kTimeRoomRight - kTimeRoomLeft) * scale - 1;  // a pixel for rounding
    const double from = std::min(0.0, inkLeft);
    const double wide = std::max(inkRight, advance) - from;
    TextFit fit;
    fit.narrowing = Narrowing(wide, room);
    fit.origin = left - from * fit.narrowing;
    fit.left = left;
    fit.right = left + wide * fit.narrowing;
    return fit;
}

}  // namespace velmora::plates
