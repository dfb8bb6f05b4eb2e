// The library's code linked into this program: settings loading against real
// profile files in the Windows folder, and the generation counter seen from a
// second process (this same program started again, which shares its .shared
// section).
#include "hooklib/win/binding_mark.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/shared_state.h"
#include "hooklib/win/thread_hooks.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/attached_library.h"
#include "tests/hooklib/win/observed.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

using namespace zt::test;

namespace {

constexpr char kReadyEvent[] = "zrv_state_tests_ready";
constexpr char kGoEvent[] = "zrv_state_tests_go";

HWND makeWindow() {
    static TestWindowClass cls("ZrvStateProbe");
    return CreateWindowExA(0, cls.name, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

using zrv::test::ThreadHooks;

bool waitReloaded(unsigned finished) {
    return waitFor([&] { return zrv::test::observed().reloadsFinished.load() >= finished; }, 5000);
}

// Exit codes of the probe: 0 success, otherwise the failed step.
int probeAttachWithNonZeroCounter() {
    if (zrv::sharedGeneration() == 0)
        return 10;
    zrv::test::attachLibraryOnce();
    HWND w = makeWindow();
    ThreadHooks hooks;
    for (int i = 0; i < 5; ++i)
        SendMessageA(w, WM_USER, 0, 0);
    DestroyWindow(w);
    return zrv::test::observed().reloadsStarted.load() == 0 ? 0 : 11;
}

int probeTwoIncrementsOneReload() {
    zrv::test::attachLibraryOnce();
    const unsigned loads = zrv::test::observed().reloadsFinished.load(); // the one at attach
    HWND w = makeWindow();
    ThreadHooks hooks;
    SendMessageA(w, WM_USER, 0, 0);
    if (zrv::test::observed().reloadsStarted.load() != 0)
        return 20;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, kReadyEvent);
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, kGoEvent);
    if (!ready || !go)
        return 21;
    SetEvent(ready);
    if (WaitForSingleObject(go, 10000) != WAIT_OBJECT_0)
        return 22;
    // The parent has called UpdateSetting twice.
    const unsigned routedBefore = zrv::test::observed().messagesRouted.load();
    SendMessageA(w, WM_USER, 0, 0);
    if (zrv::test::observed().reloadsStarted.load() != 1)
        return 23;
    // The triggering message was not routed by the return hook; the call hook
    // saw it before the reload began.
    if (zrv::test::observed().messagesRouted.load() != routedBefore + 1)
        return 24;
    if (!waitReloaded(loads + 1))
        return 25;
    for (int i = 0; i < 5; ++i)
        SendMessageA(w, WM_USER, 0, 0);
    pumpMessages(200);
    if (zrv::test::observed().reloadsStarted.load() != 1 ||
        zrv::test::observed().reloadsFinished.load() != loads + 1)
        return 26;
    DestroyWindow(w);
    CloseHandle(ready);
    CloseHandle(go);
    return 0;
}

std::string selfCommand(const char* probe) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string("\"") + path + "\" --probe " + probe;
}

TEST(Generation, AProcessAttachingWithANonZeroCounterDoesNotReload) {
    UpdateSetting();
    Process p(selfCommand("attach-nonzero"));
    ASSERT_TRUE(p.started());
    EXPECT_EQ(p.wait(20000), 0u);
}

TEST(Generation, TwoIncrementsGiveOneReloadInAnotherProcess) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, kReadyEvent);
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, kGoEvent);
    Process p(selfCommand("two-increments"));
    ASSERT_TRUE(p.started());
    ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0);
    UpdateSetting();
    UpdateSetting();
    SetEvent(go);
    EXPECT_EQ(p.wait(20000), 0u);
    CloseHandle(ready);
    CloseHandle(go);
}

TEST(Generation, UpdateSettingIncrementsTheSharedCounterByOne) {
    const unsigned long before = zrv::sharedGeneration();
    UpdateSetting();
    EXPECT_EQ(zrv::sharedGeneration(), before + 1);
}

