// Where and how large a captioned window is when maximized to the set size.
// Portable: the Win32 layer passes the keys' values and the window's corners.
#pragma once

#include <cstdint>

namespace zrv::maxsize {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
};

struct Inputs {
    std::int32_t width = 800;     // "MAXWIDTH"
    std::int32_t height = 600;    // "MAXHEIGHT"
    std::int32_t maxLeft = 1;     // "MAXLEFT": 1 puts the window at (0, 0)
    std::uint32_t style = 0;      // the window's style
    Point restoredCorner;         // top-left of its normal rectangle (window placement)
    Point currentCorner;          // top-left of its window rectangle now
};

struct Placement {
    Point size;
    Point position;
};

// The minimized style bit: a minimized window's own rectangle is the icon's,
// so its corner comes from its restored rectangle instead.
constexpr std::uint32_t kMinimizedStyle = 0x20000000;

Placement maximizedPlacement(const Inputs& in);

} // namespace zrv::maxsize
