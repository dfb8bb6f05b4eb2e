// The pictures of translucent menus: the shadow ramp drawn along a menu's
// right and bottom edges, and the mix of the menu's own image with the
// screen that lay beneath it. Portable: pixels are 32-bit values 0xAARRGGBB
// (blue in the low byte), rows top-down, `width` pixels a row.
#pragma once

#include <cstdint>

namespace zrv::menu {

// Blend modes of BlendMenuImage.
constexpr int kBlendPlain = 0;     // the whole picture is mixed alike
constexpr int kBlendShadowed = 20; // the right and bottom L pixels are shadow

// Pure magenta in the photograph marks a pixel that is not mixed.
constexpr std::uint32_t kUnmixedColour = 0x00FF00FF;

// The weight of the background in the mix for menu opacity v: 255 - (v mod 256).
constexpr int backgroundWeight(int opacity) {
    return 255 - (opacity & 0xFF);
}

// The grey of the shadow strips at distance `k` from the menu edge, for strips
// `size` pixels wide (the runs of the ramp along the strips).
int shadowGrey(int size, int k);

// Draws the shadow strips of width `size` into the picture of `width` by
// `height` pixels: four runs of one-pixel grey lines, end points excluded,
// clipped to the picture. A size below 1 draws nothing.
void DrawMenuShadowRamp(std::uint32_t* pixels, int width, int height, int size);

// Mixes the menu image `menuImage` (written back) with the photograph `photo`
// of the same size: per colour channel x + floor(t * (p - x) / 256), where t
// is the background weight (0 to 255). In kBlendShadowed the right `size`
// columns and bottom `size` rows first darken the background by the ramp:
// m = floor(x * p / 256), then mix m with p. A magenta photograph pixel leaves
// the menu pixel as it is. The top byte of each menu pixel is kept.
// False (nothing written) for a bad argument.
bool BlendMenuImage(std::uint32_t* menuImage, const std::uint32_t* photo, int width, int height,
                    int mode, int t, int size);

// A part of a picture: columns left to right - 1, rows top to bottom - 1.
struct Area {
    int left, top, right, bottom;
};

// BlendMenuImage within `area` alone (clipped to the picture); every pixel
// outside it is left as it is. Each pixel inside comes out as the whole
// picture's mix would make it.
bool BlendMenuImageArea(std::uint32_t* menuImage, const std::uint32_t* photo, int width,
                        int height, int mode, int t, int size, Area area);

} // namespace zrv::menu
