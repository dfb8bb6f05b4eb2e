// The shipped programs together, as a user has them: a program that asks to
// be left alone gets no effect while another does, and a 64-bit loader gives
// effects to 32-bit and 64-bit programs at once through its companion.
// Effects are seen from outside: shadow windows in the program's process and
// the layered style of a window held in its fade (the fade's timer is set
// too slow to ever tick).
#include "common/win/scoped.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace zt::test;

constexpr int kUnload = 32772;
constexpr char kCompanionClass[] = "ZirvaneCompanion";

// A folder in the Windows temp folder holding copies of programs; removed,
// with what it holds, at the end of the test.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) : path_(windowsDir() + "\\temp\\" + name) {
        CreateDirectoryA((windowsDir() + "\\temp").c_str(), nullptr);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (auto it = files_.rbegin(); it != files_.rend(); ++it)
            DeleteFileA(it->c_str());
        for (auto it = dirs_.rbegin(); it != dirs_.rend(); ++it)
            RemoveDirectoryA(it->c_str());
        RemoveDirectoryA(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    void subfolder(const std::string& name) {
        dirs_.push_back(path_ + "\\" + name);
        CreateDirectoryA(dirs_.back().c_str(), nullptr);
    }
    bool copy(const std::string& from, const std::string& to) {
        files_.push_back(path_ + "\\" + to);
        return CopyFileA(from.c_str(), files_.back().c_str(), FALSE) != FALSE;
    }

private:
    std::string path_;
    std::vector<std::string> files_;
    std::vector<std::string> dirs_;
};

// A started sample program and its window.
struct Probe {
    Process process;
    HWND wnd = nullptr;
};

Probe startProbe(const std::string& exe, int x, int y) {
    Probe p{Process("\"" + exe + "\" " + std::to_string(x) + " " + std::to_string(y)), nullptr};
    waitFor([&] {
        p.wnd = findWindowOfProcess(p.process.id(), "ZtSampleWindow", nullptr);
        return p.wnd != nullptr && IsWindowVisible(p.wnd);
    }, 10000);
    return p;
}

