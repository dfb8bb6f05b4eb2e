// The one writer through which the bar and the designer save: a save that
// fails leaves the old file and nothing else; one that succeeds leaves the
// new content and nothing else.
#include "common/win/replacing_file.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zt::test {
namespace {

// The names of the files in `folder`.
std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

class ReplacingFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = inExeDir("replacing_file_test");
        CreateDirectoryA(dir_.c_str(), nullptr);
        target_ = dir_ + "\\programs.prg";
        writeTextFile(target_, kOld);
    }
    void TearDown() override {
        for (const auto& f : filesIn(dir_)) {
            const std::string p = dir_ + "\\" + f;
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(p.c_str());
        }
        RemoveDirectoryA((dir_ + "\\sub").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    static constexpr char kOld[] = " 1 \r\nold\r\nold.exe\r\n";
    std::string dir_, target_;
};

TEST_F(ReplacingFileTest, ASavedFileHoldsExactlyTheNewText) {
    const std::string texts[] = {"", "short", std::string(3 << 20, 'x') + "\r\nend"};
    for (const auto& text : texts) {
        ASSERT_EQ(replaceFileContents(target_, text), 0u) << text.size();
        EXPECT_EQ(readTextFile(target_), text) << text.size();
        EXPECT_EQ(filesIn(dir_), std::set<std::string>{"programs.prg"}) << text.size();
    }
    // A file that was not there is made.
    ASSERT_EQ(replaceFileContents(dir_ + "\\new.tsl", "made"), 0u);
    EXPECT_EQ(readTextFile(dir_ + "\\new.tsl"), "made");
}

// Each failure names its cause and leaves the folder as it was: the old
// file whole, no temporary file beside it.
TEST_F(ReplacingFileTest, AFailedSaveLeavesTheOldFileAndNothingElse) {
    CreateDirectoryA((dir_ + "\\sub").c_str(), nullptr);
    const struct {
        const char* what;
        std::string path;
        bool readOnly;
        DWORD error;
    } cases[] = {
        {"write-protected file", target_, true, ERROR_ACCESS_DENIED},
        {"a folder in the file's place", dir_ + "\\sub", false, ERROR_ACCESS_DENIED},
        {"missing folder", dir_ + "\\missing\\programs.prg", false, ERROR_PATH_NOT_FOUND},
        {"no name", "", false, ERROR_INVALID_NAME},
        {"a folder's name", dir_ + "\\", false, ERROR_INVALID_NAME},
    };
    for (const auto& c : cases) {
        SetFileAttributesA(target_.c_str(),
                           c.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(replaceFileContents(c.path, "new text"), c.error) << c.what;
        SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(readTextFile(target_), kOld) << c.what;
        EXPECT_EQ(filesIn(dir_), std::set<std::string>{"programs.prg"}) << c.what;
    }
}

// Written in parts, as the designer writes a skin: until the commit the old
// file stands; a writer dropped half way takes its temporary file with it.
TEST_F(ReplacingFileTest, TheOldFileStandsUntilTheCommit) {
    {
        ReplacingFile f;
        ASSERT_EQ(f.open(target_), 0u);
        ASSERT_EQ(f.write("part one\r\n"), 0u);
        EXPECT_EQ(filesIn(dir_).size(), 2u); // the target and the temporary file
        EXPECT_EQ(readTextFile(target_), kOld);
    }
    EXPECT_EQ(filesIn(dir_), std::set<std::string>{"programs.prg"});
    EXPECT_EQ(readTextFile(target_), kOld);

    ReplacingFile f;
    ASSERT_EQ(f.open(target_), 0u);
    ASSERT_EQ(f.write("part one\r\n"), 0u);
    ASSERT_EQ(f.write("part two\r\n"), 0u);
    ASSERT_EQ(f.commit(), 0u);
    EXPECT_EQ(readTextFile(target_), "part one\r\npart two\r\n");
    EXPECT_EQ(filesIn(dir_), std::set<std::string>{"programs.prg"});
}

// Where the folder allows no new file (Program Files, with only the file
// opened to users), the file is rewritten in place: longer and shorter texts
// both come out exact, and nothing is left beside it.
TEST_F(ReplacingFileTest, InPlaceRewriteIsExactBothWays) {
    const std::string texts[] = {std::string(100000, 'L'), "S", ""};
    for (const auto& text : texts) {
        ReplacingFile f;
        ASSERT_EQ(f.openInPlace(target_), 0u);
        ASSERT_EQ(f.write(text), 0u);
        // Held without sharing while it is rewritten: nobody reads half.
        HANDLE other = CreateFileA(target_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(other, INVALID_HANDLE_VALUE) << text.size();
        if (other != INVALID_HANDLE_VALUE)
            CloseHandle(other);
        ASSERT_EQ(f.commit(), 0u);
        EXPECT_EQ(readTextFile(target_), text) << text.size();
        EXPECT_EQ(filesIn(dir_), std::set<std::string>{"programs.prg"});
    }
    SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_READONLY);
    ReplacingFile f;
    EXPECT_EQ(f.openInPlace(target_), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

} // namespace
} // namespace zt::test
