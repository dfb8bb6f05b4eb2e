// Window shadows on real windows: the library's code linked into this
// program with both hooks on this thread, settings from real files.
#include "hooklib/shadow_geometry.h"
#include "hooklib/shadow_image.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/shadow_regions.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/attached_library.h"
#include "tests/hooklib/win/observed.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace zt::test;
namespace shadow = zrv::shadow;

namespace {

constexpr int kOverlap = 10;

// With no window manager on the test display, wine waits two seconds for one
// at every hide and destroy of a window it would leave to one. This program's
// windows are placed by wine itself; set before its display driver starts.
const bool g_unmanaged = (zt::test::unmanagedWindowsUnderWine(), true);

using zrv::test::ThreadHooks;

// What the test window's procedure saw.
struct Seen {
    bool hideSeen = false;
    bool shadowsVisibleAtHide = true;
    bool propsLeftAtNcDestroy = true;
};
Seen g_seen;

LRESULT CALLBACK watchingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGING) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
        if (pos->flags & SWP_HIDEWINDOW) {
            g_seen.hideSeen = true;
            HWND a = zrv::props::getWindow(w, zrv::props::kShadowRight);
            HWND b = zrv::props::getWindow(w, zrv::props::kShadowBottom);
            g_seen.shadowsVisibleAtHide = (a && IsWindowVisible(a)) || (b && IsWindowVisible(b));
        }
    }
    if (msg == WM_NCDESTROY)
        g_seen.propsLeftAtNcDestroy = GetPropA(w, "SH1") || GetPropA(w, "SH2") ||
                                      GetPropA(w, "WIDTH") || GetPropA(w, "HEIGHT");
    return DefWindowProcA(w, msg, wp, lp);
}

HWND rightOf(HWND w) { return zrv::props::getWindow(w, zrv::props::kShadowRight); }
HWND bottomOf(HWND w) { return zrv::props::getWindow(w, zrv::props::kShadowBottom); }

shadow::Rect rectOf(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return {r.left, r.top, r.right, r.bottom};
}

