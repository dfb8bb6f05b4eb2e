// A thousand shadowed windows created, moved, resized and destroyed: nothing
// may be left behind. Prints its figures.
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/observed.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace zt::test;

namespace {

// No window manager on the test display: see shadow_test.cpp.
const bool g_unmanaged = (zt::test::unmanagedWindowsUnderWine(), true);

using zrv::test::ThreadHooks;

int shadowWindows() {
    return static_cast<int>(windowsOfProcess(GetCurrentProcessId(), "VelkShadow").size());
}

// The platform's own counts where it keeps them. Wine reports 0 for both:
// there the GDI objects are counted by asking the type of every handle
// index (a handle without its generation bits names whatever lives at that
// index), and the USER objects as this thread's windows.
bool g_counted = false;

long gdiObjects() {
    const long n = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    if (n > 0)
        return n;
    g_counted = true;
    long live = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++live;
    return live;
}

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

long userObjects() {
    const long n = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (n > 0)
        return n;
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// 1000 windows take well over a minute under wine; the test run does a few
// hundred, ZT_SHADOW_WINDOWS asks for more.
int windowCount() {
    const char* v = getenv("ZT_SHADOW_WINDOWS");
    const int n = v ? atoi(v) : 0;
    return n > 0 ? n : 100;
}

constexpr int kAlive = 10;

// One window's life, i-th of the run; every kAlive windows the live ones are
// destroyed together.
void cycle(int i, bool last, const char* className, std::vector<HWND>& alive, int& peak,
           int shadowsStart) {
    // Every kind in turn: plain and elliptic windows, and every twenty a
    // settings change between graded, uniform and opaque shadows.
    if (i % 20 == 0) {
        const int kind = (i / 20) % 3;
        writeIni("Zirvane.ini", "GLOBAL", "shadowsSemiTrans", kind == 2 ? 0 : 1);
        writeIni("Zirvane.ini", "GLOBAL", "ShadowsVar", kind == 1 ? 1 : 2);
        writeIni("Zirvane.ini", "GLOBAL", "RealShadowSize", 2 + (i / 20) % 12 * 2);
        zrv::LoadEffectSettings();
    }
    const int w = 120 + (i * 37) % 300, h = 90 + (i * 53) % 200;
    HWND wnd = CreateWindowExA(0, className, "stress", WS_OVERLAPPEDWINDOW, (i * 13) % 600,
                               (i * 7) % 400, w, h, nullptr, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
    ASSERT_TRUE(wnd);
    if (i % 2)
        SetWindowRgn(wnd, CreateEllipticRgn(0, 0, w, h), FALSE);
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    SetWindowPos(wnd, nullptr, (i * 17) % 500, (i * 11) % 300, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(wnd, nullptr, 0, 0, w + 30, h - 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    alive.push_back(wnd);
    peak = std::max(peak, shadowWindows() - shadowsStart);
    if (static_cast<int>(alive.size()) == kAlive || last) {
        pumpMessages(5); // the settle timers of some
        for (HWND a : alive)
            DestroyWindow(a);
        alive.clear();
    }
}

TEST(ShadowReliability, ShadowedWindowsLeaveNothingBehind) {
    ScopedSettingsFiles files;
    writeIni("Zirvane.ini", "GLOBAL", "Shadows", 1);
    zrv::processAttach(nullptr);
    ThreadHooks hooks;
    TestWindowClass cls("ShadowStressWindow");
    std::vector<HWND> alive;
    int peak = 0;
    const int shadowsStart = shadowWindows();
    // The platform's own caches fill with the first windows of each kind.
    for (int i = 0; i < 60; ++i)
        cycle(i, i == 59, cls.name, alive, peak, shadowsStart);
    pumpMessages(200);

    const int windows = windowCount();
    const long gdiStart = gdiObjects(), userStart = userObjects();
    const unsigned rebuildsStart = zrv::test::observed().shadowRebuilds.load();
    const DWORD t0 = GetTickCount();
    peak = 0;
    for (int i = 0; i < windows; ++i)
        cycle(i, i == windows - 1, cls.name, alive, peak, shadowsStart);
    pumpMessages(200);
    const DWORD ms = GetTickCount() - t0;
    const long gdiEnd = gdiObjects(), userEnd = userObjects();
    const int shadowsLeft = shadowWindows() - shadowsStart;
    std::printf("shadow reliability: %d windows in %lu ms, %u pictures made, at most %d shadow "
                "windows at once, %d left\n",
                windows, ms, zrv::test::observed().shadowRebuilds.load() - rebuildsStart, peak,
                shadowsLeft);
    std::printf("shadow reliability: GDI objects %ld -> %ld, USER objects %ld -> %ld%s\n",
                gdiStart, gdiEnd, userStart, userEnd,
                g_counted ? " (counted: live GDI handles, this thread's windows)" : "");
    EXPECT_EQ(shadowsLeft, 0);
    EXPECT_EQ(peak, 2 * kAlive);
    EXPECT_LE(std::labs(gdiEnd - gdiStart), 5);
    EXPECT_LE(std::labs(userEnd - userStart), 5);
}

} // namespace
