// The pictures of the shadow windows: the mask of what lies under the owner
// or inside the shadow, the samples taken from it, and the graded alpha or
// grey levels that come out. Portable: the Win32 layer hands the pixels to
// the layered-window update or copies them onto the shadow's frame.
#pragma once

#include "hooklib/shadow_geometry.h"

#include <cstdint>

namespace zrv::shadow {

enum class Shade {
    Uniform,     // one colour: black, shown with no per-pixel alpha
    GradedAlpha, // black, alpha 200 next to the owner falling to 0 outwards
    GradedGrey,  // opaque, black next to the owner up to dark grey outwards
};

// Samples are taken every kShadeStep pixels over a 6 by 6 grid around each
// pixel, from 6 pixels before it to 4 after.
constexpr std::int32_t kShadeStep = 2;
constexpr std::int32_t kSamplesPerSide = 6;
constexpr std::int32_t kSampleReach = 6;

// A uniform shadow is drawn with the constant opacity alone, which ignores
// the pixels' own alpha. Its pixels carry the shape all the same (opaque
// black inside, clear outside), so that it looks right where the platform
// blends layered windows by their pixels or does not clip them to their
// window region.
constexpr std::uint32_t kUniformPixel = 0xFF000000u;

// The largest picture rendered; a bigger one is not drawn at all.
constexpr std::int64_t kMaxShadowPixels = std::int64_t{1} << 26;

// Alpha and grey level for a pixel inside the shape from the number of its 36
// samples that are white (0 to 36).
std::uint8_t gradedAlpha(int whiteSamples);
std::uint8_t greyLevel(int whiteSamples);

// Renders a w by h shadow picture into `pixels` (w * h values, rows top down,
// each 0xAARRGGBB, i.e. blue, green, red, alpha bytes in memory). `shape` is
// the shadow window's current region in its own coordinates, or null when it
// has none: then no pixel is inside and a graded picture is all zero. Returns
// false, leaving the pixels untouched, when the picture is too large,
// memory runs out or the shape itself ran out of memory; an empty size renders nothing and succeeds.
bool renderShadow(Side side, Shade shade, std::int32_t w, std::int32_t h, const Region* shape,
                  std::uint32_t* pixels);
// The same into rows `stride` pixels apart (stride >= w), as in a bitmap wider
// than the picture; the pixels past each row's w are left as they are.
bool renderShadow(Side side, Shade shade, std::int32_t w, std::int32_t h, const Region* shape,
                  std::uint32_t* pixels, std::int32_t stride);

} // namespace zrv::shadow
