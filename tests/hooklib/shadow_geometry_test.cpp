#include "hooklib/shadow_geometry.h"

#include "tests/hooklib/shadow_reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace zrv::shadow;

struct PlacementCase {
    Rect owner;
    std::int32_t extent;
    bool region;
    Rect right, bottom;
};

// Outer rectangle (100, 50)-(400, 250): 300 by 200.
constexpr PlacementCase kPlacements[] = {
    {{100, 50, 400, 250}, 8, false, {390, 58, 408, 250}, {108, 240, 408, 258}},
    {{100, 50, 400, 250}, 8, true, {390, 58, 408, 240}, {108, 240, 408, 258}},
    {{100, 50, 400, 250}, 2, false, {390, 52, 402, 250}, {102, 240, 402, 252}},
    {{100, 50, 400, 250}, 25, false, {390, 75, 425, 250}, {125, 240, 425, 275}},
    {{100, 50, 400, 250}, 25, true, {390, 75, 425, 240}, {125, 240, 425, 275}},
    {{-50, -20, 10, 30}, 8, false, {0, -12, 18, 30}, {-42, 20, 18, 38}},
    // Shorter than the shadow's offset: no negative height, an empty rectangle.
    {{0, 0, 5, 5}, 25, true, {-5, 25, 30, 25}, {25, -5, 30, 30}},
};

TEST(ShadowPlacement, FollowsTheOwnersEdges) {
    for (const auto& c : kPlacements) {
        ShadowParams p{c.extent, c.extent};
        SCOPED_TRACE(testing::Message() << "extent " << c.extent << " region " << c.region
                                        << " owner left " << c.owner.left);
        EXPECT_EQ(placement(Side::Right, c.owner, p, c.region), c.right);
        EXPECT_EQ(placement(Side::Bottom, c.owner, p, c.region), c.bottom);
    }
}

TEST(ShadowPlacement, CreationRectangles) {
    const Rect owner{100, 50, 400, 250};
    const ShadowParams p{8, 8};
    EXPECT_EQ(creationRect(Side::Right, owner, p), (Rect{390, 58, 408, 250}));
    EXPECT_EQ(creationRect(Side::Bottom, owner, p), (Rect{108, 240, 400, 258}));
}

// A tiny deterministic generator for the region tests.
struct Lcg {
    std::uint32_t s;
    int next(int n) {
        s = s * 1664525u + 1013904223u;
        return static_cast<int>((s >> 8) % static_cast<std::uint32_t>(n));
    }
};

std::vector<Rect> randomRects(Lcg& g, int count) {
    std::vector<Rect> out;
    for (int i = 0; i < count; ++i) {
        const int l = g.next(40) - 5, t = g.next(40) - 5;
        out.push_back({l, t, l + g.next(20), t + g.next(20)});
    }
    return out;
}

std::vector<Rect> rectsOf(const Region& r) {
    const auto rs = r.rects();
    return {rs.begin(), rs.end()};
}

