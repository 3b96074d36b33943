// The pictures of the title screen, compiled in as pixels ready to draw
// (platform/qt/design/): nothing is decoded at start.
#pragma once

#include <QIcon>
#include <QImage>

namespace velmora::qt {

QImage DesignBackground();  // the sky, 639 x 471
QImage DesignTitleArt();    // 333 x 287
QImage DesignPlateDate();   // the plates of the date, place and time
QImage DesignPlatePlace();
QImage DesignPlateTime();
QImage DesignPortraitLayer();  // 640 x 480, all transparent
QIcon DesignIcon();            // 32 x 32

}  // namespace velmora::qt
