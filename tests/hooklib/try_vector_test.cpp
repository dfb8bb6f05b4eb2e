// Running out of memory in the shadow shapes: every growth that fails leaves
// a region that says so, never a wrong one, never a crash.
#include "hooklib/shadow_geometry.h"
#include "hooklib/shadow_image.h"
#include "hooklib/try_vector.h"
#include "tests/hooklib/shadow_reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using zrv::TryVector;
using zrv::shadow::Rect;
using zrv::shadow::Region;
using zrv::shadow::ShadowParams;
using zrv::shadow::Side;

// Limits the growths of this thread for one scope.
struct GrowthLimit {
    explicit GrowthLimit(long n) { zrv::t_growthsAllowed = n; }
    ~GrowthLimit() { zrv::t_growthsAllowed = -1; }
};

TEST(TryVector, GrowsCopiesAndMoves) {
    TryVector<int> v;
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(v.push_back(i));
    TryVector<int> copy = v;
    TryVector<int> moved = std::move(copy);
    ASSERT_EQ(moved.size(), 1000u);
    EXPECT_EQ(moved[999], 999);
    EXPECT_TRUE(copy.empty());
    moved.truncate(10);
    EXPECT_EQ(moved.size(), 10u);
    EXPECT_FALSE(moved.failed());
}

TEST(TryVector, FailedGrowthIsReportedAndRemembered) {
    struct Case {
        const char* name;
        long allowed;
        std::size_t pushes;
        std::size_t kept;
    };
    // The first growth makes room for 8, the second for 16.
    const Case cases[] = {
        {"no memory at all", 0, 1, 0},
        {"room for eight", 1, 9, 8},
        {"room for sixteen", 2, 17, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GrowthLimit limit(c.allowed);
        TryVector<int> v;
        for (std::size_t i = 0; i < c.pushes; ++i)
            v.push_back(static_cast<int>(i));
        EXPECT_TRUE(v.failed());
        EXPECT_EQ(v.size(), c.kept);
        TryVector<int> copy = v;
        EXPECT_TRUE(copy.failed()) << "a copy of a short array is short too";
    }
}

TEST(TryVector, SizeThatCannotBeAddressedFails) {
    TryVector<std::uint32_t> v;
    EXPECT_FALSE(v.reserve(static_cast<std::size_t>(-1) / 2));
    EXPECT_TRUE(v.failed());
}

// Every point at which memory could run out while a shaped window's shadow
// is worked out: the result is either the full shape or marked as failed,
// and a failed shape is never drawn.
TEST(RegionOutOfMemory, EveryFailurePointGivesFullResultOrFailure) {
    const Region outline = zt::shadowref::roundedRect(300, 200, 20);
    const Rect owner{100, 100, 400, 300};
    const ShadowParams p{8, 8};
    for (Side side : {Side::Right, Side::Bottom}) {
        const Region full = zrv::shadow::shape(side, owner, p, &outline);
        ASSERT_TRUE(full.ok());
        int failures = 0;
        for (long allowed = 0; allowed < 60; ++allowed) {
            SCOPED_TRACE(allowed);
            GrowthLimit limit(allowed);
            const Region got = zrv::shadow::shape(side, owner, p, &outline);
            if (got.ok()) {
                EXPECT_EQ(got, full);
                continue;
            }
            ++failures;
            std::vector<std::uint32_t> pixels(40 * 40, 0xDEADBEEFu);
            EXPECT_FALSE(zrv::shadow::renderShadow(side, zrv::shadow::Shade::GradedAlpha, 40,
                                                   40, &got, pixels.data()));
            EXPECT_EQ(pixels[0], 0xDEADBEEFu) << "pixels untouched";
            EXPECT_TRUE(got.rects().failed() || got.rects().empty() || !got.ok());
        }
        EXPECT_GT(failures, 0) << "the limit never bit: the test tests nothing";
    }
}

TEST(RegionOutOfMemory, FailureSpreadsThroughEveryOperation) {
    Region failed;
    {
        GrowthLimit limit(1);
        failed = zt::shadowref::ellipse(100, 80);
    }
    ASSERT_FALSE(failed.ok());
    const Region other = Region::fromRect({0, 0, 10, 10});
    EXPECT_FALSE(failed.offset(3, 4).ok());
    EXPECT_FALSE(failed.minus(other).ok());
    EXPECT_FALSE(other.minus(failed).ok());
    const Region copy = failed;
    EXPECT_FALSE(copy.ok());
}

} // namespace
