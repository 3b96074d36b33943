// The light of the hour painted for the page: the page draws a place's
// picture into its canvas, hands the pixels over here and takes them back
// lit (page/scene_light.js), so the browser shows what the window program
// paints from the same code (player/scene_light.cpp). The page calls in
// while the game waits; this paints and returns, never waits itself.
#include <emscripten.h>

#include <array>
#include <cstdint>

#include "player/scene_light.h"

namespace {

// The canvas' pixels as the page hands them over: red, green, blue, alpha.
std::array<uint8_t, velmora::kSceneWidth * velmora::kSceneHeight * 4> pageBytes;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE uint8_t* velmora_light_buffer() {
    return pageBytes.data();
}

EMSCRIPTEN_KEEPALIVE void velmora_paint_light(int picture, int light) {
    static std::array<uint32_t, velmora::kSceneWidth * velmora::kSceneHeight> pixels;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint8_t* p = &pageBytes[i * 4];
        pixels[i] = 0xFF000000u | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
    velmora::PaintLight(
        {pixels.data(), velmora::kSceneWidth, velmora::kSceneHeight, velmora::kSceneWidth}, picture,
        static_cast<velmora::Light>(light));
    for (size_t i = 0; i < pixels.size(); ++i) {
        uint8_t* p = &pageBytes[i * 4];
        p[0] = pixels[i] >> 16 & 0xFF;
        p[1] = pixels[i] >> 8 & 0xFF;
        p[2] = pixels[i] & 0xFF;
        p[3] = 0xFF;
    }
}

}  // extern "C"
