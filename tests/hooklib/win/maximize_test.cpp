// Maximize to set size on real windows, the library's code linked in with its
// hooks on this thread.
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "tests/hooklib/win/attached_library.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zt::test;

namespace {

const bool g_unmanaged = (unmanagedWindowsUnderWine(), true);

constexpr wchar_t kTitle[] = L"Gr\u00f6\u00dfe \u0130stanbul \u2603 \u65e5\u672c";

LRESULT CALLBACK plainProcW(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, m, wp, lp);
}
LRESULT CALLBACK plainProcA(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

class Maximize : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        zrv::test::attachLibraryOnce();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = plainProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MaxTestW";
        RegisterClassW(&wc);
    }
    void TearDown() override {
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        pumpMessages(10);
    }
    static void set(const char* key, int value) { writeIni("Zirvane.ini", "GLOBAL", key, value); }

    HWND unicodeWindow(DWORD style, DWORD exStyle = 0, HWND parent = nullptr) {
        HWND w = CreateWindowExW(exStyle, L"MaxTestW", kTitle, style, 150, 120, 300, 200, parent,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        windows_.push_back(w);
        return w;
    }
    HWND ansiWindow() {
        HWND w = CreateWindowExA(0, ansiClass_.name, "ansi", WS_OVERLAPPEDWINDOW, 150, 120, 300,
                                 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(w);
        return w;
    }
    static RECT maximized(HWND w) {
        ShowWindow(w, SW_MAXIMIZE);
        pumpMessages(10);
        RECT r = {};
        GetWindowRect(w, &r);
        return r;
    }

    ScopedSettingsFiles files_;
    zrv::test::ThreadHooks hooks_;
    TestWindowClass ansiClass_{"MaxTestA", plainProcA};
    std::vector<HWND> windows_;
};

void expectRect(const RECT& r, int left, int top, int width, int height, const char* what) {
    EXPECT_EQ(r.left, left) << what;
    EXPECT_EQ(r.top, top) << what;
    EXPECT_EQ(r.right - r.left, width) << what;
    EXPECT_EQ(r.bottom - r.top, height) << what;
}

TEST_F(Maximize, CaptionedWindowGetsTheSetSize) {
    struct Case {
        const char* what;
        int width, height, maxLeft; // 0: key absent
        int left, top, w, h;
    };
    static constexpr Case cases[] = {
        {"no keys: 800 x 600 at (0, 0)", 0, 0, 0, 0, 0, 800, 600},
        {"set size", 640, 480, 1, 0, 0, 640, 480},
        {"MAXLEFT 0 keeps the window's own corner", 700, 500, -1, 150, 120, 700, 500},
    };
    for (const Case& c : cases) {
        if (c.width) {
            set("MAXWIDTH", c.width);
            set("MAXHEIGHT", c.height);
        }
        if (c.maxLeft)
            set("MAXLEFT", c.maxLeft < 0 ? 0 : c.maxLeft);
        HWND w = unicodeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        expectRect(maximized(w), c.left, c.top, c.w, c.h, c.what);
        EXPECT_FALSE(zrv::props::has(w, zrv::props::kPrevProc)) << c.what;
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)), plainProcW)
            << c.what;
        DestroyWindow(w);
    }
}

TEST_F(Maximize, MinimizedWindowMaximizesAtItsRestoredCorner) {
    set("MAXLEFT", 0);
    HWND w = unicodeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ShowWindow(w, SW_MINIMIZE);
    pumpMessages(10);
    ASSERT_TRUE(IsIconic(w));
    expectRect(maximized(w), 150, 120, 800, 600, "from minimized");
}

TEST_F(Maximize, OtherWindowsAndMaxLimitOffAreUntouched) {
    RECT screen = {};
    HWND probe = unicodeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    set("MAXLIMIT", 0);
    screen = maximized(probe);
    ASSERT_GT(screen.right - screen.left, 800) << "the full-screen size must differ from 800";
    EXPECT_FALSE(zrv::props::has(probe, zrv::props::kPrevProc));
    set("MAXLIMIT", 1);

    HWND tool = unicodeWindow(WS_POPUP | WS_THICKFRAME | WS_VISIBLE, WS_EX_TOOLWINDOW);
    RECT r = maximized(tool);
    EXPECT_NE(r.right - r.left, 800) << "captionless tool window";

    HWND parent = unicodeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    MoveWindow(parent, 0, 0, 1000, 900, TRUE);
    HWND child = unicodeWindow(WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, parent);
    r = maximized(child);
    EXPECT_NE(r.right - r.left, 800) << "child window";
    for (HWND w : {tool, child})
        EXPECT_FALSE(zrv::props::has(w, zrv::props::kPrevProc));
}

TEST_F(Maximize, SubclassKeepsTheWindowsCharacterSet) {
    HWND wide = unicodeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND narrow = ansiWindow();
    ASSERT_TRUE(IsWindowUnicode(wide));
    ASSERT_FALSE(IsWindowUnicode(narrow));
    // The subclass is in place between the query and the next message.
    SendMessageW(wide, WM_GETMINMAXINFO, 0, 0);
    maximized(wide);
    maximized(narrow);
    EXPECT_TRUE(IsWindowUnicode(wide));
    EXPECT_FALSE(IsWindowUnicode(narrow));
    wchar_t title[64] = {};
    GetWindowTextW(wide, title, 64);
    EXPECT_EQ(std::wstring(title), std::wstring(kTitle));
    // A title set after the subclass comes and goes also survives.
    SetWindowTextW(wide, L"\u0411\u0443\u043a\u0432\u044b");
    GetWindowTextW(wide, title, 64);
    EXPECT_EQ(std::wstring(title), L"\u0411\u0443\u043a\u0432\u044b");
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(narrow, GWLP_WNDPROC)), plainProcA);
}

TEST_F(Maximize, WithoutLayeredFunctionsTheReturnHookAdjusts) {
    zrv::ProcessState& s = zrv::state();
    const auto saved = s.setLayeredWindowAttributes;
    set("MAXLIMIT", 1);
    set("MAXWIDTH", 720);
    s.setLayeredWindowAttributes = nullptr;
    zrv::LoadEffectSettings();
    HWND w = unicodeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const RECT r = maximized(w);
    const bool subclassed = zrv::props::has(w, zrv::props::kPrevProc);
    set("MAXLIMIT", 0);
    zrv::LoadEffectSettings();
    HWND off = unicodeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const RECT full = maximized(off);
    s.setLayeredWindowAttributes = saved;
    zrv::LoadEffectSettings();
    expectRect(r, 0, 0, 720, 600, "return hook");
    EXPECT_FALSE(subclassed);
    EXPECT_NE(full.right - full.left, 720) << "loaded MAXLIMIT 0";
}

} // namespace
