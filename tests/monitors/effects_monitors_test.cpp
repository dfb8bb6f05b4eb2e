// The effects on real windows on either monitor: the library's code linked
// into this program with both hooks on this thread, settings from real files.
#include "hooklib/shadow_geometry.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "tests/hooklib/win/attached_library.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/monitors/monitor_fixture.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zt::test;

namespace {

const bool g_unmanaged = (unmanagedWindowsUnderWine(), true);

LRESULT CALLBACK plainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

class Effects : public ::testing::Test {
  protected:
    void SetUp() override {
        zrv::test::attachLibraryOnce();
        other_ = otherMonitor();
        ASSERT_FALSE(other_.bounds.empty()) << "this test needs a second monitor";
    }
    void TearDown() override {
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        pumpMessages(20);
    }
    static void set(const char* key, int value) { writeIni("Zirvane.ini", "GLOBAL", key, value); }

    HWND window(int x, int y, int w, int h, HWND owner = nullptr) {
        HWND wnd = CreateWindowExA(0, cls_.name, "on a monitor", WS_OVERLAPPEDWINDOW, x, y, w, h,
                                   owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(wnd);
        return wnd;
    }
    static RECT rectOf(HWND w) {
        RECT r = {};
        GetWindowRect(w, &r);
        return r;
    }
    static RECT maximized(HWND w) {
        ShowWindow(w, SW_MAXIMIZE);
        pumpMessages(10);
        return rectOf(w);
    }

    // Maximize to set size on the other monitor: the corner of its work
    // area, the size limited to it, an own corner moved in to fit.
    void maximizeOnTheOtherMonitor() {
        const zt::Rect work = other_.work;
        struct Case {
            const char* what;
            int width, height, maxLeft;
            POINT at;            // where the window stands before, from the work area's corner
            int left, top, w, h; // expected, from the work area's corner
        };
        const int ww = work.width(), wh = work.height();
        const Case cases[] = {
            {"corner of its own work area", 800, 600, 1, {100, 50}, 0, 0, 800, 600},
            {"larger than its work area: limited", 3000, 2000, 1, {100, 50}, 0, 0, ww, wh},
            {"own corner kept", 500, 400, 0, {120, 60}, 120, 60, 500, 400},
            {"own corner moved in to fit",
             800,
             600,
             0,
             {ww - 300, wh - 200},
             ww - 800,
             wh - 600,
             800,
             600},
        };
        for (const Case& c : cases) {
            set("MAXWIDTH", c.width);
            set("MAXHEIGHT", c.height);
            set("MAXLEFT", c.maxLeft);
            HWND w = window(work.left + c.at.x, work.top + c.at.y, 300, 200);
            ShowWindow(w, SW_SHOWNOACTIVATE);
            pumpMessages(10);
            const RECT r = maximized(w);
            EXPECT_EQ(r.left, work.left + c.left) << c.what << ": " << describe(r);
            EXPECT_EQ(r.top, work.top + c.top) << c.what << ": " << describe(r);
            EXPECT_EQ(r.right - r.left, c.w) << c.what;
            EXPECT_EQ(r.bottom - r.top, c.h) << c.what;
            DestroyWindow(w);
        }
    }

    // Shadows where the placement puts them, for windows across the border of
    // the two monitors and wholly on the other one, after a fade that ends
    // opaque.
    void shadowsAndFadeAcrossMonitors() {
        set("Shadows", 1);
        set("SEMITRANS", 1);
        set("FADERATE", 10);
        zrv::LoadEffectSettings();
        const zt::Rect b = other_.bounds;
        const int border = b.left > 0 ? b.left : b.right; // where the two monitors meet
        const POINT at[] = {{border - 150, 100}, {b.left + 40, b.top + 30}};
        for (const POINT p : at) {
            HWND w = window(p.x, p.y, 300, 200);
            ShowWindow(w, SW_SHOWNOACTIVATE);
            EXPECT_TRUE(waitFor(
                [&] {
                    pumpMessages(10);
                    return !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED) &&
                           !zrv::props::has(w, zrv::props::kFadeLevel);
                },
                5000))
                << "the fade ends opaque at " << p.x;
            const RECT o = rectOf(w);
            const zrv::shadow::Rect owner{o.left, o.top, o.right, o.bottom};
            const zrv::shadow::ShadowParams params{8, 8};
            HWND right = zrv::props::getWindow(w, zrv::props::kShadowRight);
            HWND bottom = zrv::props::getWindow(w, zrv::props::kShadowBottom);
            ASSERT_TRUE(IsWindow(right) && IsWindow(bottom)) << p.x;
            const RECT r = rectOf(right), bt = rectOf(bottom);
            EXPECT_EQ(zrv::shadow::Rect({r.left, r.top, r.right, r.bottom}),
                      zrv::shadow::placement(zrv::shadow::Side::Right, owner, params, false))
                << p.x << ": " << describe(r);
            EXPECT_EQ(zrv::shadow::Rect({bt.left, bt.top, bt.right, bt.bottom}),
                      zrv::shadow::placement(zrv::shadow::Side::Bottom, owner, params, false))
                << p.x << ": " << describe(bt);
            EXPECT_TRUE(IsWindowVisible(right) && IsWindowVisible(bottom)) << p.x;
            DestroyWindow(w);
        }
    }

