// Where windows go on a desktop of several monitors: a monitor's rectangles,
// keeping a window inside a work area, centring on a monitor. Portable: the
// Win32 layer (common/win/monitors.h) asks the platform which monitor a
// window, rectangle or point is on.
#pragma once

#include <cstdint>

namespace zt {

// Screen coordinates: left and top inside, right and bottom outside. Monitors
// left of or above the primary one have negative coordinates.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(const ScreenPoint& a, const ScreenPoint& b) {
        return a.x == b.x && a.y == b.y;
    }
};

struct Monitor {
    Rect bounds; // the whole monitor
    Rect work;   // without task bars and docked tool bars
};

// `window` moved, never resized, so that it lies inside `area`. A window larger
// than the area keeps its top-left corner on the area's, so its title bar and
// close picture stay reachable.
Rect keepInside(const Rect& window, const Rect& area);

// A window of this size centred in `area`, kept inside it.
Rect centredIn(std::int32_t width, std::int32_t height, const Rect& area);

} // namespace zt
