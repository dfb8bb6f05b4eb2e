#include "hooklib/appearance.h"
#include "hooklib/window_kinds.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

namespace ap = zrv::appearance;

TEST(Fade, LevelsAndOpacitiesFrom255) {
    const std::vector<int> levels = {153, 92, 55, 33, 19, 11, 6, 3, 1, 0};
    const std::vector<int> opacities = {102, 163, 200, 222, 236, 244, 249, 252, 254, 255};
    int level = ap::kFadeStartLevel;
    std::vector<int> gotLevels, gotOpacities;
    while (true) {
        level = ap::nextFadeLevel(level);
        gotLevels.push_back(level <= 0 ? 0 : level);
        gotOpacities.push_back(ap::fadeOpacity(level));
        if (level <= 0)
            break;
        ASSERT_LT(gotLevels.size(), 20u);
    }
    EXPECT_EQ(gotLevels, levels);
    EXPECT_EQ(gotOpacities, opacities);
    EXPECT_EQ(ap::kFadeStartOpacity, 1);
}

TEST(Fade, StrangeStoredLevelsEndTheFade) {
    EXPECT_EQ(ap::nextFadeLevel(0), 0);
    EXPECT_LE(ap::nextFadeLevel(-40), 0);
    EXPECT_EQ(ap::fadeOpacity(-24), 255);
    EXPECT_EQ(ap::nextFadeLevel(1), 0);
}

TEST(Fade, Eligibility) {
    struct Case {
        ap::FadeRules rules;
        int w, h;
        std::uint32_t style;
        bool fades;
    };
    constexpr Case cases[] = {
        {{0, 0, 1}, 1000, 1000, 0, true},
        {{0, 0, 0}, 100, 100, 0x80, false},      // fade off
        {{0, 0, 2}, 100, 100, 0, true},          // any value above 0
        {{0, 0, -1}, 100, 100, 0, false},
        {{1, 0, 1}, 299, 300, 0, true},          // 89700
        {{1, 0, 1}, 300, 300, 0, false},         // 90000
        {{2, 0, 1}, 300, 300, 0, true},          // only 1 means small only
        {{0, 1, 1}, 100, 100, 0x80, true},
        {{0, 1, 1}, 100, 100, 0x7F, false},
        {{1, 1, 1}, 100, 100, 0x80, true},
        {{1, 1, 1}, 400, 400, 0x80, false},
        {{1, 0, 1}, 70000, 70000, 0, false},     // no overflow of the area
    };
    for (const Case& c : cases)
        EXPECT_EQ(ap::fadeEligible(c.rules, c.w, c.h, c.style), c.fades)
            << c.rules.smallOnly << " " << c.rules.nonSize << " " << c.rules.semiTrans << " "
            << c.w << "x" << c.h << " style " << c.style;
}

std::vector<int> slideMoves(int d) {
    std::vector<int> moves;
    ap::Rect r{0, 0, 100, 100};
    for (int i = 0; i < 64; ++i) {
        const ap::SlideStep s = ap::slideStep(d, r);
        moves.push_back(s.move);
        if (s.done)
            break;
        d = s.move;
    }
    return moves;
}

TEST(Slide, StepsHalveUntilZero) {
    EXPECT_EQ(slideMoves(100), (std::vector<int>{50, 25, 12, 6, 3, 1, 0}));
    EXPECT_EQ(slideMoves(-100), (std::vector<int>{-50, -25, -12, -6, -3, -1, 0}));
    EXPECT_EQ(slideMoves(0), (std::vector<int>{0}));
    EXPECT_EQ(slideMoves(1), (std::vector<int>{0}));
    int total = 0;
    for (int m : slideMoves(100))
        total += m;
    EXPECT_EQ(total, 97);
}

TEST(Slide, StepMovesTopAndNamesTheUncoveredStrip) {
    struct Case {
        int step;
        ap::Rect outer;
        int newTop;
        ap::Rect strip;
        int monitorTop = 0;
    };
    const Case cases[] = {
        {100, {10, 200, 310, 400}, 250, {10, 200, 310, 250}},  // down: strip above
        {-100, {10, 200, 310, 400}, 150, {10, 350, 310, 400}}, // up: strip at the bottom
        {-100, {10, 20, 310, 400}, 0, {10, 350, 310, 400}},    // never above 0
        {1, {10, 200, 310, 400}, 200, {10, 200, 310, 200}},    // last step: nothing moves
        // On a monitor above the primary one the window may go above 0, but
        // not above its own monitor's top.
        {-100, {10, -700, 310, -500}, -750, {10, -550, 310, -500}, -768},
        {-100, {10, -740, 310, -540}, -768, {10, -590, 310, -540}, -768},
        // On a monitor below, the top stops at that monitor's top.
        {-100, {10, 1044, 310, 1244}, 1024, {10, 1194, 310, 1244}, 1024},
    };
    for (const Case& c : cases) {
        const ap::SlideStep s = ap::slideStep(c.step, c.outer, c.monitorTop);
        EXPECT_EQ(s.newTop, c.newTop) << c.step;
        EXPECT_EQ(s.uncovered.left, c.strip.left);
        EXPECT_EQ(s.uncovered.top, c.strip.top) << c.step;
        EXPECT_EQ(s.uncovered.right, c.strip.right);
        EXPECT_EQ(s.uncovered.bottom, c.strip.bottom) << c.step;
    }
}

