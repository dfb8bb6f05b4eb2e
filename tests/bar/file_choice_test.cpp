#include "bar/file_choice.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(FileChoice, PatternsMatchWithoutRegardToCase) {
    struct Case {
        const char* name;
        const char* patterns;
        bool matches;
    };
    static constexpr Case cases[] = {
        {"song.mp3", kMediaPattern, true},
        {"SONG.MP3", kMediaPattern, true},
        {"a.wav", kMediaPattern, true},
        {"tune.mid", kMediaPattern, true},
        {"tune.midi", kMediaPattern, false},
        {"song.mp3.txt", kMediaPattern, false},
        {"mp3", kMediaPattern, false},
        {"notepad.exe", kProgramPattern, true},
        {"notepad.exe.lnk", kProgramPattern, false},
        {".exe", kProgramPattern, true},
        {"readme", "*.*", true},
        {"a.b", " *.b ; *.c", true},   // blanks around each pattern
        {"a.c", "*.b;;*.c", true},     // an empty pattern matches nothing
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"aXbXc", "a*b*c", true},
        {"aXbX", "a*b*c", false},
        {"x", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesPattern(c.name, c.patterns), c.matches) << c.name << " / " << c.patterns;
}

TEST(FileChoice, LongNamesAgainstManyStarsStayFast) {
    const std::string name(5000, 'a');
    EXPECT_FALSE(matchesPattern(name, "*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(matchesPattern(name, "*a*a*a*a*a*a*a*a"));
}

TEST(FileChoice, PathsJoinWithOneBackslash) {
    static constexpr std::pair<const char*, const char*> cases[] = {
        {"C:\\", "C:\\x.mp3"},
        {"C:\\Music", "C:\\Music\\x.mp3"},
        {"C:\\Music\\", "C:\\Music\\x.mp3"},
        {"\\\\server\\share", "\\\\server\\share\\x.mp3"},
    };
    for (const auto& [folder, path] : cases)
        EXPECT_EQ(joinFolderFile(folder, "x.mp3"), path);
}

TEST(FileChoice, ConfirmationGoesToWhoeverAskedOnce) {
    FileChoice c;
    std::string path = "kept";
    EXPECT_FALSE(c.takeConfirmed(ChoiceClient::ProgramEditor, path)); // nothing chosen yet
    EXPECT_EQ(path, "kept");
    EXPECT_EQ(c.armed, 0);

    c.request(ChoiceClient::ProgramEditor, kProgramPattern);
    EXPECT_EQ(c.pattern(), kProgramPattern);
    c.confirm("C:\\a.exe");
    EXPECT_EQ(c.armed, 0); // a program for the editor does not arm the player
    EXPECT_FALSE(c.takeConfirmed(ChoiceClient::RunDialog, path));
    EXPECT_TRUE(c.takeConfirmed(ChoiceClient::ProgramEditor, path));
    EXPECT_EQ(path, "C:\\a.exe");
    // A later activation without a new confirmation takes nothing.
    EXPECT_FALSE(c.takeConfirmed(ChoiceClient::ProgramEditor, path));
    EXPECT_EQ(c.chosenPath(), "C:\\a.exe");

    // The player's request after the editor's sets the media pattern again,
    // and its confirmation is not the editor's.
    c.request(ChoiceClient::Player, kMediaPattern);
    EXPECT_EQ(c.pattern(), kMediaPattern);
    c.confirm("C:\\b.mp3");
    EXPECT_EQ(c.armed, 1);
    EXPECT_FALSE(c.takeConfirmed(ChoiceClient::ProgramEditor, path));
    EXPECT_EQ(c.chosenPath(), "C:\\b.mp3");
}

} // namespace
} // namespace tessel
