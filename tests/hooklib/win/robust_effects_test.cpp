// The library must never break the programs it runs in: layering a program
// set itself survives, the library's own windows get no effects,
// and a reload never waits on a busy thread.
#include "common/win/scoped.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "hooklib/window_kinds.h"
#include "tests/hooklib/win/effects_fixture.h"
#include "tests/hooklib/win/effects_harness.h"
#include "tests/hooklib/win/observed.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace zt::test;
using namespace fxtest;
namespace props = zrv::props;

namespace {

struct Layering {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
Layering layeringOf(HWND w) {
    Layering l;
    GetLayeredWindowAttributes(w, &l.key, &l.alpha, &l.flags);
    return l;
}

class Robust : public EffectsFixture {
protected:
    void SetUp() override {
        EffectsFixture::SetUp();
        set("FADERATE", "600000");
        set("SLIDE", "0");
        set("SEMITRANS", "1");
        zrv::LoadEffectSettings();
    }
    static void appTransparency(int value) {
        writeIni("Zirvane2.ini", zrv::state().appSection, "Trans", value);
        zrv::LoadEffectSettings();
    }
    HWND window(DWORD style, DWORD ex = 0) { return recordingWindow(style, ex, 60, 60, 220, 160); }
};

// A window the program layered itself (colour key or opacity) keeps exactly
// what it set through a fade, application transparency and a reload; a
// plain window is faded or made translucent and given back opaque.
TEST_F(Robust, LayeringOfTheProgramIsNeverTakenOrChanged) {
    struct Case {
        const char* name;
        bool programLayers;
        DWORD flags;
        int appTrans; // 0: fade instead
    };
    const Case cases[] = {
        {"colour key, fade", true, LWA_COLORKEY, 0},
        {"colour key, app transparency", true, LWA_COLORKEY, 150},
        {"program opacity, app transparency", true, LWA_ALPHA, 150},
        {"plain window, fade", false, 0, 0},
        {"plain window, app transparency", false, 0, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        appTransparency(c.appTrans);
        HWND w = window(kCaptioned, c.programLayers ? WS_EX_LAYERED : 0);
        if (c.programLayers) {
            ASSERT_TRUE(SetLayeredWindowAttributes(w, RGB(1, 2, 3), 77, c.flags));
        }
        const Layering before = layeringOf(w);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        if (c.programLayers) {
            EXPECT_FALSE(props::has(w, props::kFadeLevel)) << "no fade";
            EXPECT_FALSE(props::has(w, props::kAddedLayer));
            const Layering after = layeringOf(w);
            EXPECT_EQ(after.flags, before.flags);
            EXPECT_EQ(after.key, before.key);
            if (c.flags & LWA_ALPHA) {
                EXPECT_EQ(after.alpha, before.alpha);
            }
        } else {
            EXPECT_TRUE(isLayered(w));
            EXPECT_TRUE(props::has(w, props::kAddedLayer));
        }
        // A reload resets the window in its own thread.
        zrv::fx::resetWindow(w);
        EXPECT_EQ(isLayered(w), c.programLayers) << "only the library's own layering goes";
        EXPECT_FALSE(props::has(w, props::kAddedLayer));
        DestroyWindow(w);
    }
}

// The library's own windows, shown again, get neither application
// transparency nor a fade; a shadow's per-pixel updates keep working.
TEST_F(Robust, OwnWindowsGetNoEffects) {
    appTransparency(150);
    for (const char* cls : {zrv::kinds::kShadowClass, zrv::kinds::kFakeMenuClass}) {
        SCOPED_TRACE(cls);
        HWND own = CreateWindowExA(WS_EX_TOOLWINDOW, cls, "", WS_POPUP | WS_CAPTION, 10, 10, 100,
                                   80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(own, nullptr);
        windows_.add(own);
        ASSERT_TRUE(zrv::fx::isEffectWindow(own));
        ShowWindow(own, SW_SHOWNOACTIVATE);
        ShowWindow(own, SW_HIDE);
        ShowWindow(own, SW_SHOWNOACTIVATE);
        SetWindowPos(own, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_FALSE(isLayered(own));
        for (const char* p : props::kAll)
            EXPECT_FALSE(props::has(own, p)) << p;
        DestroyWindow(own);
    }
    HWND plain = window(kCaptioned);
    EXPECT_FALSE(zrv::fx::isEffectWindow(plain));
}

// A reload facing a thread that does not answer finishes at once; the
// thread drops its window's effects when it answers again, and no shadow is
// left on screen without its window's properties naming it.
TEST_F(Robust, ReloadDoesNotWaitForABusyThreadAndLeavesNoOrphanShadow) {
    std::atomic<HWND> owner{nullptr};
    std::atomic<bool> busy{false}, waiting{false}, quit{false};
    HWND right = nullptr;
    // Busy until told: neither hung (answered within 5 s) nor answering.
    zt::ScopedKernelHandle answer(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread other([&] {
        ThreadHooks hooks;
        HWND w = makeWindow(kCaptioned, 0, 300, 200, 200, 150);
        owner = w;
        while (!quit) {
            if (busy) {
                waiting = true;
                WaitForSingleObject(answer.get(), 4000);
                busy = false;
            }
            pumpMessages(10);
        }
        DestroyWindow(w);
        pumpMessages(20);
    });
    ASSERT_TRUE(waitFor([&] { return owner.load() != nullptr; }, 3000));
    HWND w = owner;
    // Shadows on: the other thread's window gets two shadow windows.
    set("Shadows", "1");
    zrv::LoadEffectSettings();
    ShowWindowAsync(w, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(waitFor([&] { return props::has(w, props::kShadowRight); }, 3000));
    right = props::getWindow(w, props::kShadowRight);
    ASSERT_TRUE(IsWindow(right));

    busy = true;
    ASSERT_TRUE(waitFor([&] { return waiting.load(); }, 3000));
    zrv::LoadEffectSettings();
    // Back while the thread is still busy: the reload did not wait for it,
    // and the shadow it could not reach is still there. (Looked at before the
    // thread is let go: from then on it may drop the shadow at any moment.)
    EXPECT_TRUE(busy.load()) << "the reload waited on the busy thread";
    EXPECT_TRUE(IsWindow(right)) << "a shadow the reload could not reach";
    SetEvent(answer.get());
    // Once the thread answers it resets the window itself: the shadows go
    // with their properties (and are rebuilt by the next move).
    EXPECT_TRUE(waitFor([&] { return !IsWindow(right); }, 4000));
    quit = true;
    other.join();
    set("Shadows", "0");
    zrv::LoadEffectSettings();
}

// A full table of tracked windows beeps once for the process, not on every
// position message of every window it cannot take: that would hold the
// program for a second each time.
TEST_F(Robust, FullTrackedTableBeepsOncePerProcess) {
    set("Shadows", "1");
    zrv::LoadEffectSettings();
    // The table filled with real windows of another thread: message-only
    // ones cost little to make.
    TestWindowClass cls("FullTableFiller");
    std::atomic<bool> filled{false}, quit{false};
    std::atomic<int> made{0};
    std::thread filler([&] {
        std::vector<HWND> mine;
        for (;;) {
            HWND m = CreateWindowExA(0, cls.name, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
            if (!m)
                break;
            mine.push_back(m);
            // Every held slot is taken as live, as it is: one look per slot.
            if (zrv::state().tracked.track(props::handleValue(m), nullptr) ==
                zrv::TrackedWindowTable::kFull)
                break;
        }
        made = static_cast<int>(mine.size());
        filled = true;
        while (!quit)
            pumpMessages(10);
        // They go with the thread, at once: one by one takes seconds.
    });
    ASSERT_TRUE(waitFor([&] { return filled.load(); }, 30000));
    ASSERT_GE(made.load(), 1);
    zrv::ProcessState& s = zrv::state();
    s.fullTableBeeped = false;
    const unsigned beepsBefore = zrv::test::observed().fullTableBeeps;

    DWORD slowest = 0;
    int moves = 0;
    for (int i = 0; i < 3; ++i) {
        HWND w = window(kCaptioned);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        for (int step = 0; step < 8; ++step, ++moves) {
            const DWORD start = GetTickCount();
            SetWindowPos(w, nullptr, 40 + 10 * step, 50 + 30 * i, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            slowest = std::max<DWORD>(slowest, GetTickCount() - start);
        }
        EXPECT_EQ(s.tracked.find(props::handleValue(w)), 0) << "no room for it";
    }
    EXPECT_EQ(zrv::test::observed().fullTableBeeps - beepsBefore, 1u) << moves << " moves of untracked windows";
    EXPECT_LT(slowest, 500u) << "a position message was held";
    quit = true;
    filler.join();
    set("Shadows", "0");
    zrv::LoadEffectSettings();
}

// What a child does to its parent from its own WM_DESTROY: the parent has
// already had its own WM_DESTROY then, and its last message is still to come.
enum class LateAct { Show, Activate, Reset, TableSlotOnly, OnePropertyOnly };
LateAct g_lateAct = LateAct::Show;

LRESULT CALLBACK lateChildProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        HWND parent = GetParent(w);
        switch (g_lateAct) {
        case LateAct::Show:
            SetWindowPos(parent, nullptr, 90, 90, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            break;
        case LateAct::Activate:
            SendMessageA(parent, WM_NCACTIVATE, TRUE, 0);
            break;
        case LateAct::Reset:
            SendMessageA(parent, zrv::state().hookMessage, zrv::HOOKCMD_RESET, 0);
            break;
        // A single mark of the library, with nothing else to give it away.
        case LateAct::TableSlotOnly:
            zrv::fx::trackWindow(parent);
            break;
        case LateAct::OnePropertyOnly:
            props::setInt(parent, props::kAddedLayer, 1);
            break;
        }
    }
    return DefWindowProcA(w, msg, wp, lp);
}

// A position, activation or reset message that reaches a window after its
// destruction began (here from its child's WM_DESTROY, as a program may do,
// or a reload's reset met on the way) must not leave shadows on screen or
// properties on the window at its last message.
TEST_F(Robust, MessagesDuringDestructionLeaveNothingBehind) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = lateChildProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FxLateChild";
    RegisterClassA(&wc);
    set("Shadows", "1");
    appTransparency(150);
    struct Case {
        const char* name;
        LateAct act;
    };
    const Case cases[] = {{"shown and moved", LateAct::Show},
                          {"activated", LateAct::Activate},
                          {"reset by a reload", LateAct::Reset},
                          {"given a table slot alone", LateAct::TableSlotOnly},
                          {"given one property alone", LateAct::OnePropertyOnly}};
    const size_t shadowsBefore =
        windowsOfProcess(GetCurrentProcessId(), zrv::kinds::kShadowClass).size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_lateAct = c.act;
        HWND w = window(kCaptioned);
        ASSERT_TRUE(CreateWindowExA(0, "FxLateChild", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 40, w,
                                    nullptr, GetModuleHandleA(nullptr), nullptr));
        ShowWindow(w, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(props::has(w, props::kShadowRight)) << "shadowed while it lived";
        recorder().watched = w;
        recorder().leftAtNcDestroy.clear();
        DestroyWindow(w);
        pumpMessages(20);
        std::string left;
        for (const std::string& p : recorder().leftAtNcDestroy)
            left += " " + p;
        EXPECT_TRUE(left.empty()) << "at its last message:" << left;
        EXPECT_EQ(zrv::state().tracked.find(props::handleValue(w)), 0);
        EXPECT_EQ(windowsOfProcess(GetCurrentProcessId(), zrv::kinds::kShadowClass).size(),
                  shadowsBefore)
            << "shadows left on screen";
    }
    recorder().watched = nullptr;
    appTransparency(0);
    set("Shadows", "0");
    zrv::LoadEffectSettings();
}

} // namespace

int main(int argc, char** argv) {
    // Captioned windows hidden or destroyed under wine with no window
    // manager wait two seconds each otherwise.
    fxtest::unmanagedWindowsUnderWine();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
