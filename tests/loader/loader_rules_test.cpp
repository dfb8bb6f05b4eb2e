#include "loader/loader_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace zrv::loader;
using Names = std::vector<std::string>;

TEST(ListedApplications, FollowsTheSectionLineRules) {
    struct Case {
        const char* file;
        Names listed;
    };
    const Case cases[] = {
        {"[GLOBAL]\r\nTrans=1\r\n[notepad.exe]\r\nTrans=200\r\n[Global]\r\n", {"notepad.exe", "Global"}},
        {"[calc.exe\r\n", {}},
        {"[a]b]\n", {"a"}},
        {"[]\n", {""}},
        {" [indented.exe]\nx[y.exe]\n", {}},
        {"[last.exe]", {"last.exe"}},           // no line end at the end of the file
        {"[global]\n[GLOBAL ]\n", {"global", "GLOBAL "}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listedApplications(c.file), c.listed) << c.file;
}

TEST(ListedApplications, ReadsALongLineAsSeveralPieces) {
    // The second piece of an over-long line starts with "[" and is listed.
    std::string line(kListLinePiece, 'x');
    line += "[hidden.exe]";
    EXPECT_EQ(listedApplications(line + "\n"), Names{"hidden.exe"});
    // A section name longer than a piece has its "]" in the next piece.
    std::string longName = "[" + std::string(kListLinePiece, 'n') + "]\n";
    EXPECT_TRUE(listedApplications(longName).empty());
}

TEST(CheckApplicationName, RefusesNamesThatWouldBreakTheFile) {
    struct Case {
        const char* name;
        AppNameCheck result;
    };
    const Case cases[] = {
        {"ab.exe", AppNameCheck::Accept},
        {"a.ex", AppNameCheck::TooShort},
        {"", AppNameCheck::TooShort},
        {"abcde", AppNameCheck::Accept},
        {"my]app.exe", AppNameCheck::Unsafe},
        {"app.exe\r\n[GLOBAL", AppNameCheck::Unsafe},
        {"line\nbreak.exe", AppNameCheck::Unsafe},
        {"]", AppNameCheck::Unsafe},       // short and unsafe: refused with the message
        {"[odd.exe", AppNameCheck::Accept}, // an opening bracket cannot end a section name
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkApplicationName(c.name), c.result) << c.name;
}

TEST(Autostart, CommandAndShownState) {
    EXPECT_EQ(autostartCommand("C:\\Zirvane"), "C:\\Zirvane\\zrvload.exe");
    EXPECT_EQ(autostartCommand(""), "\\zrvload.exe");
    struct Case {
        const char* value;
        bool on;
    };
    const Case cases[] = {{"", false}, {"12345678", false}, {"123456789", true}, {"C:\\zrvload.exe", true}};
    for (const Case& c : cases)
        EXPECT_EQ(autostartShownOn(c.value), c.on) << c.value;
    // REG_SZ data carries its terminating zero.
    EXPECT_EQ(registryStringBytes("C:\\zrvload.exe"), 15u);
    EXPECT_EQ(registryStringBytes(""), 1u);
}

TEST(LoaderRules, InstallDirAndLabels) {
    EXPECT_TRUE(installDirNeedsWriting(""));
    EXPECT_TRUE(installDirNeedsWriting("C"));
    EXPECT_FALSE(installDirNeedsWriting("C:"));
    EXPECT_FALSE(installDirNeedsWriting("no such folder"));
    EXPECT_EQ(pixelsLabel(8), "8 pixels");
    EXPECT_EQ(pixelsLabel(25), "25 pixels");
}

} // namespace