int shadowCount(const Probe& p) {
    return static_cast<int>(windowsOfProcess(p.process.id(), "VelkShadow").size());
}
bool isLayered(const Probe& p) { return (GetWindowLongA(p.wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
bool hasEffects(const Probe& p) { return shadowCount(p) > 0 && isLayered(p); }

// Sends the program a frame change, so that its thread handles messages
// through the hooks (and notices a settings change) now.
void nudge(const Probe& p) {
    SetWindowPos(p.wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A started loader; unloaded, or at worst killed, at the end of the test.
class Loader {
public:
    explicit Loader(const std::string& folder) : process_("\"" + folder + "\\zrvload.exe\"", folder) {}
    ~Loader() { stop(); }
    Process& process() { return process_; }
    HWND window() {
        HWND w = nullptr;
        waitFor([&] { return (w = findWindowOfProcess(process_.id(), "#32770", "Zirvane")) != nullptr; },
                8000);
        return w;
    }
    void stop() {
        if (!process_.running())
            return;
        if (HWND w = findWindowOfProcess(process_.id(), "#32770", "Zirvane"))
            PostMessageA(w, WM_COMMAND, kUnload, 0);
        if (process_.wait(8000) == STILL_ACTIVE)
            process_.kill();
    }

private:
    Process process_;
};

// A folder name of the running test's own: a library mapped from a folder
// by global hooks stays mapped in other programs until they next run a hook,
// so its file cannot be replaced for the next test at once.
std::string perTest(const char* base) {
    return std::string(base) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
           "_" + std::to_string(GetCurrentProcessId());
}

class Product : public ::testing::Test {
protected:
    void SetUp() override {
        writeIni("Zirvane.ini", "GLOBAL", "Shadows", "1");
        writeIni("Zirvane.ini", "GLOBAL", "SEMITRANS", "1");
        writeIni("Zirvane.ini", "GLOBAL", "FADERATE", "600000");
    }
    ScopedSettingsFiles files_;
};

TEST_F(Product, AnExcludedProgramGetsNoEffectWhileAnotherDoes) {
    ScratchFolder folder(perTest("zrv_exclusion"));
    ASSERT_TRUE(folder.copy(inExeDir("sample_window.exe"), "game.exe"));
    ASSERT_TRUE(folder.copy(inExeDir("sample_window.exe"), "other.exe"));
    // The section is matched without regard to case, as every section is.
    writeIni("Zirvane2.ini", "Game.EXE", "NoEffects", "1");
    writeIni("Zirvane2.ini", "game.exe", "Trans", "120");

    Loader loader(exeDir());
    ASSERT_NE(loader.window(), nullptr);
    Probe other = startProbe(folder.path() + "\\other.exe", 40, 40);
    Probe game = startProbe(folder.path() + "\\game.exe", 460, 40);
    ASSERT_NE(other.wnd, nullptr);
    ASSERT_NE(game.wnd, nullptr);

    EXPECT_TRUE(waitFor([&] { return hasEffects(other); }, 6000))
        << "shadows " << shadowCount(other) << ", layered " << isLayered(other);
    for (int i = 0; i < 10; ++i) {
        nudge(game);
        pumpMessages(50);
    }
    EXPECT_TRUE(processHasModule(game.process.id(), "ZRV.DLL")) << "the hooks reached it";
    EXPECT_EQ(shadowCount(game), 0);
    EXPECT_FALSE(isLayered(game)) << "neither a fade nor its own transparency";
}

#ifdef ZT_WIN32_BIN
// The 32-bit build's bin folder, as a wine path.
std::string win32Bin() {
    std::string p = ZT_WIN32_BIN;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return "Z:" + p;
}

std::vector<HWND> companionWindows() {
    std::vector<HWND> out;
    HWND w = nullptr;
    while ((w = FindWindowExA(HWND_MESSAGE, w, kCompanionClass, nullptr)) != nullptr)
        out.push_back(w);
    return out;
}

// The companion's process, found by its message-only window.
DWORD companionId() {
    const auto windows = companionWindows();
    DWORD id = 0;
    if (!windows.empty())
        GetWindowThreadProcessId(windows.front(), &id);
    return id;
}

// Waits for a running companion and opens its process.
HANDLE openCompanion() {
    DWORD id = 0;
    waitFor([&] { return (id = companionId()) != 0; }, 8000);
    // Query rights too: GetProcessId answers 0 for a handle that may only be
    // waited on.
    return id ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id) : nullptr;
}

// Closes the sheet a second copy of the loader shows; that copy then ends.
void closeSheetOfASecondCopy(const std::string& folder) {
    Process second("\"" + folder + "\\zrvload.exe\"", folder);
    HWND sheet = nullptr;
    ASSERT_TRUE(waitFor([&] {
        sheet = findWindowOfProcess(second.id(), "#32770", "Zirvane Properties");
        return sheet && IsWindowVisible(sheet);
    }, 8000));
    PostMessageA(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_NE(second.wait(8000), STILL_ACTIVE);
}

// The loader's side of the companion, on any machine: the same-bitness build
// of the companion stands in for the 32-bit one, with a stand-in library
// that counts the reloads it is told of.
class CompanionFollowsTheLoader : public Product {
protected:
    void SetUp() override {
        Product::SetUp();
        folder_.subfolder("x86");
        ASSERT_TRUE(folder_.copy(inExeDir("zrvload.exe"), "zrvload.exe"));
        ASSERT_TRUE(folder_.copy(inExeDir("zrv.dll"), "zrv.dll"));
        ASSERT_TRUE(folder_.copy(inExeDir("zrvload32.exe"), "x86\\zrvload32.exe"));
        ASSERT_TRUE(folder_.copy(inExeDir("companion_counter\\zrv.dll"), "x86\\zrv.dll"));
        counter_ = LoadLibraryA((folder_.path() + "\\x86\\zrv.dll").c_str());
        ASSERT_NE(counter_, nullptr);
        count_ = reinterpret_cast<LONG(CALLBACK*)()>(
            reinterpret_cast<void*>(GetProcAddress(counter_, "UpdateCount")));
        ASSERT_NE(count_, nullptr);
    }
    void TearDown() override {
        if (counter_)
            FreeLibrary(counter_);
    }
    ScratchFolder folder_{perTest("zrv_companion")};
    HMODULE counter_ = nullptr;
    LONG(CALLBACK* count_)() = nullptr;
};

TEST_F(CompanionFollowsTheLoader, StartsOnceFollowsTheSheetAndEndsWithUnbindAndUnload) {
    Loader loader(folder_.path());
    HWND wnd = loader.window();
    ASSERT_NE(wnd, nullptr);
    zt::ScopedKernelHandle first(openCompanion());
    ASSERT_TRUE(first) << "the 64-bit loader starts its companion";

    SendMessageA(wnd, WM_COMMAND, 1000, 0);
    pumpMessages(500);
    EXPECT_EQ(companionWindows().size(), 1u) << "binding again starts no second companion";

    const LONG before = count_();
    closeSheetOfASecondCopy(folder_.path());
    EXPECT_TRUE(waitFor([&] { return count_() == before + 1; }, 5000))
        << "the companion passed the reload on " << count_() - before << " times";
    EXPECT_EQ(companionWindows().size(), 1u) << "the second copy starts no companion";

    SendMessageA(wnd, WM_COMMAND, 1001, 0);
    EXPECT_EQ(WaitForSingleObject(first.get(), 5000), WAIT_OBJECT_0) << "unbind ends the companion";
    SendMessageA(wnd, WM_COMMAND, 1000, 0);
    zt::ScopedKernelHandle second(openCompanion());
    ASSERT_TRUE(second) << "bind starts it again";

    PostMessageA(wnd, WM_COMMAND, kUnload, 0);
    EXPECT_NE(loader.process().wait(8000), STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(second.get(), 5000), WAIT_OBJECT_0) << "unload ends the companion";
}

// Under a WoW64 prefix: the shipped 32-bit companion and library with the
// 64-bit loader, and real programs of both kinds.
class Wow64Product : public Product {
protected:
    void SetUp() override {
        Product::SetUp();
        ASSERT_NE(GetFileAttributesA((win32Bin() + "\\zrvload32.exe").c_str()), INVALID_FILE_ATTRIBUTES)
            << "build the 32-bit tree first: " << win32Bin();
        // Started without the loader's id the companion ends at once with 1;
        // anything else means 32-bit programs do not run on this machine.
        Process probe("\"" + win32Bin() + "\\zrvload32.exe\"");
        if (!probe.started() || probe.wait(10000) != 1)
            GTEST_SKIP() << "32-bit programs do not run here (no 32-bit wine)";
        folder_.subfolder("x86");
        ASSERT_TRUE(folder_.copy(inExeDir("zrvload.exe"), "zrvload.exe"));
        ASSERT_TRUE(folder_.copy(inExeDir("zrv.dll"), "zrv.dll"));
        ASSERT_TRUE(folder_.copy(win32Bin() + "\\zrvload32.exe", "x86\\zrvload32.exe"));
        ASSERT_TRUE(folder_.copy(win32Bin() + "\\zrv.dll", "x86\\zrv.dll"));
    }
    std::string exe32() const { return win32Bin() + "\\sample_window.exe"; }
    std::string exe64() const { return inExeDir("sample_window.exe"); }
    bool freshProgramsAreUnhooked() {
        Probe p32 = startProbe(exe32(), 40, 400);
        Probe p64 = startProbe(exe64(), 460, 400);
        pumpMessages(1500);
        return p32.wnd && p64.wnd && !processHasModule(p32.process.id(), "ZRV.DLL") &&
               !processHasModule(p64.process.id(), "ZRV.DLL") && shadowCount(p32) == 0 &&
               shadowCount(p64) == 0;
    }

    ScratchFolder folder_{perTest("zrv_wow64")};
};

TEST_F(Wow64Product, OneLoaderReachesBothKindsFollowsTheSheetAndUnloadsBoth) {
    Loader loader(folder_.path());
    ASSERT_NE(loader.window(), nullptr);
    zt::ScopedKernelHandle companion(openCompanion());
    ASSERT_TRUE(companion) << "the 64-bit loader starts its 32-bit companion";

    Probe p32 = startProbe(exe32(), 40, 40);
    Probe p64 = startProbe(exe64(), 460, 40);
    ASSERT_NE(p32.wnd, nullptr);
    ASSERT_NE(p64.wnd, nullptr);
    EXPECT_TRUE(waitFor([&] { return hasEffects(p32); }, 8000)) << "32-bit program";
    EXPECT_TRUE(waitFor([&] { return hasEffects(p64); }, 8000)) << "64-bit program";

    // Shadows off in the sheet: closing it reloads both kinds of program.
    writeIni("Zirvane.ini", "GLOBAL", "Shadows", "0");
    closeSheetOfASecondCopy(folder_.path());
    EXPECT_TRUE(waitFor([&] {
        nudge(p32);
        nudge(p64);
        return shadowCount(p32) == 0 && shadowCount(p64) == 0;
    }, 8000, 200)) << "32-bit " << shadowCount(p32) << ", 64-bit " << shadowCount(p64);

    writeIni("Zirvane.ini", "GLOBAL", "Shadows", "1");
    PostMessageA(loader.window(), WM_COMMAND, kUnload, 0);
    EXPECT_NE(loader.process().wait(8000), STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(companion.get(), 5000), WAIT_OBJECT_0) << "the companion ends with it";
    EXPECT_TRUE(freshProgramsAreUnhooked());
}

// A killed loader: its companion ends by itself and unbinds the 32-bit
// library; fresh programs of neither kind hook themselves under the dead
// loader's binding, and the next loader binds afresh.
class KilledLoader : public Product {
protected:
    void SetUp() override {
        Product::SetUp();
        Process probe("\"" + win32Bin() + "\\zrvload32.exe\"");
        real32_ = probe.started() && probe.wait(10000) == 1;
        const std::string companionFolder = real32_ ? win32Bin() : exeDir();
        folder_.subfolder("x86");
        ASSERT_TRUE(folder_.copy(inExeDir("zrvload.exe"), "zrvload.exe"));
        ASSERT_TRUE(folder_.copy(inExeDir("zrv.dll"), "zrv.dll"));
        ASSERT_TRUE(folder_.copy(companionFolder + "\\zrvload32.exe", "x86\\zrvload32.exe"));
        ASSERT_TRUE(folder_.copy(real32_ ? win32Bin() + "\\zrv.dll" : inExeDir("companion_counter\\zrv.dll"),
                                 "x86\\zrv.dll"));
    }
    bool real32_ = false;
    ScratchFolder folder_{perTest("zrv_killed")};
};

TEST_F(KilledLoader, TakesItsCompanionAlongAndLeavesFreshProgramsOfBothKindsUnhooked) {
    if (!real32_)
        GTEST_SKIP() << "needs the 32-bit companion, and 32-bit programs do not run here";
    Loader loader(folder_.path());
    ASSERT_NE(loader.window(), nullptr);
    zt::ScopedKernelHandle companion(openCompanion());
    ASSERT_TRUE(companion);
    const DWORD id = GetProcessId(companion.get());
    ASSERT_NE(id, 0u);
    loader.process().kill();
    // The companion waits on the loader's process itself: it destroys its
    // window, unhooks and ends.
    const DWORD start = GetTickCount();
    EXPECT_TRUE(waitFor([&] { return companionId() != id; }, 30000, 5));
    const DWORD unhooked = GetTickCount() - start;
    EXPECT_EQ(WaitForSingleObject(companion.get(), 30000), WAIT_OBJECT_0);
    std::printf("companion: window gone and unhooking %lu ms, process ended %lu ms after the "
                "loader was killed\n",
                static_cast<unsigned long>(unhooked), static_cast<unsigned long>(GetTickCount() - start));

    // Wine keeps a killed process's hooks, the window-creation one included;
    // the killed loader's binding has no mark any more, so programs started
    // now hook nothing under it.
    Probe fresh32 = startProbe(win32Bin() + "\\sample_window.exe", 40, 400);
    Probe fresh64 = startProbe(inExeDir("sample_window.exe"), 460, 400);
    ASSERT_NE(fresh32.wnd, nullptr);
    ASSERT_NE(fresh64.wnd, nullptr);
    pumpMessages(1500);
    EXPECT_FALSE(processHasModule(fresh32.process.id(), "ZRV.DLL"));
    EXPECT_EQ(shadowCount(fresh32), 0);
    EXPECT_EQ(shadowCount(fresh64), 0);
    EXPECT_FALSE(isLayered(fresh64)) << "no fade in a 64-bit program started after the kill";

    // A loader started now is resident, not a second copy of the dead one.
    Loader again(folder_.path());
    ASSERT_NE(again.window(), nullptr) << "the next loader binds";
    Probe next64 = startProbe(inExeDir("sample_window.exe"), 460, 40);
    ASSERT_NE(next64.wnd, nullptr);
    EXPECT_TRUE(waitFor([&] { return hasEffects(next64); }, 8000));
}
#endif

} // namespace
