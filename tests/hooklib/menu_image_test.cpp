// The menu shadow ramp and the menu mix, against their worked numbers and a
// literal per-channel oracle.
#include "hooklib/menu_image.h"

#include "tests/hooklib/menu_reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace menu = zrv::menu;

namespace {

std::uint32_t grey(int g) {
    const auto v = static_cast<std::uint32_t>(g);
    return v | (v << 8) | (v << 16);
}

TEST(MenuShadowGrey, RunsGrowAndWrapModulo256) {
    struct Case {
        int size;
        std::vector<int> greys;
    };
    const Case cases[] = {
        {1, {50}},
        {2, {50, 130}},
        {3, {50, 103, 156}},
        {5, {50, 82, 114, 152, 198}},
        // 7 * 34 + 50 = 288 wraps to 32.
        {10, {50, 66, 82, 104, 134, 175, 224, 32, 106, 199}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        for (int k = 0; k < c.size; ++k)
            EXPECT_EQ(menu::shadowGrey(c.size, k), c.greys[static_cast<std::size_t>(k)]) << k;
    }
}

constexpr std::uint32_t kUntouched = 0x12345678;

struct PixelCase {
    int x, y;
    int grey; // -1: untouched
};

void expectPixels(int w, int h, int size, std::initializer_list<PixelCase> cases) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h), kUntouched);
    menu::DrawMenuShadowRamp(px.data(), w, h, size);
    for (const PixelCase& c : cases) {
        const std::uint32_t want = c.grey < 0 ? kUntouched : grey(c.grey);
        EXPECT_EQ(px[static_cast<std::size_t>(c.y * w + c.x)], want)
            << "size " << size << " at " << c.x << "," << c.y;
    }
}

TEST(DrawMenuShadowRamp, StripsAndCornersOfWidthFive) {
    // 20 by 16, L = 5: x0 = 15, y0 = 11; corners run 210, 178, 146, 118, 87.
    expectPixels(20, 16, 5,
                 {
                     {0, 0, -1},   {14, 10, -1},  {15, 4, -1},   {4, 11, -1},  // outside the strips
                     {16, 11, 82}, {19, 15, 198}, {16, 9, 82},   {19, 6, 198}, // right strip
                     {10, 11, 50}, {14, 15, 198}, {18, 15, 198}, {9, 12, 82},  // bottom strip
                     {5, 11, 210}, {5, 15, 210},  {6, 14, 178},  {6, 15, 198}, {9, 11, 87},
                     {15, 5, 210}, {19, 5, 210},  {18, 6, 178},  {15, 9, 87}, // top-right corner
                 });
}

TEST(DrawMenuShadowRamp, WidthOneIsAOnePixelStripOfGrey50) {
    // 10 by 8, L = 1: the column x = 9 from y = 1, the row y = 7 from x = 1;
    // each corner run paints its single end pixel at 160 + 50.
    expectPixels(10, 8, 1,
                 {{9, 0, -1},
                  {9, 2, 50},
                  {9, 6, 50},
                  {9, 7, 50},
                  {0, 7, -1},
                  {2, 7, 50},
                  {8, 7, 50},
                  {8, 6, -1},
                  {1, 7, 210},
                  {9, 1, 210}});
}

TEST(DrawMenuShadowRamp, NothingForBadSizesAndClippedWhenLargerThanThePicture) {
    for (int size : {0, -3, 1 << 20}) {
        std::vector<std::uint32_t> px(64, kUntouched);
        menu::DrawMenuShadowRamp(px.data(), 8, 8, size);
        EXPECT_EQ(px, std::vector<std::uint32_t>(64, kUntouched)) << size;
    }
    // Strips wider than the picture stay inside it.
    std::vector<std::uint32_t> guarded(3 * 4 + 2, kUntouched);
    menu::DrawMenuShadowRamp(guarded.data() + 1, 3, 4, 12);
    EXPECT_EQ(guarded.front(), kUntouched);
    EXPECT_EQ(guarded.back(), kUntouched);
    menu::DrawMenuShadowRamp(nullptr, 3, 4, 2);
}

TEST(BlendMenuImage, WorkedPixels) {
    struct Case {
        const char* what;
        std::uint32_t menu, photo;
        int mode, t;
        std::uint32_t want;
    };
    const Case cases[] = {
        {"magenta leaves the menu as it is", 0x00112233, 0x00FF00FF, 0, 35, 0x00112233},
        {"magenta whatever its top byte", 0x00112233, 0xAAFF00FF, 0, 35, 0x00112233},
        {"opaque menu", 0x00C86432, 0x00000000, 0, 0, 0x00C86432},
        // 200 + floor(35 * -200 / 256) = 200 - 28; truncation would give 173.
        {"floor below zero", 0x00C8C8C8, 0x00000000, 0, 35, 0x00ACACAC},
        {"towards white", 0x00000000, 0x00FFFFFF, 0, 35, 0x00222222},
        {"all background", 0x000A0A0A, 0x00FAFAFA, 0, 255, 0x00F9F9F9},
        {"channels apart", 0x00FF0000, 0x000000FF, 0, 128, 0x007F007F},
        {"top byte kept", 0x7F000000, 0x00FFFFFF, 0, 255, 0x7FFEFEFE},
        // m = floor(198 * 100 / 256) = 77, then 77 + floor(35 * 23 / 256) = 80.
        {"shadow darkens the background", 0x00C6C6C6, 0x00646464, 20, 35, 0x00505050},
    };
    for (const Case& c : cases) {
        std::uint32_t d = c.menu;
        ASSERT_TRUE(menu::BlendMenuImage(&d, &c.photo, 1, 1, c.mode, c.t, 1)) << c.what;
        EXPECT_EQ(d, c.want) << c.what;
    }
}

