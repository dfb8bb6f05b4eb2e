// Translucent menus on real pop-up menus: the library's code linked into this
// program with both hooks on this thread, settings from real files. Each
// menu is opened with TrackPopupMenu and looked at from a timer that fires
// inside the menu's own loop.
#include "common/win/scoped.h"
#include "hooklib/menu_image.h"
#include "hooklib/win/fx_menu.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/attached_library.h"
#include "tests/hooklib/win/excluded_program.h"
#include "tests/hooklib/win/observed.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/import_patch.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace zt::test;

namespace {

const bool g_unmanaged = (zt::test::unmanagedWindowsUnderWine(), true);

constexpr UINT kFirstItem = 101;
constexpr int kItems = 6;

std::string className(HWND w) {
    char buf[64] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

RECT rectOf(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

BOOL CALLBACK findMenu(HWND w, LPARAM out) {
    if (className(w) == "#32768" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

HWND openMenuWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND coverOf(HWND menu) {
    return static_cast<HWND>(GetPropA(menu, "SM"));
}

// What a look at an open menu may do: return true once it is done; the menu
// is then closed (unless the look chose an item itself).
using Look = std::function<bool(HWND menu, int tick)>;
Look g_look;
int g_tick = 0;
bool g_menuSeen = false;
WNDPROC g_menuProc = nullptr; // the menu's own procedure, under a test's subclass
constexpr UINT kTickMs = 20;
constexpr int kGiveUpTicks = 250;

void CALLBACK lookTimer(HWND, UINT, UINT_PTR, DWORD) {
    ++g_tick;
    HWND menu = openMenuWindow();
    if (menu)
        g_menuSeen = true;
    if (g_tick > kGiveUpTicks || (menu && g_look(menu, g_tick)))
        EndMenu();
}

// Solid-coloured window painted with one brush.
LRESULT CALLBACK solidProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(w, &r);
        HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(w, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wp), &r, b);
        DeleteObject(b);
        return 1;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

// Screen pixels of a rectangle, 0x00RRGGBB, rows top-down.
std::vector<std::uint32_t> screenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h));
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::memcpy(px.data(), bits, px.size() * 4);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return px;
}

// The menu printed into a picture of cw by ch, as the cover prints it.
std::vector<std::uint32_t> printedMenu(HWND menu, int cw, int ch) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(cw * ch));
    HDC mem = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, cw, -ch, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageA(menu, WM_PRINT, reinterpret_cast<WPARAM>(mem), -1);
    GdiFlush();
    std::memcpy(px.data(), bits, px.size() * 4);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return px;
}

std::uint32_t photoPixel(HWND cover, int x, int y, int cw) {
    DIBSECTION ds = {};
    if (GetObjectA(GetPropA(cover, "HH"), sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits)
        return 0xDEADBEEF;
    return static_cast<const std::uint32_t*>(ds.dsBm.bmBits)[y * cw + x];
}

void sendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        in.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    SendInput(1, &in, sizeof in);
}

void moveMouse(int x, int y) {
    SetCursorPos(x, y);
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
}

bool nearly(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int c = 0; c < 3; ++c) {
        const int d =
            static_cast<int>((a >> (8 * c)) & 0xFF) - static_cast<int>((b >> (8 * c)) & 0xFF);
        if (std::abs(d) > tolerance)
            return false;
    }
    return true;
}

class Menus : public ::testing::Test {
  protected:
    void SetUp() override {
        zrv::test::attachLibraryOnce();
        set("Semimenusval", 180);
        owner_ = CreateWindowExA(0, solid_.name, "menu owner", WS_POPUP | WS_VISIBLE, 100, 100, 600,
                                 500, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(owner_, GWLP_USERDATA, RGB(20, 140, 230));
        InvalidateRect(owner_, nullptr, TRUE);
        SetForegroundWindow(owner_);
        pumpMessages(50);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        pumpMessages(20);
    }
    void set(const char* key, int value) { writeIni("Zirvane.ini", "GLOBAL", key, value); }
    void load() { zrv::LoadEffectSettings(); }

    // Opens a menu of kItems items at (x, y); `look` runs from its loop. The
    // chosen item's id, or 0.
    UINT track(int x, int y, Look look) {
        HMENU m = CreatePopupMenu();
        for (int i = 0; i < kItems; ++i)
            AppendMenuA(m, MF_STRING, kFirstItem + static_cast<UINT>(i),
                        ("Menu item number " + std::to_string(i + 1)).c_str());
        menu_ = m;
        g_look = std::move(look);
        g_tick = 0;
        g_menuSeen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, lookTimer);
        const UINT chosen = static_cast<UINT>(TrackPopupMenu(
            m, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0, owner_, nullptr));
        KillTimer(nullptr, timer);
        DestroyMenu(m);
        pumpMessages(30);
        EXPECT_TRUE(g_menuSeen);
        EXPECT_LE(g_tick, kGiveUpTicks) << "the look never finished";
        return chosen;
    }

