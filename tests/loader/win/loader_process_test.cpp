// zrvload.exe as a real process: start-up, the resident copy, unload, the
// missing library and the tray callback. Every started loader is unloaded
// (or killed, which also removes its global hooks) when its test ends.
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zt::test;

constexpr UINT kTrayMessage = WM_USER + 10;
constexpr WPARAM kTrayId = 137;
constexpr int kConfigure = 32771;
constexpr int kUnload = 32772;
constexpr int kBind = 1000;
constexpr int kUnbind = 1001;

std::string readDir() { return readIni("Zirvane.ini", "INSTALLED", "DIR", ""); }

// A started loader; unloaded, or at worst killed, at the end of the test.
class Loader {
public:
    explicit Loader(const std::string& exeFolder, const std::string& workDir = "")
        : process_("\"" + exeFolder + "\\zrvload.exe\"", workDir.empty() ? exeFolder : workDir) {}
    ~Loader() { stop(); }

    DWORD id() const { return process_.id(); }
    Process& process() { return process_; }
    HWND window(DWORD timeoutMs = 8000) {
        HWND w = nullptr;
        waitFor([&] { return (w = findWindowOfProcess(id(), "#32770", "Zirvane")) != nullptr; }, timeoutMs);
        return w;
    }
    HWND waitForTopWindow(const char* cls, const char* title, DWORD timeoutMs = 8000) {
        HWND w = nullptr;
        waitFor([&] { return (w = findWindowOfProcess(id(), cls, title)) != nullptr && IsWindowVisible(w); },
                timeoutMs);
        return w;
    }
    void stop() {
        if (!process_.running())
            return;
        if (HWND w = findWindowOfProcess(id(), "#32770", "Zirvane"))
            PostMessageA(w, WM_COMMAND, kUnload, 0);
        if (process_.wait(5000) == STILL_ACTIVE)
            process_.kill();
    }

private:
    Process process_;
};

void closeSheet(HWND sheet) { PostMessageA(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0); }

// A program started after the loader, to see whether the hooks reach it.
bool freshProgramHasLibrary() {
    Process other("notepad.exe");
    if (!other.started())
        return false;
    bool mapped = waitFor([&] { return processHasModule(other.id(), "ZRV.DLL"); }, 6000, 100);
    other.kill();
    return mapped;
}

class LoaderProcess : public ::testing::Test {
protected:
    ScopedSettingsFiles files_;
};

TEST_F(LoaderProcess, StartsHiddenHooksOthersAndASecondStartShowsOnlyTheSheet) {
    writeIni("Zirvane.ini", "INSTALLED", "DIR", "C");
    Loader first(exeDir());
    ASSERT_TRUE(first.process().started());
    HWND wnd = first.window();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(wnd) != FALSE; }, 3000));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(wnd); }, 4000)) << "hidden by its first timer tick";
    EXPECT_EQ(readDir(), exeDir()) << "a one-character folder is replaced";
    EXPECT_TRUE(processHasModule(first.id(), "ZRV.DLL"));
    EXPECT_TRUE(freshProgramHasLibrary());

    // The second copy: the sheet and nothing else; a long enough folder stays.
    writeIni("Zirvane.ini", "INSTALLED", "DIR", "XY");
    Loader second(exeDir());
    HWND sheet = second.waitForTopWindow("#32770", "Zirvane Properties");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(findWindowOfProcess(second.id(), "#32770", "Zirvane"), nullptr);
    EXPECT_EQ(readDir(), "XY");
    closeSheet(sheet);
    EXPECT_NE(second.process().wait(8000), STILL_ACTIVE) << "ends when its sheet closes";

    // Unload removes the hooks and ends the process.
    PostMessageA(wnd, WM_COMMAND, kUnload, 0);
    EXPECT_NE(first.process().wait(8000), STILL_ACTIVE);
    EXPECT_FALSE(freshProgramHasLibrary());
}

