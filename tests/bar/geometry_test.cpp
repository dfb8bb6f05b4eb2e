#include "bar/connection.h"
#include "bar/geometry.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

struct SnapCase {
    TwipRect in;
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
        TwipRect r = edgeSnap(c.in, W, H, c.margin);
        EXPECT_EQ(r.left, c.left) << c.in.left << "," << c.in.top;
        EXPECT_EQ(r.top, c.top) << c.in.left << "," << c.in.top;
        EXPECT_EQ(r.width, c.in.width);
    }
}

TEST(EdgeSnap, ComparesSumsInSinglePrecision) {
    // 16777216 + 1 is not representable in single precision: the sum rounds
    // down to the limit and does not count as beyond it.
    TwipRect r = edgeSnap({16777216.f, 100, 1, 10}, 16777291.f, 1e6f, 75);
    EXPECT_EQ(r.left, 16777216.f);
}

// The bar snaps to the monitor it was dropped on: the second one at x 1280
// pixels, or one left of the primary with negative twips.
TEST(EdgeSnap, OnTheMonitorItWasDroppedOn) {
    struct MonitorSnapCase {
        const char* what;
        TwipRect monitor, in;
        float left, top;
    };
    static constexpr MonitorSnapCase cases[] = {
        {"primary as on one screen", {0, 0, 19200, 15360}, {60, 3000, 15000, 600}, 0, 3000},
        {"near the second monitor's left edge", {19200, 0, 15360, 11520}, {19260, 3000, 6000, 600},
         19200, 3000},
        {"past its right edge", {19200, 0, 15360, 11520}, {30000, 3000, 6000, 600}, 28560, 3000},
        {"near its bottom, which the primary's is not", {19200, 0, 15360, 11520},
         {20000, 10900, 6000, 600}, 20000, 10920},
        {"in its middle: stays", {19200, 0, 15360, 11520}, {21000, 5000, 6000, 600}, 21000, 5000},
        {"left monitor, near its left edge", {-15360, 0, 15360, 11520}, {-15300, 200, 6000, 600},
         -15360, 200},
        {"left monitor, near its right edge", {-15360, 0, 15360, 11520}, {-6050, 200, 6000, 600},
         -6000, 200},
    };
    for (const auto& c : cases) {
        const TwipRect r = edgeSnapOn(c.in, c.monitor, kBarSnapMargin);
        EXPECT_EQ(r.left, c.left) << c.what;
        EXPECT_EQ(r.top, c.top) << c.what;
    }
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