    ScopedSettingsFiles files_;
    zrv::test::ThreadHooks hooks_;
    TestWindowClass solid_{"MenuTestSolid", solidProc};
    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
};

BYTE opacityOf(HWND w) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(w, &key, &alpha, &flags))
        return 0;
    return alpha;
}

bool layered(HWND w) {
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

// The region the cover should have: the two strips of width L, starting L in
// from the menu's top and left edges, and with the emulated method the menu.
HRGN expectedShape(bool emulated, int w, int h, int L) {
    HRGN r = CreateRectRgn(0, 0, emulated ? w : 0, emulated ? h : 0);
    HRGN a = CreateRectRgn(w, L, w + L, h + L), b = CreateRectRgn(L, h, w + L, h + L);
    CombineRgn(r, r, a, RGN_OR);
    CombineRgn(r, r, b, RGN_OR);
    DeleteObject(a);
    DeleteObject(b);
    return r;
}

bool hasShape(HWND cover, HRGN expected) {
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(cover, actual);
    const bool ok = kind != ERROR && EqualRgn(actual, expected);
    DeleteObject(actual);
    DeleteObject(expected);
    return ok;
}

// Where the cover stands, its size and its shape, for either method.
void expectCover(HWND menu, bool emulated, int L) {
    HWND cover = coverOf(menu);
    ASSERT_TRUE(IsWindow(cover));
    EXPECT_EQ(className(cover), "FakeMenu");
    EXPECT_EQ(GetPropA(cover, "SM2"), menu);
    EXPECT_TRUE(IsWindowVisible(cover));
    EXPECT_TRUE(GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const RECT m = rectOf(menu), c = rectOf(cover);
    const int w = m.right - m.left, h = m.bottom - m.top;
    EXPECT_EQ(c.left, m.left);
    EXPECT_EQ(c.top, m.top);
    EXPECT_EQ(c.right - c.left, w + L);
    EXPECT_EQ(c.bottom - c.top, h + L);
    EXPECT_TRUE(hasShape(cover, expectedShape(emulated, w, h, L)));
}

// What the strips of a cover must show: the ramp, darkening and mixed with
// the owner's colour that lay beneath, as a picture of the cover's size.
std::vector<std::uint32_t> expectedStrips(int cw, int ch, int L) {
    std::vector<std::uint32_t> want(static_cast<std::size_t>(cw * ch), 0);
    zrv::menu::DrawMenuShadowRamp(want.data(), cw, ch, L);
    const std::vector<std::uint32_t> photo(want.size(), 0x00148CE6); // RGB(20, 140, 230)
    zrv::menu::BlendMenuImage(want.data(), photo.data(), cw, ch, zrv::menu::kBlendShadowed,
                              zrv::menu::backgroundWeight(180), L);
    return want;
}

// Pixels of the cover's region that the screen shows otherwise than `want`,
// counting those looked at in `checked`. The first few are reported, with
// what `explain` (when given) adds about pixel `i` at x, y.
int pixelsAmiss(HWND cover, const std::vector<std::uint32_t>& want, int* checked,
                const std::function<std::string(int x, int y, std::size_t i)>& explain = {}) {
    const RECT c = rectOf(cover);
    const int cw = c.right - c.left, ch = c.bottom - c.top;
    const std::vector<std::uint32_t> shown = screenPixels(c);
    zt::ScopedRegion shape(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(cover, shape.get());
    int bad = 0;
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
            if (!PtInRegion(shape.get(), x, y))
                continue;
            const std::size_t i = static_cast<std::size_t>(y * cw + x);
            ++*checked;
            if (!nearly(shown[i], want[i] & 0x00FFFFFF, 2) && bad++ < 5)
                ADD_FAILURE() << "at " << x << "," << y << std::hex << " shown " << shown[i]
                              << " expected " << (want[i] & 0x00FFFFFF)
                              << (explain ? explain(x, y, i) : std::string());
        }
    return bad;
}

TEST_F(Menus, LayeredMenusGetTheirOpacityAndShadowStrips) {
    struct Case {
        int shadowed, size;
    };
    const Case cases[] = {{1, 5}, {1, 1}, {1, 12}, {0, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shadowed " << c.shadowed << " size " << c.size);
        set("SemiMenusShadow", c.shadowed);
        set("ShadowSize", c.size);
        load();
        bool looked = false;
        track(150, 140, [&](HWND menu, int tick) {
            // The opacity comes from a 10 ms timer: in place within 100 ms.
            if (tick * kTickMs < 100 && !(layered(menu) && opacityOf(menu) == 180))
                return false;
            HWND cover = coverOf(menu);
            if (c.shadowed && tick < 5)
                return false; // painted by now
            looked = true;
            EXPECT_TRUE(layered(menu));
            EXPECT_EQ(opacityOf(menu), 180);
            const int L = c.shadowed ? c.size : 0;
            expectCover(menu, false, L);
            if (L > 0) {
                // The strips show the ramp over what lay beneath, and only
                // they were mixed and drawn.
                const RECT r = rectOf(cover);
                const int cw = r.right - r.left, ch = r.bottom - r.top;
                int checked = 0;
                EXPECT_EQ(pixelsAmiss(cover, expectedStrips(cw, ch, L), &checked), 0);
                EXPECT_EQ(checked, L * (ch - L) + (cw - 2 * L) * L);
                EXPECT_EQ(zrv::test::observed().menuCoverPixelsMixed.load(),
                          static_cast<unsigned>(checked));
            }
            // Hidden, the menu loses the layer and the cover closes at once.
            ShowWindow(menu, SW_HIDE);
            EXPECT_FALSE(layered(menu));
            EXPECT_FALSE(IsWindow(cover)) << "the cover outlived its menu's hiding";
            return true;
        });
        EXPECT_TRUE(looked);
    }
}

// The same menu window hidden and shown again within one menu loop.
TEST_F(Menus, AMenuShownAgainIsTakenAgain) {
    set("SemiMenusShadow", 1);
    load();
    HWND first = nullptr, second = nullptr;
    track(160, 150, [&](HWND menu, int) {
        if (!IsWindow(coverOf(menu)))
            return false;
        first = coverOf(menu);
        ShowWindow(menu, SW_HIDE);
        EXPECT_FALSE(IsWindow(first));
        ShowWindow(menu, SW_SHOWNA);
        RedrawWindow(menu, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        second = coverOf(menu);
        EXPECT_TRUE(IsWindow(second));
        EXPECT_TRUE(layered(menu));
        return true;
    });
    ASSERT_TRUE(first);
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsWindow(second)) << "the second cover outlived the menu";
}

// The library leaving the process takes the covers with it: their window
// procedure goes with the library.
TEST_F(Menus, DetachClosesEveryCoverOfTheProcess) {
    set("SemiMenusShadow", 1);
    load();
    HWND closed = nullptr;
    track(150, 140, [&](HWND menu, int) {
        HWND cover = coverOf(menu);
        if (!IsWindow(cover))
            return false;
        zrv::fx::closeMenuCoversForDetach();
        EXPECT_FALSE(IsWindow(cover));
        closed = cover;
        return true;
    });
    EXPECT_TRUE(closed);
}

TEST_F(Menus, MenusOffLeavesMenusAloneButHidingClosesACoverLeftFromBefore) {
    set("SemiMenus", 0);
    set("SemiMenusShadow", 1);
    load();
    HWND planted = nullptr;
    track(150, 140, [&](HWND menu, int tick) {
        if (tick < 5)
            return false;
        EXPECT_FALSE(layered(menu));
        EXPECT_EQ(GetPropA(menu, "SM"), nullptr);
        // A cover from when menus were on.
        planted = CreateWindowExA(WS_EX_TOOLWINDOW, "FakeMenu", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        SetPropA(planted, "SM2", menu);
        SetPropA(menu, "SM", planted);
        // Hidden, not destroyed: the hide alone closes it.
        ShowWindow(menu, SW_HIDE);
        EXPECT_TRUE(IsWindow(menu));
        EXPECT_FALSE(IsWindow(planted)) << "hiding the menu left its cover";
        return true;
    });
    ASSERT_TRUE(planted);
    EXPECT_FALSE(IsWindow(planted));
}

TEST_F(Menus, EmulatedMenusShowTheMenuMixedWithWhatLayBeneath) {
    set("TransOn9X", 1);
    set("SemiMenusShadow", 1);
    set("ShadowSize", 5);
    load();
    constexpr int L = 5;
    const int t = zrv::menu::backgroundWeight(180);
    const std::uint32_t beneath = 0x00148CE6; // RGB(20, 140, 230) as a pixel
    int checked = 0;
    track(150, 140, [&](HWND menu, int tick) {
        HWND cover = coverOf(menu);
        if (tick < 10 || !IsWindow(cover))
            return false;
        EXPECT_FALSE(layered(menu));
        // The cover is above the menu.
        bool coverAbove = false;
        for (HWND w = GetWindow(menu, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
            coverAbove = coverAbove || w == cover;
        EXPECT_TRUE(coverAbove);
        expectCover(menu, true, L);
        const RECT c = rectOf(cover);
        const int cw = c.right - c.left, ch = c.bottom - c.top;
        std::vector<std::uint32_t> want = printedMenu(menu, cw, ch);
        zrv::menu::DrawMenuShadowRamp(want.data(), cw, ch, L);
        const std::vector<std::uint32_t> photo(want.size(), beneath);
        zrv::menu::BlendMenuImage(want.data(), photo.data(), cw, ch, zrv::menu::kBlendShadowed, t,
                                  L);
        const int bad = pixelsAmiss(cover, want, &checked, [&](int x, int y, std::size_t i) {
            std::ostringstream more;
            more << std::hex << " photo " << photoPixel(cover, x, y, cw) << " printed "
                 << printedMenu(menu, cw, ch)[i];
            return more.str();
        });
        EXPECT_EQ(bad, 0);
        return true;
    });
    EXPECT_GT(checked, 1000);
}

// A highlight move repaints the two items that changed, and the cover then
// shows the menu with its new highlight, mixed, as a whole repaint would.
TEST_F(Menus, EmulatedMenusRepaintTheItemsWhoseHighlightChanged) {
    set("TransOn9X", 1);
    set("SemiMenusShadow", 1);
    set("ShadowSize", 5);
    load();
    constexpr int L = 5;
    const int t = zrv::menu::backgroundWeight(180);
    unsigned paintsBefore = 0, mixedAfterMove = 0;
    int checked = 0, bad = -1;
    RECT one = {}, three = {};
    track(150, 140, [&](HWND menu, int tick) {
        HWND cover = coverOf(menu);
        if (!IsWindow(cover))
            return false;
        if (tick == 10) {
            GetMenuItemRect(nullptr, menu_, 1, &one);
            moveMouse((one.left + one.right) / 2, (one.top + one.bottom) / 2);
        } else if (tick == 20) {
            paintsBefore = zrv::test::observed().menuCoverPaints.load();
            GetMenuItemRect(nullptr, menu_, 3, &three);
            moveMouse((three.left + three.right) / 2, (three.top + three.bottom) / 2);
        } else if (tick == 35) {
            EXPECT_GT(zrv::test::observed().menuCoverPaints.load(), paintsBefore) << "no repaint";
            mixedAfterMove = zrv::test::observed().menuCoverPixelsMixed.load();
            const RECT c = rectOf(cover);
            const int cw = c.right - c.left, ch = c.bottom - c.top;
            std::vector<std::uint32_t> want = printedMenu(menu, cw, ch);
            zrv::menu::DrawMenuShadowRamp(want.data(), cw, ch, L);
            const std::vector<std::uint32_t> photo(want.size(), 0x00148CE6);
            zrv::menu::BlendMenuImage(want.data(), photo.data(), cw, ch,
                                      zrv::menu::kBlendShadowed, t, L);
            bad = pixelsAmiss(cover, want, &checked);
            return true;
        }
        return false;
    });
    EXPECT_EQ(bad, 0);
    EXPECT_GT(checked, 1000);
    // The last paint was of the two items, not the whole cover.
    const auto area = [](const RECT& r) {
        return static_cast<unsigned>((r.right - r.left) * (r.bottom - r.top));
    };
    EXPECT_GT(mixedAfterMove, 0u);
    EXPECT_LE(mixedAfterMove, area(one) + area(three));
}

// Input that reaches the cover is handed to the menu's procedure (wine's menu
// loop reads the pointer itself, so a click on the cover chooses an item
// without it: a procedure of the program's own on the menu sees what the
// cover hands on), and nothing else is.
std::vector<UINT> g_menuSaw;
LRESULT CALLBACK recordingMenuProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    g_menuSaw.push_back(msg);
    return CallWindowProcA(g_menuProc, w, msg, wp, lp);
}

TEST_F(Menus, TheCoverHandsTheMenuItsInputAndNothingElse) {
    set("TransOn9X", 1);
    load();
    bool sent = false;
    track(150, 140, [&](HWND menu, int tick) {
        HWND cover = coverOf(menu);
        if (tick < 5 || !IsWindow(cover))
            return false;
        g_menuProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            menu, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordingMenuProc)));
        g_menuSaw.clear();
        const UINT input[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                              WM_KEYDOWN,   WM_CHAR,        WM_KEYUP,    WM_NCMOUSEMOVE};
        const UINT other[] = {WM_CANCELMODE, WM_ENABLE, WM_SETFOCUS, WM_USER + 5, WM_TIMER};
        for (UINT msg : other)
            SendMessageA(cover, msg, 0, 0);
        for (UINT msg : input)
            SendMessageA(cover, msg, 0, MAKELPARAM(3, 3));
        SetWindowLongPtrA(menu, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_menuProc));
        EXPECT_EQ(g_menuSaw, std::vector<UINT>(std::begin(input), std::end(input)));
        sent = true;
        return true;
    });
    EXPECT_TRUE(sent);
}

TEST_F(Menus, ACoverTakesAnyMessageAndClosesQuietlyWithoutItsMenu) {
    const UINT hook = RegisterWindowMessageA("ZRVHook");
    auto cover = [](HWND menu) {
        HWND c = CreateWindowExA(WS_EX_TOOLWINDOW, "FakeMenu", "", WS_POPUP, 0, 0, 20, 20, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        SetPropA(c, "SM2", menu);
        return c;
    };
    // Any command closes it, whatever "HH" holds.
    for (WPARAM command : {WPARAM{0}, WPARAM{23}, WPARAM{24}, WPARAM{77}}) {
        HWND c = cover(nullptr);
        SetPropA(c, "HH", reinterpret_cast<HANDLE>(command * 4 + 0x1234));
        SendMessageA(c, hook, command, 0x5678);
        EXPECT_FALSE(IsWindow(c)) << command;
    }
    // A cover whose menu is gone closes at its next message.
    HWND gone = CreateWindowExA(0, solid_.name, "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(gone);
    for (UINT msg : {UINT{WM_MOUSEMOVE}, UINT{WM_USER + 5}, UINT{WM_PAINT}}) {
        HWND c = cover(gone);
        SendMessageA(c, msg, 1, 2);
        if (msg == WM_PAINT) {
            InvalidateRect(c, nullptr, FALSE);
            UpdateWindow(c);
        }
        EXPECT_FALSE(IsWindow(c)) << msg;
    }
    // A menu of a thread that does not answer is neither printed nor handed
    // messages: the cover's thread must not wait on it.
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND hung = nullptr;
    std::thread other([&] {
        hung = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                               nullptr);
        WaitForSingleObject(release, 20000);
        DestroyWindow(hung);
    });
    ASSERT_TRUE(waitFor([&] { return hung != nullptr; }, 2000));
    HWND foreign = cover(hung);
    const DWORD start = GetTickCount();
    ShowWindow(foreign, SW_SHOWNOACTIVATE);
    InvalidateRect(foreign, nullptr, FALSE);
    UpdateWindow(foreign);
    SendMessageA(foreign, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_LT(GetTickCount() - start, 1000u);
    DestroyWindow(foreign);
    SetEvent(release);
    other.join();
    CloseHandle(release);

    // With no menu at all, arbitrary messages get default handling.
    HWND lone = cover(nullptr);
    for (UINT msg : {UINT{WM_LBUTTONDOWN}, UINT{WM_KEYDOWN}, UINT{WM_USER + 99}, UINT{0x1E5}})
        SendMessageA(lone, msg, 0xFFFF, -1);
    EXPECT_TRUE(IsWindow(lone));
    DestroyWindow(lone);
}

// An excluded program's menus stay as the program made them with either
// method: no opacity, no cover, and the hooks route none of their messages.
TEST_F(Menus, AnExcludedProgramsMenusAreLeftAlone) {
    set("SemiMenusShadow", 1);
    zrv::test::ExcludedProgram excluded;
    for (int emulated : {0, 1}) {
        SCOPED_TRACE(emulated ? "emulated" : "layered");
        set("TransOn9X", emulated);
        load();
        ASSERT_TRUE(zrv::state().excluded.load());
        const unsigned routed = zrv::test::observed().messagesRouted.load();
        bool looked = false;
        track(150, 140, [&](HWND menu, int tick) {
            // Long after the opacity's 10 ms timer and the cover would have come.
            if (tick * kTickMs < 200)
                return false;
            looked = true;
            EXPECT_FALSE(layered(menu));
            EXPECT_EQ(coverOf(menu), nullptr);
            EXPECT_TRUE(windowsOfProcess(GetCurrentProcessId(), "FakeMenu").empty());
            return true;
        });
        EXPECT_TRUE(looked);
        EXPECT_EQ(zrv::test::observed().messagesRouted.load(), routed);
    }
}

LRESULT CALLBACK baseBarProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, msg, wp, lp);
}

TEST_F(Menus, BaseBarWindowsFadeToTheMenuOpacityUnlessTheProgramIsExcluded) {
    TestWindowClass baseBar{"BaseBar", baseBarProc};
    for (bool exclude : {false, true}) {
        SCOPED_TRACE(exclude ? "excluded" : "not excluded");
        std::optional<zrv::test::ExcludedProgram> excluded;
        if (exclude)
            excluded.emplace();
        load();
        HWND bar = CreateWindowExA(WS_EX_TOOLWINDOW, "BaseBar", "", WS_POPUP | WS_VISIBLE, 300,
                                   300, 120, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                                   nullptr);
        ASSERT_TRUE(bar);
        if (exclude) {
            pumpMessages(300);
            EXPECT_FALSE(layered(bar));
        } else {
            EXPECT_TRUE(layered(bar));
            EXPECT_TRUE(waitFor([&] { return opacityOf(bar) == 180; }, 3000));
            ShowWindow(bar, SW_HIDE);
            EXPECT_FALSE(layered(bar));
        }
        DestroyWindow(bar);
    }
}

// A hook of this program's own on this thread, as a program that subclasses
// or restyles its menus installs one.
struct OwnCallHook {
    explicit OwnCallHook(HOOKPROC proc)
        : hook(SetWindowsHookExA(WH_CALLWNDPROC, proc, nullptr, GetCurrentThreadId())) {}
    ~OwnCallHook() { UnhookWindowsHookEx(hook); }
    OwnCallHook(const OwnCallHook&) = delete;
    OwnCallHook& operator=(const OwnCallHook&) = delete;
    HHOOK hook;
};

bool createsAMenu(LPARAM lp) {
    const auto* c = reinterpret_cast<const CWPSTRUCT*>(lp);
    return c->message == WM_CREATE && className(c->hwnd) == "#32768";
}

// The program layers its menus itself, with a colour key of its own.
constexpr COLORREF kProgramsKey = RGB(1, 2, 3);
LRESULT CALLBACK layerMenusHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && createsAMenu(lp)) {
        HWND menu = reinterpret_cast<const CWPSTRUCT*>(lp)->hwnd;
        SetWindowLongA(menu, GWL_EXSTYLE, GetWindowLongA(menu, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(menu, kProgramsKey, 0, LWA_COLORKEY);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

struct Layering {
    bool got = false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
Layering layeringOf(HWND w) {
    Layering l;
    l.got = GetLayeredWindowAttributes(w, &l.key, &l.alpha, &l.flags) != FALSE;
    return l;
}

TEST_F(Menus, AMenuItsProgramLayeredKeepsItsOwnLayeringAndGetsNoCover) {
    set("SemiMenusShadow", 1);
    for (int emulated : {0, 1}) {
        SCOPED_TRACE(emulated ? "emulated" : "layered");
        set("TransOn9X", emulated);
        load();
        OwnCallHook own(layerMenusHook);
        bool looked = false;
        track(150, 140, [&](HWND menu, int tick) {
            // Long after the opacity's 10 ms timer and the cover would have come.
            if (tick * kTickMs < 200)
                return false;
            looked = true;
            const Layering l = layeringOf(menu);
            EXPECT_TRUE(layered(menu));
            EXPECT_TRUE(l.got);
            EXPECT_EQ(l.flags, DWORD{LWA_COLORKEY});
            EXPECT_EQ(l.key, kProgramsKey);
            EXPECT_EQ(coverOf(menu), nullptr);
            EXPECT_TRUE(windowsOfProcess(GetCurrentProcessId(), "FakeMenu").empty());
            return true;
        });
        EXPECT_TRUE(looked);
    }
}

TEST_F(Menus, ABaseBarItsProgramLayeredKeepsItsOwnLayering) {
    TestWindowClass baseBar{"BaseBar", baseBarProc};
    load();
    struct Case {
        const char* what;
        bool picture; // drawn with UpdateLayeredWindow, else a colour key
    };
    for (const Case c : {Case{"colour key", false}, Case{"picture", true}}) {
        SCOPED_TRACE(c.what);
        HWND bar = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_LAYERED, "BaseBar", "", WS_POPUP, 300,
                                   300, 120, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                                   nullptr);
        ASSERT_TRUE(bar);
        // The program's own drawing: a 120 x 200 picture at half opacity.
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 200);
        HGDIOBJ old = SelectObject(mem, bmp);
        auto draw = [&] {
            POINT at = {300, 300}, origin = {0, 0};
            SIZE size = {120, 200};
            BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
            return UpdateLayeredWindow(bar, screen, &at, &size, mem, &origin, 0, &half,
                                       ULW_ALPHA) != FALSE;
        };
        if (c.picture)
            ASSERT_TRUE(draw());
        else
            SetLayeredWindowAttributes(bar, kProgramsKey, 0, LWA_COLORKEY);
        ShowWindow(bar, SW_SHOWNOACTIVATE);
        // More frame calculations, each of which would take the bar again.
        SetWindowPos(bar, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        pumpMessages(200);
        EXPECT_TRUE(layered(bar));
        if (c.picture) {
            EXPECT_FALSE(layeringOf(bar).got) << "a picture's window was given attributes";
            EXPECT_TRUE(draw()) << "the program can no longer draw its window";
        } else {
            const Layering l = layeringOf(bar);
            EXPECT_EQ(l.flags, DWORD{LWA_COLORKEY});
            EXPECT_EQ(l.key, kProgramsKey);
        }
        ShowWindow(bar, SW_HIDE);
        EXPECT_TRUE(layered(bar)) << "hiding took the program's layering away";
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        DestroyWindow(bar);
    }
}

// Whatever a program sends the cover that would end or move a window stays
// with the cover: the menu goes on, and an item can still be chosen.
TEST_F(Menus, MessagesThatWouldEndOrMoveAWindowAreNotHandedToTheMenu) {
    set("TransOn9X", 1);
    set("SemiMenusShadow", 1);
    load();
    bool sent = false;
    const UINT chosen = track(150, 140, [&](HWND menu, int tick) {
        HWND cover = coverOf(menu);
        if (!sent) {
            if (tick < 5 || !IsWindow(cover))
                return false;
            SendMessageA(cover, WM_CANCELMODE, 0, 0);
            SendMessageA(cover, WM_SYSCOMMAND, SC_CLOSE, 0);
            SendMessageA(cover, WM_CLOSE, 0, 0);
            sent = true;
            EXPECT_TRUE(IsWindow(menu));
            EXPECT_TRUE(IsWindowVisible(menu));
            // An item chosen from the keyboard.
            PostMessageA(owner_, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(owner_, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(owner_, WM_KEYDOWN, VK_RETURN, 0);
        }
        return false; // the choice ends the menu
    });
    EXPECT_TRUE(sent);
    EXPECT_NE(chosen, 0u) << "the menu did not survive the messages sent its cover";
}

// A 1 ms sleep lasts a whole timer tick on Windows (about 16 ms): the wait
// for a busy turn is bounded in time, not in polls. The library's sleeps and
// its clock, seen through this program's import table, are made to act so:
// each sleep moves the clock on by a tick, whatever it really lasted.
constexpr DWORD kWindowsTick = 16;
int g_sleeps = 0;
void(WINAPI* g_realSleep)(DWORD) = nullptr;
DWORD(WINAPI* g_realTickCount)() = nullptr;
void WINAPI countedSleep(DWORD ms) {
    ++g_sleeps;
    g_realSleep(ms);
}
DWORD WINAPI tickCountWithTicks() {
    return g_realTickCount() + static_cast<DWORD>(g_sleeps) * kWindowsTick;
}

TEST_F(Menus, TheWaitForABusyTurnIsBoundedInTimeNotInSleeps) {
    set("SemiMenusShadow", 1);
    load();
    zt::test::ImportPatch sleeps("kernel32.dll", "Sleep", reinterpret_cast<void*>(&countedSleep));
    zt::test::ImportPatch clock("kernel32.dll", "GetTickCount",
                                reinterpret_cast<void*>(&tickCountWithTicks));
    ASSERT_TRUE(sleeps.ok() && clock.ok());
    g_realSleep = sleeps.original<void(WINAPI*)(DWORD)>();
    g_realTickCount = clock.original<DWORD(WINAPI*)()>();
    g_sleeps = 0;
    // As if another thread had started taking a menu and never finished.
    zrv::state().menuBusy.store(true);
    bool covered = false;
    track(150, 140, [&](HWND menu, int) {
        covered = IsWindow(coverOf(menu));
        return covered;
    });
    EXPECT_TRUE(covered) << "the menu was taken after the wait";
    EXPECT_GT(g_sleeps, 0) << "the busy turn was not waited for";
    // About 2 s of ticks; 2000 sleeps would be half a minute on Windows.
    EXPECT_LE(g_sleeps, static_cast<int>(2000 / kWindowsTick) + 2);
    EXPECT_FALSE(zrv::state().menuBusy.load());
}

// Menu-skinning code repaints a menu's frame whenever its style changes: the
// paint comes while this thread is taking that very menu.
int g_nestedPaints = 0;
LRESULT CALLBACK skinnedMenuProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_STYLECHANGED) {
        ++g_nestedPaints;
        SendMessageA(w, WM_NCPAINT, 1, 0);
    }
    return CallWindowProcA(g_menuProc, w, msg, wp, lp);
}
LRESULT CALLBACK skinMenusHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && createsAMenu(lp)) {
        HWND menu = reinterpret_cast<const CWPSTRUCT*>(lp)->hwnd;
        g_menuProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            menu, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&skinnedMenuProc)));
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(Menus, APaintOfTheMenuWhileItIsTakenDoesNotWaitOrMakeASecondCover) {
    set("SemiMenusShadow", 1);
    load();
    OwnCallHook own(skinMenusHook);
    zt::test::ImportPatch sleeps("kernel32.dll", "Sleep", reinterpret_cast<void*>(&countedSleep));
    ASSERT_TRUE(sleeps.ok());
    g_realSleep = sleeps.original<void(WINAPI*)(DWORD)>();
    g_sleeps = 0;
    g_nestedPaints = 0;
    size_t covers = 0;
    track(150, 140, [&](HWND menu, int) {
        if (!IsWindow(coverOf(menu)))
            return false;
        covers = windowsOfProcess(GetCurrentProcessId(), "FakeMenu").size();
        return true;
    });
    ASSERT_GT(g_nestedPaints, 0) << "the menu's style never changed while it was taken";
    EXPECT_EQ(g_sleeps, 0) << "the take waited for itself";
    EXPECT_EQ(covers, 1u);
    EXPECT_TRUE(waitFor(
        [] { return windowsOfProcess(GetCurrentProcessId(), "FakeMenu").empty(); }, 1000))
        << "a cover outlived the menu";
}

