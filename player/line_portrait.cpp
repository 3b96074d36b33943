#include "player/line_portrait.h"

#include <algorithm>

namespace velmora {

void PaintPortraitRows(ConstPixelView portrait, PixelView scene, int parity) {
    const int rows = std::min({kSceneHeight, portrait.height, scene.height});
    const int columns = std::min({kSceneWidth, portrait.width, scene.width});
    for (int y = parity; y < rows; y += 2) {
        const uint32_t* from = portrait.pixels + static_cast<long>(y) * portrait.stride;
        uint32_t* to = scene.pixels + static_cast<long>(y) * scene.stride;
        for (int x = 0; x < columns; ++x) {
            if ((from[x] & 0xFFFFFFu) != kLightCyan) to[x] = from[x] | 0xFF000000u;
        }
    }
}

void PaintPortraitLines(ConstPixelView portrait, PixelView scene) {
    PaintPortraitRows(portrait, scene, 0);
    PaintPortraitRows(portrait, scene, 1);
}

}  // namespace velmora
