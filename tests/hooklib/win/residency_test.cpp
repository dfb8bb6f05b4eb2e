// The shipped zrv.dll stays mapped while its fade timers and shadow windows
// are alive, and lets itself go once they are gone: freeing it under a live
// effect must not leave the next timer tick running code that is unmapped.
#include "hooklib/win/zrv_exports.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zt::test;

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
        writeIni("Zirvane.ini", "GLOBAL", "FADERATE", "80");
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
    EXPECT_TRUE(waitFor([] { return GetModuleHandleA("zrv.dll") == nullptr; }, 6000));
    EXPECT_EQ(shadowCount(), 0);
    EXPECT_FALSE(layered(w)) << "the window ends opaque";
    for (const char* p : {"SH1", "SH2", "fxTimer4", "fxLayer"})
        EXPECT_EQ(GetPropA(w, p), nullptr) << p;
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
