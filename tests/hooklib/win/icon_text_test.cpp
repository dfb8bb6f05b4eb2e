// The desktop's icon list gets its text colours on every erase in the
// shell's process, and only there.
#include "tests/support/win/test_support.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

using namespace zt::test;

namespace {

constexpr COLORREF kSentinel = 0x00123456;

// The tree's host, started under a given file name.
class IconHost {
public:
    explicit IconHost(const std::string& exeName) {
        std::string exe = inExeDir("icon_list_host.exe");
        if (exeName != "icon_list_host.exe") {
            const std::string dir = inExeDir("shellname");
            CreateDirectoryA(dir.c_str(), nullptr);
            const std::string copy = dir + "\\" + exeName;
            CopyFileA(exe.c_str(), copy.c_str(), FALSE);
            exe = copy;
        }
        process_ = Process("\"" + exe + "\"");
        waitFor(
            [&] {
                desktop_ = findWindowOfProcess(process_.id(), "Progman", nullptr);
                HWND view = desktop_ ? FindWindowExA(desktop_, nullptr, "SHELLDLL_DefView",
                                                     nullptr)
                                     : nullptr;
                list_ = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
                return list_ != nullptr;
            },
            10000);
    }
    ~IconHost() {
        if (desktop_)
            PostMessageA(desktop_, WM_CLOSE, 0, 0);
        process_.wait(3000);
    }
    HWND list() const { return list_; }

    // Sets both colours to a sentinel, has the host reload the settings and
    // erase its list, and reads the colours back.
    std::pair<COLORREF, COLORREF> eraseAndRead() {
        SendMessageA(list_, LVM_SETTEXTBKCOLOR, 0, kSentinel);
        SendMessageA(list_, LVM_SETTEXTCOLOR, 0, kSentinel);
        DWORD_PTR ok = 0;
        SendMessageTimeoutA(desktop_, WM_APP, 0, 0, SMTO_BLOCK, 5000, &ok);
        return {static_cast<COLORREF>(SendMessageA(list_, LVM_GETTEXTBKCOLOR, 0, 0)),
                static_cast<COLORREF>(SendMessageA(list_, LVM_GETTEXTCOLOR, 0, 0))};
    }

private:
    Process process_;
    HWND desktop_ = nullptr;
    HWND list_ = nullptr;
};

struct Case {
    const char* what;
    const char* customBk;
    const char* customFore;
    COLORREF expectedBk; // CLR_DEFAULT: the desktop colour
    COLORREF expectedText;
};

void write(const char* key, const char* value) { writeIni("Zirvane.ini", "GLOBAL", key, value); }

TEST(IconText, ShellProcessGetsTheConfiguredColoursAtEveryErase) {
    ScopedSettingsFiles files;
    write("BKCOLOUR", "255");        // red
    write("TXTCOLOUR", "16711680");  // blue
    IconHost shell("explorer.exe");
    ASSERT_NE(shell.list(), nullptr);
    static constexpr Case cases[] = {
        {"custom background and text", "1", "1", 0x0000FF, 0xFF0000},
        {"transparent background, coloured text", "2", "1", CLR_NONE, 0xFF0000},
        {"both off: the desktop colour, text untouched", "0", "0", CLR_DEFAULT, kSentinel},
        {"unknown background choice is the desktop colour", "3", "0", CLR_DEFAULT, kSentinel},
    };
    for (const Case& c : cases) {
        write("CUSTOMBKCOLOUR", c.customBk);
        write("CUSTOMFORECOLOUR", c.customFore);
        const auto [bk, text] = shell.eraseAndRead();
        const COLORREF bkWanted =
            c.expectedBk == CLR_DEFAULT ? GetSysColor(COLOR_BACKGROUND) : c.expectedBk;
        EXPECT_EQ(bk, bkWanted) << c.what;
        EXPECT_EQ(text, c.expectedText) << c.what;
    }
    // The colour keys are read at each erase.
    write("CUSTOMBKCOLOUR", "1");
    write("BKCOLOUR", "65280");
    EXPECT_EQ(shell.eraseAndRead().first, 0x00FF00u);
}

TEST(IconText, TheSameTreeInAnotherProgramIsLeftAlone) {
    ScopedSettingsFiles files;
    write("CUSTOMBKCOLOUR", "1");
    write("BKCOLOUR", "255");
    write("CUSTOMFORECOLOUR", "1");
    IconHost other("icon_list_host.exe");
    ASSERT_NE(other.list(), nullptr);
    const auto [bk, text] = other.eraseAndRead();
    EXPECT_EQ(bk, kSentinel);
    EXPECT_EQ(text, kSentinel);
}

} // namespace