bool inAny(const std::vector<Rect>& rs, int x, int y) {
    for (const Rect& r : rs)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

TEST(ShadowRegion, SetOperationsMatchPixelByPixel) {
    Lcg g{7};
    for (int round = 0; round < 40; ++round) {
        const auto a = randomRects(g, 1 + g.next(6));
        const auto b = randomRects(g, g.next(6));
        const Region ra = Region::fromRects(a), rb = Region::fromRects(b);
        const Region diff = ra.minus(rb);
        const zt::shadowref::RectList la(&ra), ld(&diff);
        for (int y = -8; y < 60; ++y)
            for (int x = -8; x < 60; ++x) {
                ASSERT_EQ(la.contains(x, y), inAny(a, x, y)) << round << " " << x << "," << y;
                ASSERT_EQ(ld.contains(x, y), inAny(a, x, y) && !inAny(b, x, y))
                    << round << " " << x << "," << y;
            }
        // One canonical form: the same pixels built another way compare equal.
        EXPECT_TRUE(diff.ok());
        EXPECT_EQ(Region::fromRects(diff.rects()), diff);
        std::vector<Rect> reversed(a.rbegin(), a.rend());
        EXPECT_EQ(Region::fromRects(reversed), ra);
        // Rectangles of one band neither overlap nor touch.
        for (const auto& band : diff.bands()) {
            const auto spans = diff.spans(band);
            for (std::size_t i = 1; i < spans.size(); ++i)
                EXPECT_LT(spans[i - 1].right, spans[i].left);
        }
    }
}

TEST(ShadowShape, WithoutRegionTwoStripsOfTheExtent) {
    const Rect owner{100, 50, 400, 250};
    EXPECT_EQ(rectsOf(shape(Side::Right, owner, {8, 8}, nullptr)),
              (std::vector<Rect>{{10, 0, 18, 200}}));
    EXPECT_EQ(rectsOf(shape(Side::Bottom, owner, {25, 25}, nullptr)),
              (std::vector<Rect>{{0, 10, 300, 35}}));
}

// With a region: the owner's outline moved by the shadow, minus the owner,
// both seen from the shadow window's corner. Checked pixel by pixel.
TEST(ShadowShape, WithRegionIsTheDisplacedOutlineMinusTheOwner) {
    struct Case {
        const char* name;
        Region g;
    };
    const Case cases[] = {
        {"rectangle", Region::fromRect({0, 0, 120, 90})},
        {"rounded", zt::shadowref::roundedRect(120, 90, 15)},
        {"ellipse", zt::shadowref::ellipse(120, 90)},
    };
    const Rect owner{30, 40, 150, 130};
    for (const Case& c : cases)
        for (int extent : {2, 8, 25})
            for (Side side : {Side::Right, Side::Bottom}) {
                SCOPED_TRACE(testing::Message() << c.name << " extent " << extent);
                const ShadowParams p{extent, extent};
                const Rect place = placement(side, owner, p, true);
                const Region s = shape(side, owner, p, &c.g);
                const zt::shadowref::RectList in(&s), g(&c.g);
                for (int y = -20; y < place.height() + 20; ++y)
                    for (int x = -20; x < place.width() + 20; ++x) {
                        // Screen point, then owner-local without and with the shadow's shift.
                        const int sx = place.left + x, sy = place.top + y;
                        const bool under = g.contains(sx - owner.left, sy - owner.top);
                        const bool moved = g.contains(sx - owner.left - extent,
                                                      sy - owner.top - extent);
                        ASSERT_EQ(in.contains(x, y), moved && !under) << x << "," << y;
                    }
            }
}

TEST(ShadowShow, HideAndShowFlags) {
    struct Case {
        bool visible;
        std::uint32_t flags;
        bool hidden;
    };
    constexpr Case cases[] = {
        {true, 0, false},
        {false, 0, true},
        {true, kSwpHideWindow, true},
        {false, kSwpShowWindow, false},
        {true, kSwpHideWindow | kSwpShowWindow, false},
        {false, 0x1 | 0x2, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shadowsHidden(c.visible, c.flags), c.hidden) << c.visible << " " << c.flags;
}

TEST(ShadowOpacity, FollowsTheFadeFactor) {
    struct Case {
        std::int32_t a;
        bool has;
        std::uint32_t alp;
        int expected;
    };
    constexpr Case cases[] = {
        {128, true, 255, 128}, {128, true, 1, 0},   {128, false, 0, 128},
        {128, true, 0, 128},   {200, true, 128, 100}, {255, true, 255, 255},
        {384, true, 255, 128}, // only the low 8 bits of the setting count
        {-1, false, 0, 255},   {128, true, 100000, 128}, // a factor beyond 255 is full
    };
    for (const auto& c : cases)
        EXPECT_EQ(realShadowOpacity(c.a, c.has, c.alp), c.expected) << c.a << " " << c.alp;
    EXPECT_EQ(opaqueShadowOpacity(1), 1);
    EXPECT_EQ(opaqueShadowOpacity(254), 254);
    EXPECT_EQ(opaqueShadowOpacity(255), 255);
    EXPECT_EQ(opaqueShadowOpacity(7000), 255);
}

TEST(ShadowOpacity, StartsFadedWhenTheOwnerWillFade) {
    struct Case {
        FadeInputs in;
        bool faded;
    };
    const Case cases[] = {
        {{true, 0, 0, 1, 1000, 1000, 0}, true},
        {{true, 0, 0, 0, 100, 100, 0}, false},
        {{false, 0, 0, 0, 100, 100, 0}, true}, // nothing fades, nothing to follow: yes all the same
        {{true, 1, 0, 1, 299, 301, 0}, true},
        {{true, 1, 0, 1, 300, 300, 0}, false},
        {{true, 0, 1, 1, 100, 100, 0x80}, true},
        {{true, 0, 1, 1, 100, 100, 0x40}, false},
        {{true, 1, 1, 1, 300, 300, 0x80}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shadowStartsFaded(c.in), c.faded)
            << c.in.smallOnly << c.in.nonSize << c.in.semiTrans << " " << c.in.width << "x"
            << c.in.height;
}

} // namespace
