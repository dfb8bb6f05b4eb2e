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

} // namespace
