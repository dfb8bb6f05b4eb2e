// Where and how large a captioned window is when maximized to the set size.
// Portable: the Win32 layer passes the keys' values, the window's corners and
// the monitor the window is on.
#pragma once

#include "common/monitor_layout.h"

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
    std::int32_t maxLeft = 1;     // "MAXLEFT": 1 puts the window at its work area's corner
    std::uint32_t style = 0;      // the window's style
    Point restoredCorner;         // top-left of its normal rectangle (window placement)
    Point currentCorner;          // top-left of its window rectangle now
    // The window's monitor. Without one (an empty work area) the corner is
    // the screen's (0, 0) and the size is not limited.
    zt::Monitor monitor;
};

struct Placement {
    Point size;
    Point position;
};

// The minimized style bit: a minimized window's own rectangle is the icon's,
// so its corner comes from its restored rectangle instead.
constexpr std::uint32_t kMinimizedStyle = 0x20000000;

// The maximized rectangle in screen coordinates: inside the work area of the
// window's monitor, no larger than it.
Placement maximizedPlacement(const Inputs& in);

// What goes into the platform's maximize record for that placement. Windows
// reads the record as if for the primary monitor and moves it onto the
// window's own: the position keeps its offset from the monitor's corner, and a
// size that covers the whole primary monitor grows by how much larger the
// window's monitor is. `platformAdjusts` false (wine) takes the record as it
// stands.
Placement recordFor(const Placement& p, const zt::Monitor& monitor, const zt::Rect& primary,
                    bool platformAdjusts);

} // namespace zrv::maxsize