    // A slide from the screen edge starts at the top of the work area of the
    // window's own monitor, in its middle.
    void slideFromTheOwnMonitorsEdge() {
        set("SLIDE", 1);
        set("SLIDESCREEN", 1);
        set("SLIDERATE", 10);
        zrv::LoadEffectSettings();
        const zt::Rect work = other_.work;
        HWND owner = window(work.left + 10, work.top + 10, 200, 150);
        ShowWindow(owner, SW_SHOWNOACTIVATE);
        pumpMessages(10);
        HWND w = window(work.left + 50, work.top + 100, 300, 200, owner);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        const RECT start = rectOf(w);
        EXPECT_EQ(start.left, work.left + (work.width() - 300) / 2) << describe(start);
        EXPECT_EQ(start.top, work.top) << describe(start);
        EXPECT_TRUE(waitFor(
            [&] {
                pumpMessages(10);
                return !zrv::props::has(w, zrv::props::kSlideStep);
            },
            5000));
        const RECT end = rectOf(w);
        EXPECT_EQ(end.left, start.left);
        EXPECT_GT(end.top, start.top) << "it slid down towards the middle";
        EXPECT_LE(end.top, work.top + (work.height() - 200) / 2);
    }

    ScopedSettingsFiles files_;
    zrv::test::ThreadHooks hooks_;
    TestWindowClass cls_{"MonitorTestWindow", plainProc};
    std::vector<HWND> windows_;
    zt::Monitor other_;
};

using SecondMonitorEffects = Effects;
using LeftMonitorEffects = Effects;

TEST_F(SecondMonitorEffects, MaximizeToSetSize) {
    ASSERT_GE(other_.bounds.left, 0) << "the second monitor is right of the primary";
    maximizeOnTheOtherMonitor();
}
TEST_F(SecondMonitorEffects, ShadowsAndFade) {
    shadowsAndFadeAcrossMonitors();
}
TEST_F(SecondMonitorEffects, Slide) {
    slideFromTheOwnMonitorsEdge();
}

TEST_F(LeftMonitorEffects, MaximizeToSetSize) {
    ASSERT_LT(other_.bounds.left, 0) << "the other monitor is left of the primary";
    maximizeOnTheOtherMonitor();
}
TEST_F(LeftMonitorEffects, ShadowsAndFade) {
    shadowsAndFadeAcrossMonitors();
}
TEST_F(LeftMonitorEffects, Slide) {
    slideFromTheOwnMonitorsEdge();
}

} // namespace
