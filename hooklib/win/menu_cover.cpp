// The menu cover windows ("FakeMenu"): each stands over one pop-up menu and
// paints the menu's own image mixed with the screen that lay beneath it, plus
// the shadow strips, shaped to the parts it must show.
#include "hooklib/win/menu_cover.h"

#include "hooklib/menu_image.h"
#include "hooklib/win/dib.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/observations.h"
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
    props::remove(cover, props::kCoverItem);
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

// Print, ramp, mix, blit: the cover shows the menu as it is now, within
// `areas` (cover coordinates, the parts of the region `update`) alone. Over a
// layered menu only the shadow strips show: the menu is neither printed nor
// mixed there.
void paint(HWND cover, HDC target, HWND menu, const RECT* areas, int areaCount,
           HRGN update) noexcept {
    RECT c = {}, m = {};
    GetWindowRect(cover, &c);
    GetWindowRect(menu, &m);
    const int cw = widthOf(c), ch = heightOf(c);
    // The strips are what the cover has beyond the menu on both sides.
    const int dw = cw - widthOf(m), dh = ch - heightOf(m);
    const int strip = dw > 0 && dh > 0 ? (dw < dh ? dw : dh) : 0;
    const bool stripsOnly = props::has(menu, props::kAddedLayer);
    if (stripsOnly && strip == 0)
        return;
    zt::ScopedMemDc mem(CreateCompatibleDC(target));
    if (!mem)
        return;
    std::uint32_t* pixels = nullptr;
    zt::ScopedBitmap image(makeDib32(target, cw, ch, &pixels));
    if (!image)
        return;
    zt::ScopedSelect selected(mem.get(), image.get());
    if (!stripsOnly) {
        // The menu draws what falls within the parts only.
        if (update)
            SelectClipRgn(mem.get(), update);
        SendMessageA(menu, WM_PRINT, reinterpret_cast<WPARAM>(mem.get()), kPrintEverything);
        SelectClipRgn(mem.get(), nullptr);
    }
    GdiFlush();
    if (strip > 0)
        menu::DrawMenuShadowRamp(pixels, cw, ch, strip);
    // The right strip, the bottom strip; or the parts to repaint.
    const RECT strips[] = {{cw - strip, strip, cw, ch}, {strip, ch - strip, cw - strip, ch}};
    const RECT* first = stripsOnly ? strips : areas;
    const int count = stripsOnly ? 2 : areaCount;
    HBITMAP photo = static_cast<HBITMAP>(GetPropA(cover, props::kSnapshot));
    const std::uint32_t* beneath = dib32Pixels(photo, cw, ch);
    unsigned mixed = 0;
    for (const RECT* r = first; r != first + count; ++r) {
        if (beneath)
            menu::BlendMenuImageArea(pixels, beneath, cw, ch,
                                     strip > 0 ? menu::kBlendShadowed : menu::kBlendPlain,
                                     menu::backgroundWeight(state().menuOpacity.load()), strip,
                                     menu::Area{r->left, r->top, r->right, r->bottom});
        BitBlt(target, r->left, r->top, r->right - r->left, r->bottom - r->top, mem.get(),
               r->left, r->top, SRCCOPY);
        mixed += static_cast<unsigned>((r->right - r->left) * (r->bottom - r->top));
    }
    noteMenuCoverPaint(mixed);
}

// The rectangles of the part of the cover to repaint; at most `capacity`,
// else its bounding box alone.
int partsToRepaint(HRGN update, const RECT& box, RECT* out, int capacity) noexcept {
    union {
        RGNDATA data;
        char bytes[sizeof(RGNDATAHEADER) + 16 * sizeof(RECT)];
    } buffer;
    const DWORD size = update ? GetRegionData(update, sizeof buffer, &buffer.data) : 0;
    const int n = size ? static_cast<int>(buffer.data.rdh.nCount) : 0;
    if (n <= 0 || n > capacity) {
        out[0] = box;
        return 1;
    }
    const RECT* r = reinterpret_cast<const RECT*>(buffer.data.Buffer);
    for (int i = 0; i < n; ++i)
        out[i] = r[i];
    return n;
}

void onPaint(HWND cover) noexcept {
    // Taken before BeginPaint validates it: the parts that changed (two
    // items, when the highlight moved) are all that is repainted.
    zt::ScopedRegion update(CreateRectRgn(0, 0, 0, 0));
    if (update) {
        const int kind = GetUpdateRgn(cover, static_cast<HRGN>(update.get()), FALSE);
        if (kind == ERROR || kind == NULLREGION)
            update.reset();
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(cover, &ps);
    HWND menu = props::getWindow(cover, props::kCoverMenu);
    const bool menuGone = menu && !IsWindow(menu);
    // Printing a window of another thread would wait on that thread.
    if (dc && menu && !menuGone && ofThisThread(menu)) {
        RECT parts[16];
        const int n = partsToRepaint(static_cast<HRGN>(update.get()), ps.rcPaint, parts, 16);
        paint(cover, dc, menu, parts, n, static_cast<HRGN>(update.get()));
    }
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
