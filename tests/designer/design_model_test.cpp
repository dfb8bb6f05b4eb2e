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
    const DesignModel m = sample();
    const SkinTextGroups g = skinSettingsText(m);
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
    const DesignModel m = sample();
    const std::string text = skinSettingsText(m).all();
    SkinLayout bar;
    ASSERT_FALSE(readSkinLayout(text, bar));
    EXPECT_EQ(bar.displayName, "Night, blue");
    EXPECT_EQ(bar.barWidth, 15000);
    EXPECT_EQ(bar.barHeight, 600);
    EXPECT_EQ(bar.elements[3].left, 0);
    EXPECT_EQ(bar.taskAreaWidth, 110);
    EXPECT_EQ(bar.volumeSlider.height, 226);
    EXPECT_TRUE(bar.horizontal());
    EXPECT_EQ(bar.listColour, kSystemWindow);

    DesignModel back = designTimeLayout();
    ASSERT_FALSE(applySkinSettings(text, back));
    EXPECT_EQ(skinSettingsText(back).all(), text);
}

struct LoadCase {
    const char* what;
    int line;            // line replaced, or 0
    const char* value;   // its new text; nullptr: the file ends before it
    ErrorNumber error;
    Orientation orientation;
};

TEST(DesignModel, LoadingStopsAtTheFirstFailureAndKeepsWhatWasRead) {
    const std::string good = skinSettingsText(sample()).all();
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
    EXPECT_EQ(formatValueForFile(120), " 120 ");
    EXPECT_EQ(formatValueForFile(-45), "-45 ");
    EXPECT_EQ(formatValueForFile(1234.5), " 1234.5 ");
}

} // namespace
} // namespace tessel::designer
