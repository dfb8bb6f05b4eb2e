// The menu cover windows ("FakeMenu"): each stands over one pop-up menu and
// paints the menu's own image mixed with the screen that lay beneath it, plus
// the shadow strips, shaped to the parts it must show.
#include "hooklib/menu_image.h"
#include "hooklib/win/dib.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/effects.h"
#include "hooklib/win/menu_win.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"

#include "common/win/scoped.h"

#include <cstring>

namespace zrv::menuwin {
namespace {

constexpr LRESULT kNothingErased = 99;
constexpr LPARAM kPrintEverything = -1;

// The photograph belongs to the cover; it goes with the cover's close or,
// should the cover be destroyed any other way, with its last message.
void dropPhotograph(HWND cover) noexcept {
    HANDLE photo = GetPropA(cover, props::kSnapshot);
    props::remove(cover, props::kSnapshot);
    if (photo && GetObjectType(photo) == OBJ_BITMAP)
        DeleteObject(photo);
}

void closeSelf(HWND cover) noexcept {
    dropPhotograph(cover);
    props::remove(cover, props::kCoverMenu);
    DestroyWindow(cover);
}

bool ofThisThread(HWND wnd) noexcept {
    return GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId();
}

int widthOf(const RECT& r) {
    return r.right - r.left;
}
int heightOf(const RECT& r) {
    return r.bottom - r.top;
}

// Print, ramp, mix, blit: the cover shows the menu as it is now.
void paint(HWND cover, HDC target, HWND menu) noexcept {
    RECT c = {}, m = {};
    GetWindowRect(cover, &c);
    GetWindowRect(menu, &m);
    const int cw = widthOf(c), ch = heightOf(c);
    // The strips are what the cover has beyond the menu on both sides.
    const int dw = cw - widthOf(m), dh = ch - heightOf(m);
    const int strip = dw > 0 && dh > 0 ? (dw < dh ? dw : dh) : 0;
    zt::ScopedMemDc mem(CreateCompatibleDC(target));
    if (!mem)
        return;
    std::uint32_t* pixels = nullptr;
    zt::ScopedBitmap image(makeDib32(target, cw, ch, &pixels));
    if (!image)
        return;
    zt::ScopedSelect selected(mem.get(), image.get());
    SendMessageA(menu, WM_PRINT, reinterpret_cast<WPARAM>(mem.get()), kPrintEverything);
    GdiFlush();
    if (strip > 0)
        menu::DrawMenuShadowRamp(pixels, cw, ch, strip);
    HBITMAP photo = static_cast<HBITMAP>(GetPropA(cover, props::kSnapshot));
    if (const std::uint32_t* beneath = dib32Pixels(photo, cw, ch))
        menu::BlendMenuImage(pixels, beneath, cw, ch,
                             strip > 0 ? menu::kBlendShadowed : menu::kBlendPlain,
                             menu::backgroundWeight(state().menuOpacity.load()), strip);
    BitBlt(target, 0, 0, cw, ch, mem.get(), 0, 0, SRCCOPY);
    state().menuCoverPaints.fetch_add(1);
}

void onPaint(HWND cover) noexcept {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(cover, &ps);
    HWND menu = props::getWindow(cover, props::kCoverMenu);
    const bool menuGone = menu && !IsWindow(menu);
    // Printing a window of another thread would wait on that thread.
    if (dc && menu && !menuGone && ofThisThread(menu))
        paint(cover, dc, menu);
    EndPaint(cover, &ps);
    if (menuGone)
        closeSelf(cover);
}

// Only input is the menu's: the pointer and the keys. Anything else sent to
// the cover (a close, a system command, a cancelled mode, a move or a size)
// concerns the cover alone, and handed on it would end or move the menu.
bool isInputForTheMenu(UINT msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK) ||
           (msg >= WM_KEYFIRST && msg <= WM_KEYLAST);
}

// Input that reaches the cover belongs to the menu beneath it.
LRESULT handToMenu(HWND cover, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    HWND menu = props::getWindow(cover, props::kCoverMenu);
    if (menu && !IsWindow(menu)) {
        closeSelf(cover);
        return 0;
    }
    // A click on the cover must not take the activation from the program's
    // window, as a click on the menu would not.
    if (msg == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    // The cover is made in its menu's thread; a procedure of any other
    // thread's window could not be called from here.
    if (menu && isInputForTheMenu(msg) && ofThisThread(menu)) {
        if (auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(menu, GWLP_WNDPROC)))
            return CallWindowProcA(proc, menu, msg, wParam, lParam);
    }
    return DefWindowProcA(cover, msg, wParam, lParam);
}

} // namespace

bool isCoverOf(HWND cover, HWND menu) noexcept {
    if (!cover || !menu || !IsWindow(cover))
        return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(cover, &pid);
    if (pid != GetCurrentProcessId())
        return false;
    char name[16] = {};
    GetClassNameA(cover, name, sizeof name);
    return std::strcmp(name, kCoverClass) == 0 &&
           props::getWindow(cover, props::kCoverMenu) == menu;
}

HWND coverOf(HWND menu) noexcept {
    HWND cover = props::getWindow(menu, props::kMenuCover);
    return isCoverOf(cover, menu) ? cover : nullptr;
}

void closeCover(HWND cover) noexcept {
    sendHookCommand(cover, HOOKCMD_CLOSE);
}

} // namespace zrv::menuwin

extern "C" LRESULT CALLBACK fakeWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    using namespace zrv;
    residency::onEffectWindowMessage(msg);
    if (msg == state().hookMessage && msg != 0) {
        menuwin::closeSelf(wnd);
        return 0;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        return menuwin::kNothingErased;
    case WM_PAINT:
        menuwin::onPaint(wnd);
        return 0;
    case WM_DESTROY:
    case WM_NCDESTROY: {
        RECT r = {};
        GetWindowRect(wnd, &r);
        RedrawWindow(GetDesktopWindow(), &r, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        if (msg == WM_NCDESTROY)
            menuwin::dropPhotograph(wnd);
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_NCPAINT:
        return DefWindowProcA(wnd, msg, wParam, lParam);
    default:
        return menuwin::handToMenu(wnd, msg, wParam, lParam);
    }
}
