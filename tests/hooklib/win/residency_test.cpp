// The shipped zrv.dll stays mapped while its fade timers and shadow windows
// are alive, and lets itself go once they are gone: freeing it under a live
// effect must not leave the next timer tick running code that is unmapped.
#include "hooklib/win/zrv_exports.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zt::test;

// Captioned windows destroyed under wine with no window manager wait two
// seconds each otherwise; set before the program's first window.
const bool g_unmanaged = [] {
    unmanagedWindowsUnderWine();
    return true;
}();

bool layered(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
int shadowCount() {
    return static_cast<int>(windowsOfProcess(GetCurrentProcessId(), "VelkShadow").size());
}

// The library bound and hooked on this thread the way the loader does it.
struct Bound {
    Bound() {
        lib = LoadLibraryA(inExeDir("zrv.dll").c_str());
        if (!lib)
            return;
        auto ret = zrvExport<HOOKPROC>(lib, "PatchAPI");
        auto call = zrvExport<HOOKPROC>(lib, "PatchAPI2");
        setHookPtr = zrvExport<SetHookPtrProc>(lib, "SetHookPtr");
        if (!ret || !call || !setHookPtr)
            return;
        retHook = SetWindowsHookExA(WH_CALLWNDPROCRET, ret, lib, GetCurrentThreadId());
        callHook = SetWindowsHookExA(WH_CALLWNDPROC, call, lib, GetCurrentThreadId());
        setHookPtr(retHook, callHook, nullptr);
    }
    // Unhooks, says so through the shared handles, frees our reference.
    void unbind() {
        if (setHookPtr)
            setHookPtr(nullptr, nullptr, nullptr);
        UnhookWindowsHookEx(callHook);
        UnhookWindowsHookEx(retHook);
        FreeLibrary(lib);
        lib = nullptr;
    }
    ~Bound() {
        if (lib)
            unbind();
    }
    bool ok() const { return lib && retHook && callHook; }
    HMODULE lib = nullptr;
    SetHookPtrProc setHookPtr = nullptr;
    HHOOK retHook = nullptr, callHook = nullptr;
};

class Residency : public ::testing::Test {
protected:
    void SetUp() override {
        writeIni("Zirvane.ini", "GLOBAL", "Shadows", "1");
        writeIni("Zirvane.ini", "GLOBAL", "SEMITRANS", "1");
        writeIni("Zirvane.ini", "GLOBAL", "SLIDE", "0");
        // Long enough to be seen under way on a busy machine, short enough
        // to wait for.
        writeIni("Zirvane.ini", "GLOBAL", "FADERATE", "300");
    }
    ScopedSettingsFiles files_;
};

TEST_F(Residency, FreedUnderALiveFadeAndShadowsStaysUntilTheyAreGone) {
    ASSERT_EQ(GetModuleHandleA("zrv.dll"), nullptr);
    TestWindowClass cls("ResidencyOwner");
    Bound bound;
    ASSERT_TRUE(bound.ok());
    HWND w = CreateWindowExA(0, cls.name, "owner", WS_OVERLAPPEDWINDOW, 100, 100, 240, 180,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    pumpMessages(30);
    ASSERT_TRUE(layered(w)) << "the fade has begun";
    ASSERT_EQ(shadowCount(), 2);

    bound.unbind();
    EXPECT_NE(GetModuleHandleA("zrv.dll"), nullptr) << "unmapped under a live fade";
    // The fade's ticks run in the library on this thread; the shadows close
    // once the library sees it was unbound; then it goes.
    EXPECT_TRUE(waitFor([] { return GetModuleHandleA("zrv.dll") == nullptr; }, 12000));
    EXPECT_EQ(shadowCount(), 0);
    EXPECT_FALSE(layered(w)) << "the window ends opaque";
    for (const char* p : {"SH1", "SH2", "fxTimer4", "fxLayer"})
        EXPECT_EQ(GetPropA(w, p), nullptr) << p;
    DestroyWindow(w);
}

bool unmappedWithin(DWORD ms) {
    return waitFor([] { return GetModuleHandleA("zrv.dll") == nullptr; }, ms);
}

// A fading or sliding window destroyed after the unbind: no hook sees its
// end, yet the library must not stay mapped for the life of the process.
TEST_F(Residency, AnimatedWindowDestroyedAfterTheUnbindLetsTheLibraryGo) {
    struct Case {
        const char* name;
        const char* semiTrans;
        const char* slide;
        const char* prop; // the animation under way
    };
    const Case cases[] = {
        {"fade", "1", "0", "fxTimer4"},
        {"slide", "0", "1", "fxTimer"},
    };
    writeIni("Zirvane.ini", "GLOBAL", "Shadows", "0");
    writeIni("Zirvane.ini", "GLOBAL", "SLIDERATE", "300");
    TestWindowClass cls("ResidencyGone");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(unmappedWithin(3000));
        writeIni("Zirvane.ini", "GLOBAL", "SEMITRANS", c.semiTrans);
        writeIni("Zirvane.ini", "GLOBAL", "SLIDE", c.slide);
        HWND owner = CreateWindowExA(0, cls.name, "owner", WS_OVERLAPPEDWINDOW, 100, 100, 400,
                                     300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(owner, SW_SHOWNOACTIVATE);
        Bound bound;
        ASSERT_TRUE(bound.ok());
        HWND w = CreateWindowExA(0, cls.name, c.name, WS_OVERLAPPEDWINDOW, 150, 150, 200, 150,
                                 owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        pumpMessages(20);
        ASSERT_NE(GetPropA(w, c.prop), nullptr) << "the animation has begun";
        bound.unbind();
        ASSERT_NE(GetModuleHandleA("zrv.dll"), nullptr) << "unmapped under a live animation";
        DestroyWindow(w);
        EXPECT_TRUE(unmappedWithin(3000)) << "held for a window that is gone";
        DestroyWindow(owner);
    }
}

// A menu bar's translucency timer set just before the unbind runs in the
// library after it: the library stays until the timer has run.
TEST_F(Residency, MenuTranslucencyTimerHoldsTheLibraryUntilItHasRun) {
    writeIni("Zirvane.ini", "GLOBAL", "Shadows", "0");
    writeIni("Zirvane.ini", "GLOBAL", "SEMITRANS", "0");
    writeIni("Zirvane.ini", "GLOBAL", "SemiMenus", "1");
    TestWindowClass cls("BaseBar");
    Bound bound;
    ASSERT_TRUE(bound.ok());
    // Its first frame calculation starts the timer; no message is pumped
    // until after the unbind.
    HWND bar = CreateWindowExA(WS_EX_TOOLWINDOW, cls.name, "", WS_POPUP, 50, 50, 120, 200,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(layered(bar)) << "the bar was taken";
    bound.unbind();
    const bool stayed = GetModuleHandleA("zrv.dll") != nullptr;
    EXPECT_TRUE(stayed) << "unmapped under a live translucency timer";
    if (!stayed) {
        // Its tick would run code that is gone.
        KillTimer(bar, 17612);
    }
    pumpMessages(100);
    EXPECT_TRUE(unmappedWithin(3000));
    DestroyWindow(bar);
}

// Bound again while the effects of an unbind still hold the library, then
// unbound again: the second unbind closes the shadows it finds and the
// library leaves once the fade is over.
TEST_F(Residency, BoundAgainBeforeItLeftStillLeavesAfterTheNextUnbind) {
    writeIni("Zirvane.ini", "GLOBAL", "FADERATE", "150");
    TestWindowClass cls("ResidencyAgain");
    HWND w = nullptr;
    {
        Bound first;
        ASSERT_TRUE(first.ok());
        w = CreateWindowExA(0, cls.name, "owner", WS_OVERLAPPEDWINDOW, 100, 100, 240, 180,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        pumpMessages(30);
        ASSERT_EQ(shadowCount(), 2);
        first.unbind();
        ASSERT_NE(GetModuleHandleA("zrv.dll"), nullptr) << "held by the fade";
        // The keeper sees the unbind and closes the shadows.
        ASSERT_TRUE(waitFor([] { return shadowCount() == 0; }, 3000));
    }
    Bound second;
    ASSERT_TRUE(second.ok());
    // Moved while bound again: the window gets new shadows.
    SetWindowPos(w, nullptr, 120, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages(30);
    ASSERT_EQ(shadowCount(), 2);
    second.unbind();
    EXPECT_TRUE(unmappedWithin(12000)) << "the shadows of the second binding hold it";
    EXPECT_EQ(shadowCount(), 0);
    DestroyWindow(w);
}

TEST_F(Residency, WithNoEffectAliveFreeingUnmapsAtOnce) {
    writeIni("Zirvane.ini", "GLOBAL", "Shadows", "0");
    writeIni("Zirvane.ini", "GLOBAL", "SEMITRANS", "0");
    writeIni("Zirvane.ini", "GLOBAL", "SMALLONLY", "1");
    TestWindowClass cls("ResidencyPlain");
    Bound bound;
    ASSERT_TRUE(bound.ok());
    HWND w = CreateWindowExA(0, cls.name, "plain", WS_OVERLAPPEDWINDOW, 100, 100, 600, 500,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    pumpMessages(30);
    ASSERT_FALSE(layered(w)) << "a large window does not fade with SMALLONLY";
    bound.unbind();
    EXPECT_EQ(GetModuleHandleA("zrv.dll"), nullptr);
    DestroyWindow(w);
}

} // namespace
