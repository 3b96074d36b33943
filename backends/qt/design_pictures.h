// The pictures of the title screen, compiled in as pixels ready to draw
// (backends/qt/design/): nothing is decoded at start.
#pragma once

#include <QIcon>
#include <QImage>

namespace velmora::qt {

enum class DesignPlate { kDate, kPlace, kTime };

QImage DesignBackground();  // the sky, 639 x 471
QImage DesignTitleArt();    // 333 x 287
// The plates of the date, place and time, 142 x 39; and each drawn three
// times as large, for a scaled window and for screens with more pixels.
QImage DesignPlatePicture(DesignPlate plate);
QImage DesignPlatePictureLarge(DesignPlate plate);
QImage DesignPortraitLayer();  // 640 x 480, all transparent
QIcon DesignIcon();            // 32 x 32

}  // namespace velmora::qt