TEST(BlendMenuImage, ShadowModeDarkensOnlyTheRightColumnsAndBottomRows) {
    const int w = 7, h = 5, size = 2;
    std::vector<std::uint32_t> d(w * h, grey(200));
    const std::vector<std::uint32_t> p(w * h, grey(128));
    ASSERT_TRUE(menu::BlendMenuImage(d.data(), p.data(), w, h, menu::kBlendShadowed, 0, size));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool shade = x >= w - size || y >= h - size;
            EXPECT_EQ(d[static_cast<std::size_t>(y * w + x)], grey(shade ? 100 : 200))
                << x << "," << y;
        }
}

TEST(BlendMenuImage, MatchesTheLiteralMixOnRandomPictures) {
    std::mt19937 rng(1234);
    struct Size {
        int w, h;
    };
    const Size sizes[] = {{1, 1}, {3, 2}, {5, 7}, {8, 8}, {33, 17}, {130, 41}};
    for (const Size s : sizes)
        for (int mode : {menu::kBlendPlain, menu::kBlendShadowed})
            for (int round = 0; round < 4; ++round) {
                const int t = static_cast<int>(rng() % 256);
                const int size = static_cast<int>(rng() % 14);
                std::vector<std::uint32_t> d(static_cast<std::size_t>(s.w * s.h));
                std::vector<std::uint32_t> p(d.size());
                for (std::size_t i = 0; i < d.size(); ++i) {
                    d[i] = static_cast<std::uint32_t>(rng());
                    p[i] = rng() % 5 == 0 ? 0x00FF00FFu : static_cast<std::uint32_t>(rng());
                }
                std::vector<std::uint32_t> want = d;
                zt::menuref::blend(want.data(), p.data(), s.w, s.h, mode, t, size);
                ASSERT_TRUE(menu::BlendMenuImage(d.data(), p.data(), s.w, s.h, mode, t, size));
                ASSERT_EQ(d, want)
                    << s.w << "x" << s.h << " mode " << mode << " t " << t << " size " << size;
            }
}

// A part mixed on its own comes out as the whole mix has it there, and
// nothing outside it changes: the oracle is the literal mix of the whole.
TEST(BlendMenuImageArea, MixesThePartAsTheWholeAndLeavesTheRest) {
    std::mt19937 rng(99);
    constexpr int w = 41, h = 29;
    const menu::Area areas[] = {{0, 0, w, h},     {3, 4, 10, 9},   {30, 0, 41, 29},
                                {0, 24, 41, 29},  {35, 20, 50, 40}, {-5, -5, 2, 2},
                                {10, 10, 10, 20}, {20, 5, 12, 9}};
    for (const menu::Area a : areas)
        for (int mode : {menu::kBlendPlain, menu::kBlendShadowed}) {
            const int t = static_cast<int>(rng() % 256);
            const int size = 1 + static_cast<int>(rng() % 8);
            std::vector<std::uint32_t> d(static_cast<std::size_t>(w * h)), p(d.size());
            for (std::size_t i = 0; i < d.size(); ++i) {
                d[i] = static_cast<std::uint32_t>(rng());
                p[i] = rng() % 5 == 0 ? 0x00FF00FFu : static_cast<std::uint32_t>(rng());
            }
            std::vector<std::uint32_t> whole = d;
            zt::menuref::blend(whole.data(), p.data(), w, h, mode, t, size);
            std::vector<std::uint32_t> part = d;
            ASSERT_TRUE(menu::BlendMenuImageArea(part.data(), p.data(), w, h, mode, t, size, a));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y * w + x);
                    const bool inside = x >= a.left && x < a.right && y >= a.top && y < a.bottom;
                    ASSERT_EQ(part[i], inside ? whole[i] : d[i])
                        << "at " << x << "," << y << " area " << a.left << "," << a.top << ","
                        << a.right << "," << a.bottom << " mode " << mode;
                }
        }
}

TEST(BlendMenuImage, RefusesBadArgumentsAndWritesNothing) {
    std::uint32_t d = 0x00010203, p = 0x00FFFFFF;
    struct Case {
        std::uint32_t* d;
        const std::uint32_t* p;
        int w, h, mode, t;
    };
    const Case cases[] = {{nullptr, &p, 1, 1, 0, 35}, {&d, nullptr, 1, 1, 0, 35},
                          {&d, &p, 0, 1, 0, 35},      {&d, &p, 1, -1, 0, 35},
                          {&d, &p, 1, 1, 7, 35},      {&d, &p, 1, 1, 0, 256},
                          {&d, &p, 1, 1, 0, -1}};
    for (const Case& c : cases)
        EXPECT_FALSE(menu::BlendMenuImage(c.d, c.p, c.w, c.h, c.mode, c.t, 2));
    EXPECT_EQ(d, 0x00010203u);
}

TEST(MenuOpacity, BackgroundWeightIsTheOpacityModulo256Reversed) {
    const std::pair<int, int> cases[] = {{220, 35}, {255, 0}, {0, 255}, {256, 255}, {511, 0}};
    for (const auto& [v, t] : cases)
        EXPECT_EQ(menu::backgroundWeight(v), t) << v;
}

} // namespace
