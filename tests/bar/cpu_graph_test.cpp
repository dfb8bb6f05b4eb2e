#include "bar/cpu_graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace tessel {
namespace {

TEST(CpuGraph, TraceHeights) {
    static constexpr std::pair<int, int> cases[] = {
        {0, 32}, {100, 0}, {50, 16}, {33, 21}, {2, 31}, {1, 32} /* 31.68 */,
        {3, 31} /* 31.04 */, {5, 30} /* 30.4 */, {25, 24}, {150, -16},
    };
    for (const auto& [load, y] : cases)
        EXPECT_EQ(traceY(load), y) << load;
}

TEST(CpuGraph, TiesRoundToEven) {
    // 32 - u / 3.125 lands on .5 for no whole u; check the rounding rule on a
    // slow literal reference over the whole range instead.
    for (int u = -200; u <= 300; ++u) {
        double exact = 32.0 - u / 3.125;
        double fl = std::floor(exact);
        double ref = exact - fl < 0.5 ? fl : exact - fl > 0.5 ? fl + 1 : (std::fmod(fl, 2) == 0 ? fl : fl + 1);
        EXPECT_EQ(traceY(u), static_cast<int>(ref)) << u;
    }
}

TEST(CpuGraph, GridEveryThirtyTicks) {
    EXPECT_TRUE(gridLineDue(0));
    EXPECT_FALSE(gridLineDue(1));
    EXPECT_TRUE(gridLineDue(30));
    EXPECT_TRUE(gridLineDue(60));
    EXPECT_FALSE(gridLineDue(59));
    EXPECT_EQ(initialGridColumns(0), (std::vector<int>{30, 60}));
    EXPECT_EQ(initialGridColumns(10), (std::vector<int>{20, 50}));
    EXPECT_EQ(initialGridColumns(29), (std::vector<int>{1, 31}));
}

TEST(CpuGraph, LoadFromTimes) {
    struct Case {
        uint64_t i0, k0, u0, i1, k1, u1;
        int load;
    };
    static constexpr Case cases[] = {
        {0, 0, 0, 100, 100, 0, 0},         // all idle
        {0, 0, 0, 50, 100, 0, 50},
        {0, 0, 0, 0, 60, 40, 100},
        {10, 20, 30, 10, 20, 30, 0},       // nothing elapsed
        {100, 100, 100, 50, 200, 200, 0},  // counters going back: no reading
        {0, 0, 0, 1, 2, 1, 67},
    };
    for (const auto& c : cases)
        EXPECT_EQ(loadFromTimes(c.i0, c.k0, c.u0, c.i1, c.k1, c.u1), c.load);
}

} // namespace
} // namespace tessel
