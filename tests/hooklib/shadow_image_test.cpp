#include "hooklib/shadow_image.h"

#include "tests/hooklib/shadow_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace zrv::shadow;
namespace ref = zt::shadowref;

TEST(ShadowLevels, WorkedValues) {
    struct Case {
        int white, alpha, grey;
    };
    constexpr Case cases[] = {
        {0, 200, 0}, {1, 186, 7}, {8, 98, 51}, {13, 34, 83}, {14, 20, 90}, {15, 8, 90},
        {16, 0, 90}, {36, 0, 90},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gradedAlpha(c.white), c.alpha) << c.white;
        EXPECT_EQ(greyLevel(c.white), c.grey) << c.white;
    }
}

enum class Outline { None, Rectangle, Rounded, Ellipse };

const char* name(Outline o) {
    switch (o) {
    case Outline::None: return "none";
    case Outline::Rectangle: return "rectangle";
    case Outline::Rounded: return "rounded";
    case Outline::Ellipse: return "ellipse";
    }
    return "?";
}

Region outline(Outline o, std::int32_t w, std::int32_t h) {
    switch (o) {
    case Outline::Rectangle: return Region::fromRect({0, 0, w, h});
    case Outline::Rounded: return ref::roundedRect(w, h, std::min(20, std::min(w, h) / 3));
    case Outline::Ellipse: return ref::ellipse(w, h);
    default: return {};
    }
}

// The shipped rendering against the literal one over sizes, extents, outlines,
// both shadows and all three shades.
TEST(ShadowImage, BitIdenticalToTheLiteralRendering) {
    struct Size {
        int w, h;
    };
    constexpr Size sizes[] = {{400, 300}, {37, 301}, {160, 24}, {21, 21}, {12, 300}, {3, 3}};
    int compared = 0;
    for (const Size sz : sizes)
        for (int extent : {2, 8, 25})
            for (Outline o : {Outline::None, Outline::Rectangle, Outline::Rounded, Outline::Ellipse})
                for (Side side : {Side::Right, Side::Bottom}) {
                    const Rect owner{50, 60, 50 + sz.w, 60 + sz.h};
                    const ShadowParams p{extent, extent};
                    const Region g = outline(o, sz.w, sz.h);
                    const Region* ownerRegion = o == Outline::None ? nullptr : &g;
                    const Rect place = placement(side, owner, p, ownerRegion != nullptr);
                    const Region s = shape(side, owner, p, ownerRegion);
                    for (Shade shade : {Shade::GradedAlpha, Shade::GradedGrey, Shade::Uniform}) {
                        SCOPED_TRACE(testing::Message()
                                     << sz.w << "x" << sz.h << " extent " << extent << " "
                                     << name(o) << (side == Side::Right ? " right" : " bottom")
                                     << " shade " << int(shade));
                        const int w = place.width(), h = place.height();
                        const auto want = ref::render(side, shade, w, h, &s);
                        std::vector<std::uint32_t> got(want.size(), 0xDEADBEEFu);
                        ASSERT_TRUE(renderShadow(side, shade, w, h, &s, got.data()));
                        ASSERT_EQ(got, want);
                        // Into a wider bitmap: the same rows, and its spare
                        // columns untouched.
                        const int stride = w + 5;
                        std::vector<std::uint32_t> wide(std::size_t(stride) * h, 0xDEADBEEFu);
                        ASSERT_TRUE(renderShadow(side, shade, w, h, &s, wide.data(), stride));
                        for (int y = 0; y < h; ++y) {
                            const auto* r = wide.data() + std::size_t(y) * stride;
                            ASSERT_TRUE(std::equal(r, r + w, want.begin() + std::size_t(y) * w))
                                << "row " << y;
                            ASSERT_EQ(std::count(r + w, r + stride, 0xDEADBEEFu), 5)
                                << "row " << y;
                        }
                        ++compared;
                    }
                }
    EXPECT_EQ(compared, 6 * 3 * 4 * 2 * 3);
}

// Before its shape is set a shadow has no region: nothing is inside, so the
// picture is fully transparent (alpha) or black (grey).
TEST(ShadowImage, NoRegionMeansNothingInside) {
    for (Side side : {Side::Right, Side::Bottom})
        for (Shade shade : {Shade::GradedAlpha, Shade::GradedGrey, Shade::Uniform}) {
            std::vector<std::uint32_t> px(18 * 300, 1u);
            ASSERT_TRUE(renderShadow(side, shade, 18, 300, nullptr, px.data()));
            EXPECT_EQ(px, ref::render(side, shade, 18, 300, nullptr));
            EXPECT_EQ(px, std::vector<std::uint32_t>(px.size(), 0u));
            // A bitmap wider than the picture keeps its spare columns.
            std::vector<std::uint32_t> wide(20 * 300, 1u);
            ASSERT_TRUE(renderShadow(side, shade, 18, 300, nullptr, wide.data(), 20));
            EXPECT_EQ(std::count(wide.begin(), wide.end(), 1u), 2 * 300);
        }
}

// A graded shadow is at its darkest wherever all samples fall under the owner
// or inside the shadow, and fades out over its last rows.
TEST(ShadowImage, GradedAlphaFallsOffOutwards) {
    const Rect owner{0, 0, 400, 300};
    const ShadowParams p{25, 25};
    const Rect place = placement(Side::Bottom, owner, p, false);
    const Region s = shape(Side::Bottom, owner, p, nullptr);
    std::vector<std::uint32_t> px(static_cast<std::size_t>(place.width()) * place.height());
    ASSERT_TRUE(renderShadow(Side::Bottom, Shade::GradedAlpha, place.width(), place.height(), &s,
                             px.data()));
    const int x = 200;
    auto alphaAt = [&](int y) { return int(px[std::size_t(y) * place.width() + x] >> 24); };
    EXPECT_EQ(alphaAt(5), 0); // under the owner: outside the shape
    EXPECT_EQ(alphaAt(10), 200);
    for (int y = 11; y < place.height(); ++y)
        EXPECT_LE(alphaAt(y), alphaAt(y - 1)) << y;
    EXPECT_EQ(alphaAt(place.height() - 1), 46); // 12 of the 36 samples beyond the edge
    for (std::uint32_t v : px)
        EXPECT_EQ(v & 0xFFFFFFu, 0u) << "shadow pixels are black";
}

TEST(ShadowImage, DegenerateSizes) {
    const Region s = Region::fromRect({0, 0, 10, 10});
    std::uint32_t px[4] = {1, 2, 3, 4};
    for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {10, -5}})
        EXPECT_TRUE(renderShadow(Side::Right, Shade::GradedAlpha, w, h, &s, px));
    EXPECT_EQ(px[0], 1u);
    // Too large to draw: refused, pixels untouched.
    EXPECT_FALSE(renderShadow(Side::Right, Shade::GradedAlpha, 1 << 14, 1 << 14, &s, px));
    EXPECT_EQ(px[0], 1u);
    EXPECT_FALSE(renderShadow(Side::Right, Shade::GradedAlpha, 2, 2, &s, nullptr));
    // Rows closer together than the picture is wide would overlap.
    EXPECT_FALSE(renderShadow(Side::Right, Shade::GradedAlpha, 4, 2, &s, px, 3));
}

} // namespace
