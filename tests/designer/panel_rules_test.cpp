#include "designer/panel_rules.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tessel::designer
