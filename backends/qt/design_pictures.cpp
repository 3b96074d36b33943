#include "backends/qt/design_pictures.h"

#include <QPixmap>
#include <cstdint>
#include <cstring>

#include "backends/qt/design/design_pixels.h"

namespace velmora::qt {

namespace {

using design::Picture;

// The rows are used in place, read-only: a QImage over constant data copies
// them only if it is ever painted on.
QImage Wrap(Picture picture) {
    const unsigned char* pixels = design::Pixels(picture);
    std::uint32_t header[4];
    std::memcpy(header, pixels, sizeof header);
    const int width = int(header[0]);
    return QImage(pixels + sizeof header, width, int(header[1]), width * 4,
                  QImage::Format(header[2]));
}

// Each plate at the design's size and three times as large.
Picture PlatePixels(DesignPlate plate, bool large) {
    constexpr Picture kPlates[][2] = {{Picture::kPlateDate, Picture::kPlateDateLarge},
                                      {Picture::kPlatePlace, Picture::kPlatePlaceLarge},
                                      {Picture::kPlateTime, Picture::kPlateTimeLarge}};
    return kPlates[int(plate)][large ? 1 : 0];
}

}  // namespace

QImage DesignBackground() {
    return Wrap(Picture::kBackground);
}
QImage DesignTitleArt() {
    return Wrap(Picture::kTitleArt);
}
QImage DesignPlatePicture(DesignPlate plate) {
    return Wrap(PlatePixels(plate, false));
}
QImage DesignPlatePictureLarge(DesignPlate plate) {
    return Wrap(PlatePixels(plate, true));
}
QImage DesignPortraitLayer() {
    return Wrap(Picture::kPortraitLayer);
}
QIcon DesignIcon() {
    return QIcon(QPixmap::fromImage(Wrap(Picture::kIcon)));
}

}  // namespace velmora::qt