TEST(SetHookPtr, StoresTheHandlesInArgumentOrder) {
    const zrv::SharedState saved = {zrv::g_shared.returnHook, zrv::g_shared.callHook,
                                    zrv::g_shared.thirdHook, 0};
    SetHookPtr(reinterpret_cast<HHOOK>(0x11), reinterpret_cast<HHOOK>(0x22),
               reinterpret_cast<HHOOK>(0x33));
    EXPECT_EQ(zrv::g_shared.returnHook, reinterpret_cast<HHOOK>(0x11));
    EXPECT_EQ(zrv::g_shared.callHook, reinterpret_cast<HHOOK>(0x22));
    EXPECT_EQ(zrv::g_shared.thirdHook, reinterpret_cast<HHOOK>(0x33));
    SetHookPtr(saved.returnHook, saved.callHook, saved.thirdHook);
}

// --- settings against real profile files ---

class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override { zrv::test::attachLibraryOnce(); }
    ScopedSettingsFiles files_;
    zrv::EffectSettings& s = zrv::state().settings;
};

TEST_F(SettingsFiles, NoFilesGiveTheDefaults) {
    zrv::LoadEffectSettings();
    EXPECT_FALSE(s.shadowsOn);
    EXPECT_TRUE(s.semiDrag);
    EXPECT_FALSE(s.maxLimitLoaded);
    EXPECT_FALSE(s.appTransparent);
    EXPECT_EQ(s.shadowExtent, 8);
    EXPECT_EQ(s.menuShadowSize, 5);
    EXPECT_FALSE(zrv::state().reload.busy());
    // The use keys read afresh: menus at 220, slide on, fade off, 800 by 600.
    EXPECT_EQ(zrv::readUseKey("Semimenusval", 220), 220);
    EXPECT_EQ(zrv::readUseKey("SLIDE", 1), 1);
    EXPECT_EQ(zrv::readUseKey("SEMITRANS", 0), 0);
    EXPECT_EQ(zrv::readUseKey("MAXLIMIT", 1), 1);
    EXPECT_EQ(zrv::readUseKey("MAXWIDTH", 800), 800);
    EXPECT_EQ(zrv::readUseKey("MAXHEIGHT", 600), 600);
}

TEST_F(SettingsFiles, SectionAndKeyNamesIgnoreCase) {
    struct Case {
        const char* file;
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {"Zirvane.ini", "GLOBAL", "SHADOWS"},
        {"zirvane.ini", "global", "Shadows"},
        {"ZIRVANE.INI", "Global", "shadows"},
    };
    for (const Case& c : cases) {
        deleteFile(inWindowsDir("Zirvane.ini"));
        writeIni(c.file, c.section, c.key, "1");
        s.shadowsOn = false;
        zrv::LoadEffectSettings();
        EXPECT_TRUE(s.shadowsOn) << c.file << " [" << c.section << "] " << c.key;
    }
}

TEST_F(SettingsFiles, NonNumericAndEmptyValuesReadZero) {
    writeIni("Zirvane.ini", "GLOBAL", "RealShadowSize", "abc");
    writeIni("Zirvane.ini", "GLOBAL", "MAXWIDTH", "");
    writeIni("Zirvane.ini", "GLOBAL", "RealShadowAlpha", "77px");
    zrv::LoadEffectSettings();
    EXPECT_EQ(s.shadowExtent, 0);
    EXPECT_EQ(s.shadowOpacity, 77);
    EXPECT_EQ(zrv::readUseKey("MAXWIDTH", 800), 0);
}