// A second bind does nothing: one unbind then leaves no hook and no library
// behind in the loader.
TEST_F(LoaderProcess, BindingTwiceThenUnbindingLeavesNothingBound) {
    writeIni("Zirvane.ini", "INSTALLED", "DIR", "C");
    Loader loader(exeDir());
    HWND wnd = loader.window();
    ASSERT_NE(wnd, nullptr);
    ASSERT_TRUE(waitFor([&] { return processHasModule(loader.id(), "ZRV.DLL"); }, 4000));
    SendMessageA(wnd, WM_COMMAND, kBind, 0);
    SendMessageA(wnd, WM_COMMAND, kUnbind, 0);
    EXPECT_TRUE(waitFor([&] { return !processHasModule(loader.id(), "ZRV.DLL"); }, 3000))
        << "the library is still mapped: the second bind took a second reference";
    SendMessageA(wnd, WM_COMMAND, kBind, 0);
    EXPECT_TRUE(waitFor([&] { return processHasModule(loader.id(), "ZRV.DLL"); }, 3000))
        << "binding again after an unbind binds afresh";
}

TEST_F(LoaderProcess, TrayCallbackShowsTheMenuOnlyForItsIconAndDoubleClickOpensTheSheet) {
    Loader loader(exeDir());
    HWND wnd = loader.window();
    ASSERT_NE(wnd, nullptr);

    PostMessageA(wnd, kTrayMessage, kTrayId + 1, WM_RBUTTONUP);
    pumpMessages(500);
    EXPECT_EQ(loader.waitForTopWindow("#32768", nullptr, 300), nullptr) << "another icon's click is ignored";

    PostMessageA(wnd, kTrayMessage, kTrayId, WM_RBUTTONUP);
    HWND menu = loader.waitForTopWindow("#32768", nullptr);
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(menu); }, 3000));

    PostMessageA(wnd, kTrayMessage, kTrayId, WM_LBUTTONDBLCLK);
    HWND sheet = loader.waitForTopWindow("#32770", "Zirvane Properties");
    ASSERT_NE(sheet, nullptr);
    closeSheet(sheet);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 5000));

    // The configure command of the menu opens it too, and the loader stays.
    PostMessageA(wnd, WM_COMMAND, kConfigure, 0);
    sheet = loader.waitForTopWindow("#32770", "Zirvane Properties");
    ASSERT_NE(sheet, nullptr);
    closeSheet(sheet);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 5000));
    EXPECT_TRUE(loader.process().running());
}

// The loader takes zrv.dll from its own folder only: a copy in the current
// folder is not loaded; without one beside it the missing-library box shows
// and start-up goes on.
TEST_F(LoaderProcess, MissingLibraryIsReportedAndACopyInTheCurrentFolderIsIgnored) {
    const std::string lonely = windowsDir() + "\\temp\\zrvload_alone";
    const std::string planted = windowsDir() + "\\temp\\zrvload_planted";
    CreateDirectoryA((windowsDir() + "\\temp").c_str(), nullptr);
    CreateDirectoryA(lonely.c_str(), nullptr);
    CreateDirectoryA(planted.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(inExeDir("zrvload.exe").c_str(), (lonely + "\\zrvload.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(inExeDir("zrv.dll").c_str(), (planted + "\\zrv.dll").c_str(), FALSE));
    {
        Loader loader(lonely, planted);
        HWND box = loader.waitForTopWindow("#32770", "Missing zrv.dll");
        ASSERT_NE(box, nullptr);
        char text[512] = {};
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char cls[32] = {};
            GetClassNameA(c, cls, sizeof cls);
            if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextLengthA(c) > 20)
                GetWindowTextA(c, text, sizeof text);
        }
        EXPECT_EQ(std::string(text).rfind("Zirvane has not been installed correctly.\n\nPlease try "
                                          "reinstalling this software", 0),
                  0u)
            << text;
        EXPECT_FALSE(processHasModule(loader.id(), "ZRV.DLL"));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        HWND wnd = loader.window();
        ASSERT_NE(wnd, nullptr) << "start-up goes on after the box";
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }, 3000));
        PostMessageA(wnd, WM_COMMAND, kUnload, 0);
        EXPECT_NE(loader.process().wait(8000), STILL_ACTIVE);
    }
    DeleteFileA((lonely + "\\zrvload.exe").c_str());
    DeleteFileA((planted + "\\zrv.dll").c_str());
    RemoveDirectoryA(lonely.c_str());
    RemoveDirectoryA(planted.c_str());
}

} // namespace
