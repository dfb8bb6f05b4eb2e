#include "common/monitor_layout.h"

#include <gtest/gtest.h>

namespace {

using zt::Rect;

constexpr Rect kPrimaryWork{0, 0, 1280, 1024};
constexpr Rect kRightWork{1280, 0, 2304, 738};
constexpr Rect kLeftWork{-1024, 0, 0, 738};

TEST(MonitorLayout, KeepInsideMovesNeverResizes) {
    struct Case {
        const char* what;
        Rect window, area, expected;
    };
    static constexpr Case cases[] = {
        {"inside stays", {100, 100, 400, 300}, kPrimaryWork, {100, 100, 400, 300}},
        {"over the right edge", {1200, 100, 1500, 300}, kPrimaryWork, {980, 100, 1280, 300}},
        {"over the bottom of a shorter monitor",
         {1300, 600, 1600, 800},
         kRightWork,
         {1300, 538, 1600, 738}},
        {"left of a monitor left of the primary",
         {-1100, -20, -800, 180},
         kLeftWork,
         {-1024, 0, -724, 200}},
        {"onto the primary from the right monitor's side",
         {1250, 10, 1350, 60},
         kRightWork,
         {1280, 10, 1380, 60}},
        {"larger than the area: its corner on the area's",
         {1000, -50, 2400, 900},
         kRightWork,
         {1280, 0, 2680, 950}},
        {"far off in 32 bits",
         {2000000000, 0, 2000000100, 100},
         kPrimaryWork,
         {1180, 0, 1280, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zt::keepInside(c.window, c.area), c.expected) << c.what;
}

TEST(MonitorLayout, CentredInAWorkArea) {
    struct Case {
        const char* what;
        int width, height;
        Rect area, expected;
    };
    static constexpr Case cases[] = {
        {"primary", 400, 300, kPrimaryWork, {440, 362, 840, 662}},
        {"second monitor", 400, 300, kRightWork, {1592, 219, 1992, 519}},
        {"monitor on the left", 401, 301, kLeftWork, {-713, 218, -312, 519}},
        {"taller than the area", 400, 900, kRightWork, {1592, 0, 1992, 900}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zt::centredIn(c.width, c.height, c.area), c.expected) << c.what;
}

} // namespace
