#include "designer/panel_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <set>

namespace tessel::designer {
namespace {

TEST(PanelRules, TypedSizes) {
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"2000", true, 2000}, {" 15 ", true, 15},   {"1234.5", true, 1234.5}, {"0", true, 0},
        {"", false, 0},       {"abc", false, 0},    {"12abc", false, 0},      {"-5", false, 0},
        {"inf", false, 0},    {"0x10", false, 0},   {"1e3", true, 1000},      {"32767", true, 32767},
        {"32768", false, 0},  {"1e400", false, 0},  {"   ", false, 0},
    };
    for (const auto& c : cases) {
        double v = -1;
        EXPECT_EQ(parseSize(c.text, v), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(PanelRules, ArrowsStepTheirOwnElementsSizeAndRefreshItsBoxes) {
    std::set<int> commands;
    for (const ArrowStep& s : kArrowSteps) {
        commands.insert(s.commandNumber);
        EXPECT_EQ(std::abs(s.delta), 20);
        // "<" narrows, ">" widens, "/\" makes shorter, "\/" taller.
        const std::string cap = s.caption;
        EXPECT_EQ(s.dimension, cap == "<" || cap == ">" ? Dimension::Width : Dimension::Height)
            << s.commandNumber;
        EXPECT_EQ(s.delta > 0, cap == ">" || cap == "\\/") << s.commandNumber;
        // Every refreshed box shows a size of the stepped element, and the
        // box of the stepped size is among them.
        bool ownBox = false;
        for (int n : s.refresh) {
            if (!n)
                continue;
            const SizeBox* b = sizeBox(n);
            ASSERT_TRUE(b) << n;
            EXPECT_EQ(b->element, s.element) << s.commandNumber;
            ownBox |= b->dimension == s.dimension;
        }
        EXPECT_TRUE(ownBox) << s.commandNumber;
    }
    EXPECT_EQ(commands.size(), 16u);
    EXPECT_EQ(*commands.begin(), 2);
    EXPECT_EQ(*commands.rbegin(), 17);
    // The progress bar's width arrows refresh only its width box.
    EXPECT_EQ(arrowStep(9)->refresh[1], 0);
    EXPECT_EQ(arrowStep(8)->refresh[1], 0);
}

TEST(PanelRules, StepsNeverGoBelowZeroNorPastTheFilesRange) {
    const struct {
        double from;
        int delta;
        double to;
    } cases[] = {{100, 20, 120}, {100, -20, 80}, {20, -20, 0}, {10, -20, 0},
                 {0, -20, 0},    {32760, 20, 32760}, {32740, 20, 32760}, {40000, -20, 39980}};
    for (const auto& c : cases)
        EXPECT_EQ(steppedSize(c.from, c.delta), c.to) << c.from << " " << c.delta;
}

// The panel opens beside the canvas, in the canvas monitor's work area,
// over as little of the canvas as that area allows. Checked against every
// place a brute-force search of the work area finds.
TEST(PanelRules, PanelOpensBesideTheCanvasInsideTheWorkArea) {
    const ScreenRect screen = {0, 0, 1280, 1024};
    const ScreenRect second = {1280, 0, 2304, 768};
    const struct {
        const char* what;
        ScreenRect canvas;
        ScreenRect work;
        ScreenRect expected;
    } cases[] = {
        {"default skin: below the canvas", {100, 200, 708, 324}, screen, {100, 324, 701, 928}},
        {"bar at the bottom: above it", {100, 900, 708, 1024}, screen, {100, 296, 701, 900}},
        {"tall bar at the left: right of it", {0, 0, 100, 1024}, screen, {100, 0, 701, 604}},
        {"tall bar at the right: left of it", {1180, 0, 1280, 1024}, screen, {579, 0, 1180, 604}},
        {"bar on the second monitor", {1400, 300, 2000, 400}, second, {}},
        {"canvas near the right edge: pulled in", {1000, 100, 1270, 200}, screen,
         {679, 200, 1280, 804}},
        {"nowhere free: the least overlap", {0, 200, 1280, 824}, screen, {0, 420, 601, 1024}},
        {"work area smaller than the panel", {0, 0, 100, 100}, {0, 0, 500, 500},
         {0, 0, 601, 604}},
    };
    const int w = 601, h = 604;
    auto overlap = [](const ScreenRect& a, const ScreenRect& b) {
        const long long x = std::min(a.right, b.right) - std::max(a.left, b.left);
        const long long y = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
        return x > 0 && y > 0 ? x * y : 0;
    };
    for (const auto& c : cases) {
        const ScreenRect r = panelPlace(c.canvas, w, h, c.work);
        EXPECT_EQ(r.width(), w) << c.what;
        EXPECT_EQ(r.height(), h) << c.what;
        if (w <= c.work.width() && h <= c.work.height()) {
            EXPECT_TRUE(r.left >= c.work.left && r.top >= c.work.top && r.right <= c.work.right &&
                        r.bottom <= c.work.bottom)
                << c.what;
            // No place in the work area overlaps the canvas less.
            long long least = -1;
            for (int y = c.work.top; y + h <= c.work.bottom; y += 4) {
                for (int x = c.work.left; x + w <= c.work.right; x += 4) {
                    const long long o = overlap({x, y, x + w, y + h}, c.canvas);
                    least = least < 0 ? o : std::min(least, o);
                }
            }
            EXPECT_LE(overlap(r, c.canvas), least) << c.what;
        }
        if (c.expected.right) {
            EXPECT_EQ(r, c.expected) << c.what << ": " << r.left << "," << r.top;
        }
    }
}

} // namespace
} // namespace tessel::designer
