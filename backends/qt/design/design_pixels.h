// The design pictures' pixels as the build made them from data/design/ (see
// design_to_pixels.cpp for their layout).
#pragma once

namespace velmora::qt::design {

enum class Picture {
    kBackground,
    kTitleArt,
    kPlateDate,
    kPlatePlace,
    kPlateTime,
    kPlateDateLarge,
    kPlatePlaceLarge,
    kPlateTimeLarge,
    kIcon,
    kPortraitLayer
};

// The header and rows of one picture; valid for the whole run.
const unsigned char* Pixels(Picture picture);

}  // namespace velmora::qt::design