TEST_F(SettingsFiles, ApplicationSectionIsTheUpperCasedExecutableName) {
    EXPECT_STREQ(zrv::state().appSection, "ZRV_STATE_TESTS.EXE");
    writeIni("Zirvane2.ini", "zrv_state_tests.exe", "Trans", "150");
    zrv::LoadEffectSettings();
    EXPECT_TRUE(s.appTransparent);
    EXPECT_EQ(s.appOpacity, 150);
    writeIni("Zirvane2.ini", "zrv_state_tests.exe", "Trans", "0");
    zrv::LoadEffectSettings();
    EXPECT_FALSE(s.appTransparent);
}

TEST_F(SettingsFiles, UseKeyActsAtOnceLoadKeyOnlyAfterUpdateSetting) {
    zrv::LoadEffectSettings();
    HWND w = makeWindow();
    ThreadHooks hooks;
    SendMessageA(w, WM_USER, 0, 0);
    const unsigned reloads = zrv::test::observed().reloadsFinished.load();

    writeIni("Zirvane.ini", "GLOBAL", "Semimenusval", "99");
    writeIni("Zirvane.ini", "GLOBAL", "Shadows", "1");
    EXPECT_EQ(zrv::readUseKey("SemiMenusVal", 220), 99);
    SendMessageA(w, WM_USER, 0, 0);
    EXPECT_FALSE(s.shadowsOn) << "a load key waits for UpdateSetting";

    UpdateSetting();
    SendMessageA(w, WM_USER, 0, 0);
    ASSERT_TRUE(waitReloaded(reloads + 1));
    EXPECT_TRUE(s.shadowsOn);
    DestroyWindow(w);
}

TEST_F(SettingsFiles, ShellProcessFlagIsOffForOtherPrograms) {
    EXPECT_FALSE(zrv::state().isShellProcess);
    EXPECT_NE(zrv::state().setLayeredWindowAttributes, nullptr);
    EXPECT_NE(zrv::state().updateLayeredWindow, nullptr);
}

} // namespace

int runProbe(const char* name) {
    const std::string n = name;
    if (n == "attach-nonzero")
        return probeAttachWithNonZeroCounter();
    if (n == "two-increments")
        return probeTwoIncrementsOneReload();
    return 2;
}

// --- how a thread comes to run the library's hooks ---

// Every message a thread's windows get passes through the library exactly
// once, whichever way the thread got its hooks, and a thread's own hooks go
// at its first message after the binding they were made under ends.
class ThreadPatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        zrv::test::attachLibraryOnce();
        // No reload pending from an earlier test: every message is routed.
        zrv::state().reload.generationSeen.store(zrv::sharedGeneration());
        saved_ = {zrv::g_shared.returnHook, zrv::g_shared.callHook, zrv::g_shared.thirdHook, 0};
        bindAs(0x1001);
        mark_ = zrv::makeBindingMark();
    }
    void TearDown() override {
        SetHookPtr(saved_.returnHook, saved_.callHook, saved_.thirdHook);
        CloseHandle(mark_);
    }
    static void bindAs(UINT_PTR binding) {
        SetHookPtr(reinterpret_cast<HHOOK>(binding), reinterpret_cast<HHOOK>(binding), nullptr);
    }
    // A window just made by this thread, announced as the creation event does.
    static HWND announcedWindow() {
        HWND w = makeWindow();
        ThreadPatch(nullptr, EVENT_OBJECT_CREATE, w, OBJID_WINDOW, 0, GetCurrentThreadId(), 0);
        return w;
    }
    // Hook calls the library routed for `n` messages sent to `w`.
    static unsigned routedFor(HWND w, int n) {
        const unsigned before = zrv::test::observed().messagesRouted.load();
        for (int i = 0; i < n; ++i)
            SendMessageA(w, WM_NULL, 0, 0);
        return zrv::test::observed().messagesRouted.load() - before;
    }
    // The library's entry point tells it of every ending thread; linked into
    // this program it is told here.
    static void endOfThread() { zrv::threadhooks::onThreadDetach(); }
    zrv::SharedState saved_{};
    HANDLE mark_ = nullptr; // a live binding's mark, as the loader holds it
};

