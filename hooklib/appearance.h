// Fade-in and slide-in arithmetic: the eligibility rules, the fade levels and
// opacities, the slide placement and its halving steps. Portable: the Win32
// layer reads the settings and rectangles and applies the results.
#pragma once

#include "hooklib/rect.h"

#include <cstdint>

namespace zrv::appearance {

using zrv::Rect;

// --- fade ---

constexpr std::int32_t kFadeStartLevel = 255;
constexpr std::int32_t kFadeStartOpacity = 1;
// Windows of at least this many square pixels do not fade with "SMALLONLY".
constexpr std::int64_t kSmallOnlyArea = 90000;

struct FadeRules {
    int smallOnly = 0; // "SMALLONLY"
    int nonSize = 0;   // "NONSIZE"
    int semiTrans = 0; // "SEMITRANS"
};

// Whether a window of this outer size and style may start a fade.
bool fadeEligible(const FadeRules& rules, std::int32_t width, std::int32_t height,
                  std::uint32_t style);

// The level after one fade step: the level divided by 1.66, truncated. Zero
// or less means the fade is over.
std::int32_t nextFadeLevel(std::int32_t level);

// The opacity shown for a level (after the step that reached it).
constexpr std::int32_t fadeOpacity(std::int32_t level) { return 255 - (level > 0 ? level : 0); }

// --- slide ---

struct SlideRules {
    int slide = 1;       // "SLIDE"
    int slideTool = 1;   // "SLIDETOOL"
    int slideFrom = 0;   // "SLIDEFROM": 1 slides up from the bottom
};

bool slideEligible(const SlideRules& rules, bool ownerVisible, bool toolWindow);

struct SlideStart {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t step = 0; // the initial step d, stored as both the total and the step
};

// Where the window is placed before it slides, and its first step, for a
// reference rectangle (its monitor's work area, or its owner) and the
// window's outer rectangle. The window's left and top never go above or left
// of `limit`, the top-left corner of the monitor it slides on.
SlideStart slideStart(const Rect& reference, const Rect& window, bool fromBottom,
                      zt::ScreenPoint limit = {});

struct SlideStep {
    std::int32_t move = 0;     // b: how far the window moves down (up when negative)
    bool done = false;         // the last step: properties and timer go
    std::int32_t newTop = 0;   // the window's new top
    Rect uncovered;            // the desktop strip to repaint (may be empty)
};

// One tick of a slide whose stored step is `step`, for the window's outer
// rectangle before the move; the top stops at `limitTop`, the top of the
// monitor it slides on.
SlideStep slideStep(std::int32_t step, const Rect& outer, std::int32_t limitTop = 0);

} // namespace zrv::appearance