std::string className(HWND w) {
    char buf[64] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

int shadowWindowsOfThisProcess() {
    return static_cast<int>(windowsOfProcess(GetCurrentProcessId(), "VelkShadow").size());
}

class Shadows : public ::testing::Test {
protected:
    void SetUp() override {
        zrv::test::attachLibraryOnce();
        g_seen = {};
        set("Shadows", 1);
    }
    void TearDown() override {
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        pumpMessages(20);
    }
    void set(const char* key, int value) { writeIni("Zirvane.ini", "GLOBAL", key, value); }
    void load() { zrv::LoadEffectSettings(); }

    // A captioned window at (x, y), shown, optionally with an elliptic region.
    HWND window(int x, int y, int w, int h, bool elliptic = false, DWORD pumpMs = 10) {
        HWND wnd = CreateWindowExA(0, cls_.name, "shadowed", WS_OVERLAPPEDWINDOW, x, y, w, h,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (elliptic)
            SetWindowRgn(wnd, CreateEllipticRgn(0, 0, w, h), FALSE);
        ShowWindow(wnd, SW_SHOWNOACTIVATE);
        windows_.push_back(wnd);
        // No pump at all when asked for none: even one pass could run a timer
        // that came due while a loaded machine was creating the window.
        if (pumpMs)
            pumpMessages(pumpMs);
        return wnd;
    }

    ScopedSettingsFiles files_;
    ThreadHooks hooks_;
    TestWindowClass cls_{"ShadowTestWindow", watchingProc};
    std::vector<HWND> windows_;
};

// The region a shadow should have, built with the platform's own region
// calls from the owner's rectangle and region.
HRGN expectedShape(bool right, HWND owner, int s, int f) {
    const shadow::Rect w = rectOf(owner);
    HRGN g = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(owner, g) == ERROR) {
        DeleteObject(g);
        return right ? CreateRectRgn(kOverlap, 0, kOverlap + s, w.height())
                     : CreateRectRgn(0, kOverlap, w.width(), kOverlap + s);
    }
    HRGN moved = CreateRectRgn(0, 0, 0, 0), under = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(moved, g, nullptr, RGN_COPY);
    CombineRgn(under, g, nullptr, RGN_COPY);
    if (right) {
        OffsetRgn(moved, w.left - w.right + kOverlap + s, 0);
        OffsetRgn(under, w.left - w.right + kOverlap, -f);
    } else {
        OffsetRgn(moved, 0, w.top - w.bottom + kOverlap + s);
        OffsetRgn(under, -f, w.top - w.bottom + kOverlap);
    }
    CombineRgn(moved, moved, under, RGN_DIFF);
    DeleteObject(under);
    DeleteObject(g);
    return moved;
}

bool hasShape(HWND shadowWnd, HRGN expected) {
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    const bool ok = GetWindowRgn(shadowWnd, actual) != ERROR && EqualRgn(actual, expected);
    DeleteObject(actual);
    DeleteObject(expected);
    return ok;
}

void expectPlacedAndShaped(HWND owner, int extent, bool region) {
    HWND r = rightOf(owner), b = bottomOf(owner);
    ASSERT_TRUE(IsWindow(r));
    ASSERT_TRUE(IsWindow(b));
    EXPECT_EQ(className(r), "VelkShadow");
    EXPECT_EQ(className(b), "VelkShadow");
    EXPECT_EQ(GetPropA(r, "LLL"), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(GetPropA(b, "LLL"), nullptr);
    const shadow::ShadowParams p{extent, extent};
    const shadow::Rect w = rectOf(owner);
    EXPECT_EQ(rectOf(r), shadow::placement(shadow::Side::Right, w, p, region));
    EXPECT_EQ(rectOf(b), shadow::placement(shadow::Side::Bottom, w, p, region));
    EXPECT_TRUE(hasShape(r, expectedShape(true, owner, extent, extent)));
    EXPECT_TRUE(hasShape(b, expectedShape(false, owner, extent, extent)));
}

TEST_F(Shadows, PlacedAndShapedForSizesExtentsAndRegions) {
    struct Size {
        int w, h;
    };
    constexpr Size sizes[] = {{300, 200}, {160, 120}, {520, 90}};
    for (int extent : {2, 8, 25}) {
        set("RealShadowSize", extent);
        load();
        for (const Size sz : sizes)
            for (bool elliptic : {false, true}) {
                SCOPED_TRACE(testing::Message() << sz.w << "x" << sz.h << " extent " << extent
                                                << (elliptic ? " elliptic" : ""));
                HWND w = window(60, 50, sz.w, sz.h, elliptic);
                expectPlacedAndShaped(w, extent, elliptic);
                const LONG style = GetWindowLongA(rightOf(w), GWL_STYLE);
                EXPECT_EQ(static_cast<DWORD>(style) & 0xFFFF0000u, 0x84000000u | WS_VISIBLE);
                EXPECT_EQ(GetWindowLongA(rightOf(w), GWL_EXSTYLE) & 0x800A0, 0x800A0);
                // A resize brings both along with a new shape.
                if (elliptic)
                    SetWindowRgn(w, CreateEllipticRgn(0, 0, sz.w + 40, sz.h + 30), TRUE);
                SetWindowPos(w, nullptr, 80, 70, sz.w + 40, sz.h + 30,
                             SWP_NOZORDER | SWP_NOACTIVATE);
                SetWindowPos(w, nullptr, 90, 75, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
                expectPlacedAndShaped(w, extent, elliptic);
                DestroyWindow(w);
            }
    }
}

TEST_F(Shadows, AMoveWithoutResizeDoesNotRebuild) {
    load();
    HWND w = window(100, 100, 300, 200);
    pumpMessages(250); // past the settle rebuild
    const unsigned before = zrv::test::observed().shadowRebuilds.load();
    for (int i = 1; i <= 5; ++i) {
        SetWindowPos(w, nullptr, 100 + 7 * i, 100 + 3 * i, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        expectPlacedAndShaped(w, 8, false);
    }
    EXPECT_EQ(zrv::test::observed().shadowRebuilds.load(), before);
    SetWindowPos(w, nullptr, 0, 0, 320, 210, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(zrv::test::observed().shadowRebuilds.load(), before + 2);
}

// The picture a real shadow last handed to the platform, which it keeps in
// "BM", against one rendered afresh for its size and outline as they are.
void expectCurrentPicture(HWND sh, shadow::Side side) {
    const auto bmp = static_cast<HBITMAP>(GetPropA(sh, "BM"));
    ASSERT_NE(bmp, nullptr);
    DIBSECTION ds = {};
    ASSERT_EQ(GetObjectA(bmp, sizeof ds, &ds), static_cast<int>(sizeof ds));
    const shadow::Rect r = rectOf(sh);
    const int w = r.width(), h = r.height(), stride = ds.dsBm.bmWidth;
    ASSERT_GE(stride, w);
    ASSERT_GE(std::abs(ds.dsBm.bmHeight), h);
    shadow::Region shape;
    ASSERT_EQ(zrv::shadowwin::windowRegion(sh, shape), zrv::shadowwin::RegionRead::Read);
    std::vector<std::uint32_t> want(std::size_t(w) * h);
    ASSERT_TRUE(shadow::renderShadow(side, shadow::Shade::GradedAlpha, w, h, &shape, want.data()));
    const auto* got = static_cast<const std::uint32_t*>(ds.dsBm.bmBits);
    for (int y = 0; y < h; ++y)
        ASSERT_TRUE(std::equal(got + std::size_t(y) * stride, got + std::size_t(y) * stride + w,
                               want.begin() + std::size_t(y) * w))
            << "row " << y;
}

// Shrinking, growing past the old size and resizing along one edge: each
// shadow is where it belongs with its outline and its picture, and only
// the shadows whose own size changes are rebuilt.
TEST_F(Shadows, ResizesRebuildOnlyTheShadowsThatChange) {
    load();
    HWND w = window(100, 100, 300, 200);
    pumpMessages(250); // past the settle rebuild
    struct Step {
        int x, y, w, h;
        unsigned rebuilt;
    };
    constexpr Step steps[] = {
        {100, 100, 200, 150, 2}, // smaller both ways
        {100, 100, 420, 260, 2}, // larger than at first
        {100, 100, 420, 200, 1}, // height only: the bottom shadow only moves
        {100, 100, 380, 200, 1}, // width only: the right shadow only moves
        {120, 90, 380, 200, 0},  // a move
        {120, 90, 60, 40, 2},    // small
        {120, 90, 700, 500, 2},  // far larger than any before
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(testing::Message() << st.w << "x" << st.h << " at " << st.x << "," << st.y);
        const unsigned before = zrv::test::observed().shadowRebuilds.load();
        SetWindowPos(w, nullptr, st.x, st.y, st.w, st.h, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(zrv::test::observed().shadowRebuilds.load() - before, st.rebuilt);
        expectPlacedAndShaped(w, 8, false);
        expectCurrentPicture(rightOf(w), shadow::Side::Right);
        expectCurrentPicture(bottomOf(w), shadow::Side::Bottom);
    }
}

// The picture a shadow keeps goes with it, whichever way it goes.
TEST_F(Shadows, TheKeptPictureGoesWithTheShadow) {
    enum class Way { OwnerDestroyed, ShadowDestroyed, Reload };
    for (Way way : {Way::OwnerDestroyed, Way::ShadowDestroyed, Way::Reload}) {
        SCOPED_TRACE(static_cast<int>(way));
        load();
        HWND w = window(100, 100, 300, 200);
        HWND r = rightOf(w), b = bottomOf(w);
        const HGDIOBJ pictures[] = {GetPropA(r, "BM"), GetPropA(b, "BM")};
        for (HGDIOBJ p : pictures)
            ASSERT_EQ(GetObjectType(p), static_cast<DWORD>(OBJ_BITMAP));
        switch (way) {
        case Way::OwnerDestroyed: DestroyWindow(w); break;
        case Way::ShadowDestroyed:
            DestroyWindow(r);
            DestroyWindow(b);
            break;
        case Way::Reload: load(); break;
        }
        EXPECT_FALSE(IsWindow(r));
        EXPECT_FALSE(IsWindow(b));
        for (HGDIOBJ p : pictures)
            EXPECT_EQ(GetObjectType(p), 0u);
    }
}

TEST_F(Shadows, HidingHidesShadowsBeforeTheWindowSeesIt) {
    load();
    HWND w = window(100, 100, 300, 200);
    ASSERT_TRUE(IsWindowVisible(rightOf(w)));
    ShowWindow(w, SW_HIDE);
    EXPECT_TRUE(g_seen.hideSeen);
    EXPECT_FALSE(g_seen.shadowsVisibleAtHide);
    EXPECT_FALSE(IsWindowVisible(rightOf(w)));
    EXPECT_FALSE(IsWindowVisible(bottomOf(w)));
    HWND other = window(500, 300, 200, 100);
    SetForegroundWindow(other);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(rightOf(w)));
    EXPECT_TRUE(IsWindowVisible(bottomOf(w)));
    // Showing a shadow never takes the activation from anyone.
    EXPECT_EQ(GetForegroundWindow(), other);
}

// Position of a window in the desktop's Z order, 0 at the top.
int zIndex(HWND target) {
    int i = 0;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT), ++i)
        if (h == target)
            return i;
    return -1;
}

TEST_F(Shadows, ForegroundShadowsGoOnTopOthersJustBelow) {
    load();
    HWND back = window(100, 100, 300, 200);
    HWND front = window(200, 150, 300, 200);
    SetForegroundWindow(front);
    SetWindowPos(front, nullptr, 210, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(back, nullptr, 110, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(GetForegroundWindow(), front);
    EXPECT_LT(zIndex(rightOf(front)), zIndex(front));
    EXPECT_LT(zIndex(bottomOf(front)), zIndex(front));
    EXPECT_GT(zIndex(rightOf(back)), zIndex(back));
    EXPECT_GT(zIndex(bottomOf(back)), zIndex(back));
    EXPECT_LE(zIndex(rightOf(back)), zIndex(back) + 2);
}

TEST_F(Shadows, DestroyClosesShadowsAndRemovesProperties) {
    load();
    const int before = shadowWindowsOfThisProcess();
    HWND w = window(100, 100, 300, 200);
    HWND r = rightOf(w), b = bottomOf(w);
    EXPECT_EQ(shadowWindowsOfThisProcess(), before + 2);
    DestroyWindow(w);
    EXPECT_FALSE(IsWindow(r));
    EXPECT_FALSE(IsWindow(b));
    EXPECT_FALSE(g_seen.propsLeftAtNcDestroy);
    EXPECT_EQ(shadowWindowsOfThisProcess(), before);
}

TEST_F(Shadows, AReloadClosesThemAndTheyAreBuiltAgain) {
    load();
    HWND w = window(100, 100, 300, 200);
    HWND r = rightOf(w), b = bottomOf(w);
    set("RealShadowSize", 20);
    load();
    EXPECT_FALSE(IsWindow(r));
    EXPECT_FALSE(IsWindow(b));
    ASSERT_TRUE(IsWindow(rightOf(w)));
    expectPlacedAndShaped(w, 20, false);
}

TEST_F(Shadows, OpacityFollowsTheFadeFactor) {
    set("RealShadowAlpha", 128);
    load();
    HWND w = window(100, 100, 300, 200);
    const UINT cmd = zrv::state().hookMessage;
    struct Case {
        int alp;
        int opacity;
    };
    constexpr Case cases[] = {{255, 128}, {1, 0}, {128, 64}, {0, 128}};
    for (HWND sh : {rightOf(w), bottomOf(w)})
        for (const auto& c : cases) {
            SetPropA(sh, "ALP", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(c.alp)));
            SendMessageA(sh, cmd, zrv::HOOKCMD_ALPHA, 0);
            EXPECT_EQ(zrv::test::observed().lastShadowOpacity.load(), c.opacity) << c.alp;
        }
}

TEST_F(Shadows, AFadingWindowsShadowsStartFaintAndSettle) {
    set("SEMITRANS", 1);
    set("FADERATE", 5000); // no fade step while this is looked at
    load();
    HWND w = window(100, 100, 300, 200, false, 0);
    EXPECT_EQ(GetPropA(rightOf(w), "ALP"), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(GetPropA(bottomOf(w), "ALP"), reinterpret_cast<HANDLE>(1));
    EXPECT_TRUE(waitFor([&] { return GetPropA(rightOf(w), "ALP") == reinterpret_cast<HANDLE>(255); },
                        3000));
    set("SEMITRANS", 0);
    // Looked at before any message is pumped: the settle timer makes every
    // shadow fully opaque a moment later, faded or not.
    HWND plain = window(500, 100, 200, 150, false, 0);
    EXPECT_EQ(GetPropA(rightOf(plain), "ALP"), nullptr);
}

// A colour read back from the screen at a point.
COLORREF screenAt(int x, int y) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

TEST_F(Shadows, OpaqueShadowsArePaintedWithoutRealShadows) {
    set("shadowsSemiTrans", 0);
    set("ShadowsVar", 1);
    load();
    HWND w = window(100, 100, 300, 200);
    HWND r = rightOf(w);
    ASSERT_TRUE(IsWindow(r));
    EXPECT_EQ(GetWindowLongA(r, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    pumpMessages(300);
    const shadow::Rect wr = rectOf(w);
    EXPECT_EQ(screenAt(wr.right + 4, wr.top + 100), RGB(0, 0, 0));
    EXPECT_EQ(screenAt(wr.left + 100, wr.bottom + 4), RGB(0, 0, 0));
    // Graded: dark greys, black next to the window, lighter outwards.
    set("ShadowsVar", 2);
    load();
    pumpMessages(300);
    const COLORREF inner = screenAt(wr.left + 100, wr.bottom + 1);
    const COLORREF outer = screenAt(wr.left + 100, wr.bottom + 7);
    EXPECT_EQ(GetRValue(inner), GetGValue(inner));
    EXPECT_LE(GetRValue(inner), GetRValue(outer));
    EXPECT_GT(GetRValue(outer), 0);
    EXPECT_LE(GetRValue(outer), 90);
}

} // namespace