TEST(Slide, PlacementAndFirstStep) {
    struct Case {
        const char* what;
        ap::Rect ref, win;
        bool fromBottom;
        int x, y, d;
        zt::ScreenPoint monitorCorner = {}; // of the monitor it slides on
    };
    const Case cases[] = {
        {"from the top edge", {100, 100, 700, 500}, {0, 0, 200, 100}, false, 300, 100, 150},
        {"from the bottom edge", {100, 100, 700, 500}, {0, 0, 200, 100}, true, 300, 400, -150},
        {"odd difference truncates", {0, 0, 101, 101}, {0, 0, 50, 50}, false, 25, 0, 25},
        {"taller from the top moves up", {0, 100, 400, 300}, {0, 0, 100, 400}, false, 150, 100, -100},
        {"taller from the bottom moves down", {0, 300, 400, 500}, {0, 0, 100, 400}, true, 150, 100, 100},
        {"taller from the bottom stays on screen", {0, 0, 400, 200}, {0, 0, 100, 400}, true, 150, 0, 100},
        {"equal height ends at once", {0, 50, 400, 350}, {0, 0, 100, 300}, false, 150, 50, 0},
        {"wider than the reference", {-300, -50, 100, 300}, {0, 0, 800, 100}, false, 0, 0, 125},
        {"negative x truncates toward zero", {-101, 0, 100, 100}, {0, 0, 200, 50}, false, 0, 0, 25},
        // A monitor left of the primary one (-1024, 0): the window stays on it.
        {"monitor on the left", {-1024, 0, 0, 738}, {0, 0, 200, 100}, false, -612, 0, 319,
         {-1024, 0}},
        {"wider than a monitor on the left", {-1024, 0, 0, 738}, {0, 0, 1100, 100}, false, -1024, 0,
         319, {-1024, 0}},
        {"monitor above, from the bottom", {0, -768, 1024, -30}, {0, 0, 200, 900}, true, 412, -768,
         81, {0, -768}},
        // The second monitor right of the primary one.
        {"second monitor", {1280, 0, 2304, 738}, {0, 0, 200, 100}, false, 1692, 0, 319, {1280, 0}},
    };
    for (const Case& c : cases) {
        const ap::SlideStart s = ap::slideStart(c.ref, c.win, c.fromBottom, c.monitorCorner);
        EXPECT_EQ(s.x, c.x) << c.what;
        EXPECT_EQ(s.y, c.y) << c.what;
        EXPECT_EQ(s.step, c.d) << c.what;
    }
}

TEST(Slide, Eligibility) {
    struct Case {
        int slide, slideTool;
        bool ownerVisible, tool, slides;
    };
    constexpr Case cases[] = {
        {1, 1, true, false, true},  {1, 1, false, false, false}, {0, 1, true, false, false},
        {2, 1, true, false, false}, {1, 0, true, true, false},   {1, 0, true, false, true},
        {1, 5, true, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ap::slideEligible({c.slide, c.slideTool, 0}, c.ownerVisible, c.tool), c.slides)
            << c.slide << c.slideTool << c.ownerVisible << c.tool;
}

TEST(WindowKinds, StyleTests) {
    namespace k = zrv::kinds;
    EXPECT_TRUE(k::isCaptionedTopLevel(0x00CF0000));        // overlapped window
    EXPECT_FALSE(k::isCaptionedTopLevel(0x00800000));       // border only
    EXPECT_FALSE(k::isCaptionedTopLevel(0x40C00000));       // captioned child
    EXPECT_TRUE(k::isShadowCandidate(0x10000000, 0, false, false));
    EXPECT_FALSE(k::isShadowCandidate(0x10000000, 0x80, false, false)); // tool window
    EXPECT_FALSE(k::isShadowCandidate(0x50000000, 0, true, false));     // child with parent
    EXPECT_TRUE(k::isShadowCandidate(0x50000000, 0, false, false));     // parentless child
    EXPECT_FALSE(k::isShadowCandidate(0, 0, false, false));             // hidden
    EXPECT_TRUE(k::isShadowCandidate(0, 0x80, true, true));             // already shadowed
}

} // namespace
