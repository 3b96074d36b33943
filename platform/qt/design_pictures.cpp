#include "platform/qt/design_pictures.h"

#include <QPixmap>
#include <cstdint>
#include <cstring>

#include "platform/qt/design/design_pixels.h"

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

}  // namespace

QImage DesignBackground() {
    return Wrap(Picture::kBackground);
}
QImage DesignTitleArt() {
    return Wrap(Picture::kTitleArt);
}
QImage DesignPlatePicture(DesignPlate plate) {
    switch (plate) {
        case DesignPlate::kDate:
            return Wrap(Picture::kPlateDate);
        case DesignPlate::kPlace:
            return Wrap(Picture::kPlatePlace);
        case DesignPlate::kTime:
            break;
    }
    return Wrap(Picture::kPlateTime);
}
QImage DesignPlatePictureLarge(DesignPlate plate) {
    switch (plate) {
        case DesignPlate::kDate:
            return Wrap(Picture::kPlateDateLarge);
        case DesignPlate::kPlace:
            return Wrap(Picture::kPlatePlaceLarge);
        case DesignPlate::kTime:
            break;
    }
    return Wrap(Picture::kPlateTimeLarge);
}
QImage DesignPortraitLayer() {
    return Wrap(Picture::kPortraitLayer);
}
QIcon DesignIcon() {
    return QIcon(QPixmap::fromImage(Wrap(Picture::kIcon)));
}

}  // namespace velmora::qt