// The translucency timer started as a menu is taken holds the library until
// it has run: an unload in between must not unmap the code it calls. (The
// cover holds it too, as a window of the library's: the timers' own records
// tell the timer's hold apart.)
int g_holdsAtMenuPaint = -1;
LRESULT CALLBACK holdsAfterPaintHook(int code, WPARAM wp, LPARAM lp) {
    const auto* r = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (code == HC_ACTION && r->message == WM_NCPAINT && className(r->hwnd) == "#32768")
        g_holdsAtMenuPaint = std::max(g_holdsAtMenuPaint, zrv::state().heldWindows.count());
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(Menus, AMenusTranslucencyTimerHoldsTheLibraryUntilItHasRun) {
    load();
    const long before = zrv::residency::holds();
    const int timersBefore = zrv::state().heldWindows.count();
    g_holdsAtMenuPaint = -1;
    HHOOK after = SetWindowsHookExA(WH_CALLWNDPROCRET, holdsAfterPaintHook, nullptr,
                                    GetCurrentThreadId());
    track(150, 140, [&](HWND menu, int tick) {
        return tick * kTickMs >= 100 && opacityOf(menu) == 180;
    });
    UnhookWindowsHookEx(after);
    EXPECT_EQ(g_holdsAtMenuPaint, timersBefore + 1) << "the timer was started without a hold";
    EXPECT_EQ(zrv::state().heldWindows.count(), timersBefore) << "the hold outlived the timer";
    EXPECT_EQ(zrv::residency::holds(), before) << "the holds outlived the menu";
}

} // namespace
