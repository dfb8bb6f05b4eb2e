#include "bar/task_layout.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(TaskWindow, NeedsVisibleAndBorder) {
    EXPECT_TRUE(TaskWindow(0x10C00000));  // visible, captioned
    EXPECT_TRUE(TaskWindow(0x10800000));
    EXPECT_FALSE(TaskWindow(0x00C00000)); // hidden
    EXPECT_FALSE(TaskWindow(0x90000000)); // visible popup without a border
    EXPECT_FALSE(TaskWindow(0x10400000)); // dialog frame only
}

TEST(TaskLayout, ThreeStacked) {
    auto p = layoutTaskButtons(3, {100, 300, 2000, 900}, false);
    ASSERT_EQ(p.size(), 3u);
    const double tops[] = {300, 600, 900};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(p[i].top, tops[i]);
        EXPECT_DOUBLE_EQ(p[i].height, 300);
        EXPECT_DOUBLE_EQ(p[i].left, 100);
        EXPECT_DOUBLE_EQ(p[i].width, 2000);
    }
}

TEST(TaskLayout, SideBySide) {
    auto p = layoutTaskButtons(4, {1000, 60, 2000, 480}, true);
    ASSERT_EQ(p.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(p[i].left, 1000 + 500 * i);
        EXPECT_DOUBLE_EQ(p[i].width, 500);
        EXPECT_DOUBLE_EQ(p[i].top, 60);
        EXPECT_DOUBLE_EQ(p[i].height, 480);
    }
}

TEST(TaskLayout, NoneAndTooMany) {
    EXPECT_TRUE(layoutTaskButtons(0, {0, 0, 100, 100}, true).empty());
    auto p = layoutTaskButtons(40, {0, 0, 2500, 100}, true);
    ASSERT_EQ(p.size(), 25u); // the first 25 share the whole area
    EXPECT_DOUBLE_EQ(p[24].left + p[24].width, 2500);
}

} // namespace
} // namespace tessel
