#include "designer/design_model.h"

#include "formats/skin_files.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel::designer {
namespace {

std::vector<std::string> lines(const std::string& t) {
    std::vector<std::string> out;
    size_t b = 0, e;
    while ((e = t.find("\r\n", b)) != std::string::npos) {
        out.push_back(t.substr(b, e - b));
        b = e + 2;
    }
    EXPECT_EQ(b, t.size()) << "text after the last line end";
    return out;
}

std::string fileText(const DesignModel& m) {
    SkinLayout l;
    std::string problem;
    EXPECT_TRUE(layoutForFile(m, l, problem)) << problem;
    return skinSettingsText(l).all();
}

DesignModel sample() {
    DesignModel m = designTimeLayout();
    m.shellName = "Night, blue";
    m.canvas = {2100, -45, 15115, 960};
    for (int i = 0; i < kCanvasElementCount; ++i)
        m.elements[i] = {double(i * 30 - 90), double(i * 15), double(100 + i), double(200 + i)};
    m.orientation = Orientation::Horizontal;
    m.buttonColour = 0x00336699;
    m.listColour = kSystemWindow;
    return m;
}

TEST(DesignModel, WritesSeventyLinesInTheBarsFormat) {
    SkinLayout layout;
    std::string problem;
    ASSERT_TRUE(layoutForFile(sample(), layout, problem)) << problem;
    const SkinTextGroups g = skinSettingsText(layout);
    const auto l = lines(g.all());
    ASSERT_EQ(l.size(), 70u);
    EXPECT_EQ(lines(g.name).size(), 1u);
    EXPECT_EQ(lines(g.positions).size(), 48u);
    EXPECT_EQ(lines(g.dimensions).size(), 6u);
    EXPECT_EQ(lines(g.playerAndRest).size(), 15u);

    const std::pair<int, std::string> expected[] = {
        {1, "Night, blue"}, {2, " 2100 "},  {3, "-45 "},    {4, " 15115 "}, {5, " 960 "},
        {6, "-90 "},        {7, " 0 "},     {48, " 540 "},  {49, " 315 "},  {50, " 110 "},
        {51, " 210 "},      {52, " 570 "},  {53, " 330 "},  {54, " 600 "},  {55, " 345 "},
        {56, " 630 "},      {59, " 224 "},  {60, " 660 "},  {63, " 225 "},  {64, " 690 "},
        {67, " 226 "},      {68, "True"},   {69, " 3368601 "}, {70, "-2147483643 "},
    };
    for (const auto& [n, text] : expected)
        EXPECT_EQ(l[n - 1], text) << "line " << n;
}

TEST(DesignModel, WrittenFileReadsBackInTheBarAndTheDesigner) {
    const std::string text = fileText(sample());
    SkinLayout bar;
    ASSERT_FALSE(readSkinLayout(text, bar).failed());
    EXPECT_EQ(bar.displayName, "Night, blue");
    EXPECT_EQ(bar.barWidth, 15000);
    EXPECT_EQ(bar.barHeight, 600);
    EXPECT_EQ(bar.elements[3].left, 0);
    EXPECT_EQ(bar.taskAreaWidth, 110);
    EXPECT_EQ(bar.volumeSlider.height, 226);
    EXPECT_TRUE(bar.horizontal());
    EXPECT_EQ(bar.listColour, kSystemWindow);

    DesignModel back = designTimeLayout();
    ASSERT_FALSE(applySkinSettings(text, back).failed());
    EXPECT_EQ(fileText(back), text);
}

struct LoadCase {
    const char* what;
    int line;            // line replaced, or 0
    const char* value;   // its new text; nullptr: the file ends before it
    ErrorNumber error;
    Orientation orientation;
};

TEST(DesignModel, LoadingStopsAtTheFirstFailureAndKeepsWhatWasRead) {
    const std::string good = fileText(sample());
    const LoadCase cases[] = {
        {"whole file", 0, "", ErrorNumber::None, Orientation::Horizontal},
        {"lower-case true", 68, "true", ErrorNumber::None, Orientation::Vertical},
        {"69 lines", 70, nullptr, ErrorNumber::InputPastEndOfFile, Orientation::Horizontal},
        {"out of range", 30, " 40000 ", ErrorNumber::Overflow, Orientation::None},
        {"not a number", 52, "abc", ErrorNumber::TypeMismatch, Orientation::None},
        {"fraction rounds", 6, " 12.6 ", ErrorNumber::None, Orientation::Horizontal},
        {"empty file", 1, nullptr, ErrorNumber::InputPastEndOfFile, Orientation::None},
    };
    for (const auto& c : cases) {
        std::vector<std::string> l = lines(good);
        if (c.line && c.value)
            l[c.line - 1] = c.value;
        else if (c.line)
            l.resize(c.line - 1);
        std::string text;
        for (const auto& s : l)
            text += s + "\r\n";
        DesignModel m = designTimeLayout();
        const DesignModel before = m;
        const RunError e = applySkinSettings(text, m);
        EXPECT_EQ(e.number(), c.error) << c.what;
        EXPECT_EQ(m.orientation, c.orientation) << c.what;
        if (c.error == ErrorNumber::None || c.line > 30) {
            EXPECT_EQ(m.elements[11].left, 240) << c.what; // line 28
        } else if (c.line == 30) {
            EXPECT_EQ(m.elements[11].left, 240) << c.what;
            EXPECT_EQ(m.elements[12].left, before.elements[12].left) << c.what;
        }
        if (c.line == 70 && !c.value) {
            EXPECT_EQ(m.buttonColour, 0x00336699) << c.what;
            EXPECT_EQ(m.listColour, kSystemWindow) << c.what;
        }
        if (c.line == 6 && c.value) {
            EXPECT_EQ(m.elements[0].left, 13) << c.what;
        }
    }
}

TEST(DesignModel, NumbersAsTheFileAndTheBoxesShowThem) {
    const std::pair<double, const char*> plain[] = {
        {1440, "1440"}, {1234.5, "1234.5"}, {0, "0"}, {-0.0, "0"}, {-45, "-45"}, {0.1, "0.1"},
    };
    for (const auto& [v, s] : plain)
        EXPECT_EQ(formatPlain(v), s) << v;
}

// Every value is checked against what the bar reads back before anything is
// written; the message names the element that does not fit.
TEST(DesignModel, ValuesTheFileCannotHoldAreNamedNotWritten) {
    struct Case {
        const char* what;
        void (*change)(DesignModel&);
        const char* named; // empty: the file is written
    };
    const Case cases[] = {
        {"canvas on a second monitor", [](DesignModel& m) { m.canvas.left = 2300 * 15; },
         "the left edge of the canvas window is 34500 twips"},
        {"canvas above the screen", [](DesignModel& m) { m.canvas.top = -32769; },
         "the top edge of the canvas window"},
        {"limits themselves", [](DesignModel& m) { m.canvas.left = 32767; m.canvas.top = -32768; },
         ""},
        {"a half rounds to an even whole", [](DesignModel& m) { m.canvas.left = 32767.5; },
         "the left edge of the canvas window is 32768"},
        {"canvas width the bar cannot shrink", [](DesignModel& m) { m.canvas.width = -32654; },
         "the width of the canvas window"},
        {"smallest canvas height", [](DesignModel& m) { m.canvas.height = -32408; }, ""},
        {"dragged far right", [](DesignModel& m) { m.elements[3].left = 40000; },
         "the left edge of the connect button (buttonpic 3)"},
        {"dragged far up", [](DesignModel& m) { m.elements[21].top = -40000; },
         "the top edge of the connected button (buttonpic 21)"},
        {"task area too wide", [](DesignModel& m) { m.elements[kTaskArea].width = 33000; },
         "the width of the task list area"},
        {"clock", [](DesignModel& m) { m.elements[kLabel1].top = 50000; },
         "the top edge of the clock (Label1)"},
        {"volume placeholder", [](DesignModel& m) { m.elements[kVScroll1].height = 1e9; },
         "the height of the \"MP3 Balance\" button (VScroll1)"},
        {"the background is not written", [](DesignModel& m) { m.elements[kImage1].left = 1e9; },
         ""},
    };
    for (const auto& c : cases) {
        DesignModel m = sample();
        c.change(m);
        SkinLayout l;
        std::string problem;
        const bool ok = layoutForFile(m, l, problem);
        if (!*c.named) {
            EXPECT_TRUE(ok) << c.what << ": " << problem;
            SkinLayout back;
            EXPECT_FALSE(readSkinLayout(skinSettingsText(l).all(), back).failed()) << c.what;
            continue;
        }
        EXPECT_FALSE(ok) << c.what;
        EXPECT_NE(problem.find(c.named), std::string::npos) << c.what << ": " << problem;
        EXPECT_NE(problem.find("the old file was kept"), std::string::npos) << c.what;
    }
}

} // namespace
} // namespace tessel::designer
