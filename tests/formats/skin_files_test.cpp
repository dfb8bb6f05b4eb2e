#include "formats/skin_files.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <vector>

namespace tessel {
namespace {

SkinLayout sampleLayout() {
    SkinLayout l;
    l.displayName = "Graphite";
    l.barLeft = 2100;
    l.barTop = 0;
    l.barWidth = 15000;
    l.barHeight = 600;
    for (int i = 0; i < kElementCount; ++i)
        l.elements[i] = {int16_t(60 + i * 300), int16_t(i % 2 ? 60 : -45)};
    l.taskAreaWidth = 2700;
    l.taskAreaHeight = 480;
    l.cpuMeter = {12420, 60};
    l.clock = {13425, 90};
    l.positionBar = {-3000, 0, 1500, 150};
    l.balanceSlider = {-3000, 200, 1500, 150};
    l.volumeSlider = {-3000, 400, 150, 1500};
    l.horizontalFlag = "True";
    l.buttonColour = 0x0050443C;
    l.listColour = static_cast<int32_t>(0x80000005u);
    return l;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

// The designer writes every skin file through writeSkinLayout (after its
// own range check), so what this writes is what the bar reads.
TEST(SkinLayout, ReadsWhatTheDesignerWrites) {
    const SkinLayout l = sampleLayout();
    const std::string text = writeSkinLayout(l);
    ASSERT_EQ(linesOf(text).size(), 70u);
    EXPECT_EQ(linesOf(text)[1], " 2100 ");
    EXPECT_EQ(linesOf(text)[3], " 15115 ");
    EXPECT_EQ(linesOf(text)[6], "-45 ");
    EXPECT_EQ(linesOf(text)[69], "-2147483643 ");

    SkinLayout r;
    int lines = 0;
    ASSERT_FALSE(readSkinLayout(text, r, &lines).failed());
    EXPECT_EQ(lines, 70);
    EXPECT_EQ(r.barLeft, 2100);
    EXPECT_EQ(r.barWidth, 15000);
    EXPECT_EQ(r.barHeight, 600);
    for (int i = 0; i < kElementCount; ++i) {
        EXPECT_EQ(r.elements[i].left, l.elements[i].left) << i;
        EXPECT_EQ(r.elements[i].top, l.elements[i].top) << i;
    }
    EXPECT_EQ(r.taskAreaWidth, 2700);
    EXPECT_EQ(r.clock.left, 13425);
    EXPECT_EQ(r.volumeSlider.height, 1500);
    EXPECT_TRUE(r.horizontal());
    EXPECT_EQ(r.buttonColour, 0x0050443C);
    EXPECT_EQ(static_cast<uint32_t>(r.listColour), 0x80000005u);
}

TEST(SkinLayout, HorizontalOnlyForExactlyTrue) {
    static constexpr std::pair<const char*, bool> cases[] = {
        {"True", true}, {"true", false}, {"False", false}, {"TRUE", false}, {"", false}};
    for (const auto& [flag, horizontal] : cases) {
        auto lines = linesOf(writeSkinLayout(sampleLayout()));
        lines[67] = flag;
        SkinLayout r;
        ASSERT_FALSE(readSkinLayout(joinLines(lines), r).failed()) << flag;
        EXPECT_EQ(r.horizontal(), horizontal) << flag;
    }
}

struct BadLine {
    int line; // 1-based
    const char* value;
    ErrorNumber error;
};

TEST(SkinLayout, MalformedValuesEndTheLoadNamingTheLine) {
    static constexpr BadLine cases[] = {
        {4, "-32654 ", ErrorNumber::Overflow},
        {5, "-32409 ", ErrorNumber::Overflow},
        {2, " 40000 ", ErrorNumber::Overflow},
        {30, " 40000 ", ErrorNumber::Overflow},
        {67, " 40000 ", ErrorNumber::Overflow},
        {69, " 4294967296 ", ErrorNumber::Overflow},
        {3, "twelve", ErrorNumber::TypeMismatch},
    };
    for (const auto& c : cases) {
        auto lines = linesOf(writeSkinLayout(sampleLayout()));
        lines[c.line - 1] = c.value;
        SkinLayout r;
        int read = 0;
        RunError e = readSkinLayout(joinLines(lines), r, &read);
        EXPECT_EQ(e.number(), c.error) << c.line;
        EXPECT_EQ(read, c.line - 1) << c.line;
        EXPECT_NE(e.description().find("skinsettings.tsl, line " + std::to_string(c.line)),
                  std::string::npos)
            << e.description();
    }
}

TEST(SkinLayout, CanvasSizeAtTheBottomOfTheRange) {
    auto lines = linesOf(writeSkinLayout(sampleLayout()));
    lines[3] = "-32653 ";
    lines[4] = "-32408 ";
    SkinLayout r;
    ASSERT_FALSE(readSkinLayout(joinLines(lines), r).failed());
    EXPECT_EQ(r.barWidth, -32768);
    EXPECT_EQ(r.barHeight, -32768);
}

TEST(SkinLayout, SixtyNineLinesReadPastTheEnd) {
    auto lines = linesOf(writeSkinLayout(sampleLayout()));
    lines.pop_back();
    SkinLayout r;
    int read = 0;
    RunError e = readSkinLayout(joinLines(lines), r, &read);
    EXPECT_EQ(e.code(), 62);
    EXPECT_EQ(read, 69);
    EXPECT_NE(e.description().find("line 70"), std::string::npos);
}

TEST(SkinLayout, ACommaInTheDisplayNameShiftsNothing) {
    auto lines = linesOf(writeSkinLayout(sampleLayout()));
    lines[0] = "Blue, \"dark\" edition";
    lines.push_back(" 999 "); // lines after line 70 are never read
    SkinLayout r;
    ASSERT_FALSE(readSkinLayout(joinLines(lines), r).failed());
    EXPECT_EQ(r.displayName, "Blue, \"dark\" edition");
    EXPECT_EQ(r.barLeft, 2100);
    EXPECT_EQ(r.listColour, sampleLayout().listColour);
}

TEST(SkinChoice, DerivesTheSkinFolder) {
    struct Case {
        const char* tsi;
        const char* folder;
    };
    static constexpr Case cases[] = {
        {"local\r\nGraphite\r\n", "C:\\Tessel\\Skins\\Graphite"},
        {"global\r\nD:\\My Skins\\Blue\r\n", "D:\\My Skins\\Blue"},
        {"Local\r\nGraphite\r\n", ""},
        {"GLOBAL\r\nD:\\x\r\n", ""},
        {" 5 \r\nGraphite\r\n", ""},
    };
    for (const auto& c : cases) {
        std::string folder = "unset";
        ASSERT_FALSE(readSkinChoice(c.tsi, "C:\\Tessel", folder).failed()) << c.tsi;
        EXPECT_EQ(folder, c.folder) << c.tsi;
        EXPECT_EQ(skinFilePath(folder, kSkinSettingsFile),
                  std::string(c.folder) + "\\skinsettings.tsl");
    }
    std::string folder;
    EXPECT_EQ(readSkinChoice("local\r\n", "C:\\T", folder).code(), 62);
}

TEST(SkinBitmaps, FortySixDistinctNames) {
    auto names = allSkinBitmaps();
    std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), 46u);
    EXPECT_TRUE(unique.count("ssavein.bmp"));
    EXPECT_TRUE(unique.count("connectedout.bmp"));
    EXPECT_TRUE(unique.count("dialogmove.bmp"));
    EXPECT_EQ(elementBitmapPath("C:\\S", 0, BitmapLook::Normal), "C:\\S\\programsout.bmp");
    EXPECT_EQ(elementBitmapPath("C:\\S", 19, BitmapLook::Pressed), "C:\\S\\rwin.bmp");
}

} // namespace
} // namespace tessel
