#include "bar/program_editing.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ProgramEditing, AddRemoveAndUpdateKeepTheListSound) {
    ProgramList l;
    ASSERT_TRUE(addProgram(l));
    ASSERT_EQ(l.entries.size(), 1u);
    EXPECT_EQ(l.entries[0].name, "Program name");
    EXPECT_EQ(l.entries[0].commandLine, "Filename");

    EXPECT_TRUE(updateProgram(l, 0, "Pad", "notepad.exe"));
    EXPECT_FALSE(updateProgram(l, 1, "x", "y"));
    EXPECT_FALSE(updateProgram(l, -1, "x", "y"));
    EXPECT_EQ(l.entries[0].name, "Pad");

    struct RemoveCase {
        int row;
        bool removed;
    };
    static constexpr RemoveCase removes[] = {{-1, false}, {5, false}, {0, true}, {0, false}};
    for (const auto& r : removes)
        EXPECT_EQ(removeProgram(l, r.row), r.removed) << r.row;
    EXPECT_TRUE(l.entries.empty());
}

TEST(ProgramEditing, AddStopsAtTheListsRoom) {
    ProgramList l;
    for (int i = 0; i < kMaxPrograms; ++i)
        ASSERT_TRUE(addProgram(l));
    EXPECT_FALSE(addProgram(l));
    EXPECT_EQ(l.entries.size(), size_t(kMaxPrograms));
    // What a full list writes, it reads back.
    ProgramList back;
    EXPECT_FALSE(readProgramList(writeProgramList(l), back).failed());
    EXPECT_EQ(back.entries.size(), size_t(kMaxPrograms));
}

TEST(ProgramEditing, PopupGoesBesideTheBar) {
    struct Case {
        TwipRect bar;
        bool horizontal;
        float left, top;
    };
    // Screen 19200 x 14400 twips, popup 3000 x 4000.
    static constexpr Case cases[] = {
        {{0, 1000, 900, 6000}, false, 900, 1000},       // left half: right of the bar
        {{9600, 1000, 900, 6000}, false, 10500, 1000},  // exactly half: still right of it
        {{15000, 1000, 900, 6000}, false, 12000, 1000}, // right half: left of the bar
        {{2000, 0, 12000, 900}, true, 2000, 900},       // upper half: below
        {{2000, 7200, 12000, 900}, true, 2000, 3200},   // exactly half: above
        {{2000, 13500, 12000, 900}, true, 2000, 9500},  // lower half: above
    };
    for (const auto& c : cases) {
        PopupPlace p = placeProgramPopup(c.bar, 3000, 4000, c.horizontal, {0, 0, 19200, 14400});
        EXPECT_EQ(p.left, c.left) << c.bar.left << "," << c.bar.top;
        EXPECT_EQ(p.top, c.top) << c.bar.left << "," << c.bar.top;
    }
}

// On the bar's own monitor the halves are that monitor's halves.
TEST(ProgramEditing, PopupSideFollowsTheBarsMonitor) {
    struct Case {
        const char* what;
        TwipRect monitor, bar;
        bool horizontal;
        float left, top;
    };
    static constexpr Case cases[] = {
        {"second monitor, its left half", {19200, 0, 15360, 11520}, {19500, 1000, 900, 6000}, false,
         20400, 1000},
        {"second monitor, its right half", {19200, 0, 15360, 11520}, {33000, 1000, 900, 6000},
         false, 30000, 1000},
        {"left monitor, its right half", {-15360, 0, 15360, 11520}, {-2000, 1000, 900, 6000},
         false, -5000, 1000},
        {"second monitor, its lower half", {19200, 0, 15360, 11520}, {20000, 9000, 12000, 900},
         true, 20000, 5000},
        {"second monitor, its upper half", {19200, 0, 15360, 11520}, {20000, 5000, 12000, 900},
         true, 20000, 5900},
    };
    for (const auto& c : cases) {
        const PopupPlace p = placeProgramPopup(c.bar, 3000, 4000, c.horizontal, c.monitor);
        EXPECT_EQ(p.left, c.left) << c.what;
        EXPECT_EQ(p.top, c.top) << c.what;
    }
}

// A browsed path with a blank is quoted; commands with arguments and
// quoted commands are left as the user wrote them.
TEST(ProgramEditing, FilePathsWithBlanksAreQuotedForTheStart) {
    const struct {
        const char* command;
        bool namesAFile;
        const char* line;
    } cases[] = {
        {"C:\\Program Files\\Tool\\tool.exe", true, "\"C:\\Program Files\\Tool\\tool.exe\""},
        {"C:\\Tools\\tool.exe", true, "C:\\Tools\\tool.exe"},
        {"cmd.exe /c echo ran", false, "cmd.exe /c echo ran"},
        {"\"C:\\Program Files\\x.exe\" /a", false, "\"C:\\Program Files\\x.exe\" /a"},
        {"\"C:\\Program Files\\x.exe\"", true, "\"C:\\Program Files\\x.exe\""},
        {"C:\\Tab\there.exe", true, "\"C:\\Tab\there.exe\""},
        {"", false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commandLineFor(c.command, c.namesAFile), c.line) << c.command;
}

} // namespace
} // namespace tessel
