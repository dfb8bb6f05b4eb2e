#include "bar/connection.h"
#include "bar/geometry.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(Twips, FifteenAPixelAtNinetySixDpi) {
    EXPECT_EQ(twipsPerPixel(96), 15.0);
    EXPECT_EQ(twipsPerPixel(120), 12.0);
    EXPECT_EQ(twipsToPixels(15000, 96), 1000);
    EXPECT_EQ(twipsToPixels(-45, 96), -3);
    EXPECT_EQ(twipsToPixels(200000, 96), 13333);
    EXPECT_EQ(pixelsToTwips(40, 96), 600.0);
}

struct SnapCase {
    SnapRect in;
    float margin;
    float left, top;
};

TEST(EdgeSnap, PullsToTheEdgesInOrder) {
    const float W = 19200, H = 15360; // 1280 x 1024 pixels
    static constexpr SnapCase cases[] = {
        {{60, 3000, 15000, 600}, 75, 0, 3000},       // 60 twips from the left: snaps
        {{80, 3000, 15000, 600}, 75, 80, 3000},      // 80 twips: stays
        {{75, 75, 15000, 600}, 75, 75, 75},          // exactly the margin stays
        {{5000, 3000, 15000, 600}, 75, 4200, 3000},  // past the right edge: pulled back
        {{4100, 3000, 15000, 600}, 75, 4100, 3000},  // 100 twips short of the edge: kept
        {{4100, 14700, 15000, 600}, 75, 4100, 14760},
        {{-500, -500, 15000, 600}, 75, 0, 0},
        {{100, 100, 20000, 600}, 75, -800, 100},     // wider than the screen
        {{2000, 300, 3000, 2000}, 375, 2000, 0},     // dialog: 300 from the top snaps
        {{2000, 400, 3000, 2000}, 375, 2000, 400},   // 400 stays
    };
    for (const auto& c : cases) {
        SnapRect r = edgeSnap(c.in, W, H, c.margin);
        EXPECT_EQ(r.left, c.left) << c.in.left << "," << c.in.top;
        EXPECT_EQ(r.top, c.top) << c.in.left << "," << c.in.top;
        EXPECT_EQ(r.width, c.in.width);
    }
}

TEST(EdgeSnap, ComparesSumsInSinglePrecision) {
    // 16777216 + 1 is not representable in single precision: the sum rounds
    // down to the limit and does not count as beyond it.
    SnapRect r = edgeSnap({16777216.f, 100, 1, 10}, 16777291.f, 1e6f, 75);
    EXPECT_EQ(r.left, 16777216.f);
}

TEST(Connection, NamesCompareWithoutSurroundingBlanks) {
    EXPECT_TRUE(sameConnectionName("  Office ", "Office"));
    EXPECT_TRUE(sameConnectionName("", "   "));
    EXPECT_FALSE(sameConnectionName("Office 2", "Office"));
    EXPECT_FALSE(sameConnectionName("office", "Office"));
}

TEST(Connection, LoopbackAndZeroAreNoNetworkAddress) {
    EXPECT_FALSE(isNetworkAddress(0));
    EXPECT_FALSE(isNetworkAddress(0x7F000001));
    EXPECT_FALSE(isNetworkAddress(0x7F123456));
    EXPECT_TRUE(isNetworkAddress(0xC0A80102));
    EXPECT_TRUE(isNetworkAddress(0x0A000001));
}

} // namespace
} // namespace tessel
