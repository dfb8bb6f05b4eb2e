#include "hooklib/maximize_placement.h"

#include <gtest/gtest.h>

namespace {

using zrv::maxsize::Inputs;
using zrv::maxsize::maximizedPlacement;
using zrv::maxsize::Point;

constexpr std::uint32_t kOverlapped = 0x00CF0000;
constexpr std::uint32_t kMinimized = 0x20000000;

struct Case {
    const char* what;
    std::int32_t width, height, maxLeft;
    std::uint32_t style;
    Point expectedSize, expectedPosition;
};

TEST(MaximizedPlacement, SizeAndCornerFollowTheKeysAndTheWindowState) {
    // Restored corner (30, 40), current corner (150, 120) in every case.
    static constexpr Case cases[] = {
        {"defaults: (0, 0)", 800, 600, 1, kOverlapped, {800, 600}, {0, 0}},
        {"set size", 1024, 700, 1, kOverlapped, {1024, 700}, {0, 0}},
        {"own corner", 800, 600, 0, kOverlapped, {800, 600}, {150, 120}},
        {"own corner of a minimized window is its restored one", 640, 480, 0,
         kOverlapped | kMinimized, {640, 480}, {30, 40}},
        {"minimized with MAXLEFT 1 still at (0, 0)", 800, 600, 1, kOverlapped | kMinimized,
         {800, 600}, {0, 0}},
        {"MAXLEFT other than 1 is off", 800, 600, 2, kOverlapped, {800, 600}, {150, 120}},
        {"an emptied width reads as 0 and is used", 0, 600, 1, kOverlapped, {0, 600}, {0, 0}},
    };
    for (const Case& c : cases) {
        Inputs in;
        in.width = c.width;
        in.height = c.height;
        in.maxLeft = c.maxLeft;
        in.style = c.style;
        in.restoredCorner = {30, 40};
        in.currentCorner = {150, 120};
        const auto p = maximizedPlacement(in);
        EXPECT_EQ(p.size, c.expectedSize) << c.what;
        EXPECT_EQ(p.position, c.expectedPosition) << c.what;
    }
}

// Two monitors as wine lists them here, and the same pair mirrored (the
// primary on the right), with a task bar on the second monitor's bottom.
constexpr zt::Monitor kPrimary{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}};
constexpr zt::Monitor kRight{{1280, 0, 2304, 768}, {1280, 0, 2304, 738}};
constexpr zt::Monitor kLeft{{-1024, 0, 0, 768}, {-1024, 0, 0, 738}};
constexpr zt::Monitor kTopBar{{0, 0, 1280, 1024}, {0, 30, 1280, 1024}};

TEST(MaximizedPlacement, StaysInTheWorkAreaOfTheWindowsMonitor) {
    struct MonitorCase {
        const char* what;
        zt::Monitor monitor;
        std::int32_t width, height, maxLeft;
        Point corner;
        Point expectedSize, expectedPosition;
    };
    static constexpr MonitorCase cases[] = {
        {"primary: as on one screen", kPrimary, 800, 600, 1, {150, 120}, {800, 600}, {0, 0}},
        {"MAXLEFT 1: corner of the second monitor", kRight, 800, 600, 1, {1400, 50},
         {800, 600}, {1280, 0}},
        {"a task bar on top moves the corner down", kTopBar, 800, 600, 1, {10, 10}, {800, 600},
         {0, 30}},
        {"larger than the work area: limited to it", kRight, 1600, 900, 1, {1400, 50},
         {1024, 738}, {1280, 0}},
        {"monitor left of the primary", kLeft, 800, 600, 1, {-900, 40}, {800, 600}, {-1024, 0}},
        {"own corner kept where it fits", kRight, 800, 600, 0, {1300, 100}, {800, 600},
         {1300, 100}},
        {"own corner moved in to fit", kRight, 800, 600, 0, {1900, 500}, {800, 600},
         {1504, 138}},
        {"own corner left of the primary", kLeft, 640, 480, 0, {-1000, 10}, {640, 480},
         {-1000, 10}},
    };
    for (const MonitorCase& c : cases) {
        Inputs in;
        in.width = c.width;
        in.height = c.height;
        in.maxLeft = c.maxLeft;
        in.style = kOverlapped;
        in.restoredCorner = in.currentCorner = c.corner;
        in.monitor = c.monitor;
        const auto p = maximizedPlacement(in);
        EXPECT_EQ(p.size, c.expectedSize) << c.what;
        EXPECT_EQ(p.position, c.expectedPosition) << c.what;
    }
}

// Windows moves the record from the primary monitor onto the window's own;
// wine takes it as it is. Either way the window lands on the same rectangle.
TEST(MaximizedPlacement, RecordCompensatesWhatThePlatformAdds) {
    using zrv::maxsize::Placement;
    using zrv::maxsize::recordFor;
    struct RecordCase {
        const char* what;
        zt::Monitor monitor;
        Placement wanted;
        bool platformAdjusts;
        Placement record;
    };
    static constexpr RecordCase cases[] = {
        {"wine: as it is", kRight, {{800, 600}, {1280, 0}}, false, {{800, 600}, {1280, 0}}},
        {"primary: nothing to move", kPrimary, {{800, 600}, {0, 0}}, true, {{800, 600}, {0, 0}}},
        {"second monitor: relative to its corner", kRight, {{800, 600}, {1300, 20}}, true,
         {{800, 600}, {20, 20}}},
        {"left monitor", kLeft, {{800, 600}, {-1024, 0}}, true, {{800, 600}, {0, 0}}},
        // Covering the whole primary monitor: Windows would grow it by the
        // difference of the monitors, here 1280 - 1024 and 1024 - 768 smaller.
        {"covers the primary", {{1280, 0, 2560, 1024}, {1280, 0, 2560, 1024}},
         {{1280, 1024}, {1280, 0}}, true, {{1280, 1024}, {0, 0}}},
        {"covers a smaller primary", {{1280, 0, 3200, 1200}, {1280, 0, 3200, 1200}},
         {{1920, 1200}, {1280, 0}}, true, {{1280, 1024}, {0, 0}}},
    };
    for (const RecordCase& c : cases) {
        const Placement r = recordFor(c.wanted, c.monitor, kPrimary.bounds, c.platformAdjusts);
        EXPECT_EQ(r.size, c.record.size) << c.what;
        EXPECT_EQ(r.position, c.record.position) << c.what;
    }
}

} // namespace
