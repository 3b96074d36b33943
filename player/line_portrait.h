// Line mode: a character is painted into the scene picture itself, pixel by
// pixel, skipping the light-cyan background of the portrait file. Only the
// top-left 300 x 260 pixels of the portrait count; even rows are painted
// first, then odd rows, each top to bottom and left to right.
#pragma once

#include <cstdint>

namespace velmora {

constexpr int kSceneWidth = 300;
constexpr int kSceneHeight = 260;
constexpr uint32_t kLightCyan = 0x00FFFF;  // red 0, green 255, blue 255

// A view on 32-bit pixels stored as 0xAARRGGBB (the alpha byte is ignored
// when comparing colours); stride counts pixels per row.
struct PixelView {
    uint32_t* pixels;
    int width;
    int height;
    int stride;
};

struct ConstPixelView {
    const uint32_t* pixels;
    int width;
    int height;
    int stride;
};

// Paints the rows of one parity (0: even rows, 1: odd rows).
void PaintPortraitRows(ConstPixelView portrait, PixelView scene, int parity);

// Both passes, even rows first.
void PaintPortraitLines(ConstPixelView portrait, PixelView scene);

}  // namespace velmora