// Each case runs on a fresh thread; the routed counts are per message, the
// call hook and the return hook each counting once.
struct ThreadCase {
    const char* name;
    bool loaderHooks;    // the thread already had the library's hooks (a bind found it)
    int windows;         // windows the thread makes and announces
    long ownPairs;       // pairs of hooks of its own it then has
    unsigned routedPer;  // hook calls routed per message
};

TEST_F(ThreadPatchTest, EveryThreadPassesItsMessagesThroughTheLibraryOnce) {
    static const ThreadCase kCases[] = {
        {"a new thread hooks itself", false, 1, 1, 2},
        {"a second window adds no second pair", false, 3, 1, 2},
        {"a thread the loader hooked adds none", true, 2, 0, 2},
    };
    for (const ThreadCase& tc : kCases) {
        long own = -1;
        unsigned routed = 0;
        std::thread([&] {
            const long before = zrv::threadhooks::ownHookedThreads();
            std::unique_ptr<ThreadHooks> loaderHooks(tc.loaderHooks ? new ThreadHooks : nullptr);
            HWND last = nullptr;
            for (int i = 0; i < tc.windows; ++i)
                last = announcedWindow();
            own = zrv::threadhooks::ownHookedThreads() - before;
            routed = routedFor(last, 10);
            DestroyWindow(last);
            endOfThread();
        }).join();
        EXPECT_EQ(own, tc.ownPairs) << tc.name;
        EXPECT_EQ(routed, 10 * tc.routedPer) << tc.name;
        EXPECT_EQ(zrv::threadhooks::ownHookedThreads(), 0) << tc.name << ": an ended thread's hooks go with it";
    }
}

TEST_F(ThreadPatchTest, OwnHooksGoWhenTheirBindingEnds) {
    static const UINT_PTR kNext[] = {0 /* unbound */, 0x2002 /* bound afresh */};
    for (UINT_PTR next : kNext) {
        bindAs(0x1001);
        std::thread([&] {
            HWND w = announcedWindow();
            ASSERT_EQ(zrv::threadhooks::ownHookedThreads(), 1);
            bindAs(next);
            EXPECT_EQ(routedFor(w, 5), 0u) << "a stale pair routes nothing";
            EXPECT_EQ(zrv::threadhooks::ownHookedThreads(), 0) << "and removes itself";
            if (next) {
                // The next window of the thread hooks it under the new binding.
                HWND w2 = announcedWindow();
                EXPECT_EQ(zrv::threadhooks::ownHookedThreads(), 1);
                EXPECT_EQ(routedFor(w2, 5), 10u);
                DestroyWindow(w2);
            }
            DestroyWindow(w);
            endOfThread();
        }).join();
    }
    bindAs(0x1001);
}

TEST_F(ThreadPatchTest, NothingIsHookedWhileUnboundOrForAnotherThreadsWindow) {
    // Unbound, or bound by a loader that is gone (killed: no mark).
    for (const bool killed : {false, true}) {
        bindAs(killed ? 0x1001 : 0);
        if (killed)
            CloseHandle(mark_);
        std::thread([&] {
            HWND w = announcedWindow();
            EXPECT_EQ(zrv::threadhooks::ownHookedThreads(), 0) << (killed ? "killed" : "unbound");
            DestroyWindow(w);
            endOfThread();
        }).join();
        if (killed)
            mark_ = zrv::makeBindingMark();
    }
    bindAs(0x1001);
    HWND elsewhere = makeWindow(); // this thread's, announced from another one
    std::thread([&] {
        const DWORD error = 1234;
        SetLastError(error);
        ThreadPatch(nullptr, EVENT_OBJECT_CREATE, elsewhere, OBJID_WINDOW, 0, 0, 0);
        EXPECT_EQ(zrv::threadhooks::ownHookedThreads(), 0) << "another thread's window";
        EXPECT_EQ(GetLastError(), error) << "the program's last error is kept";
    }).join();
    DestroyWindow(elsewhere);
}
