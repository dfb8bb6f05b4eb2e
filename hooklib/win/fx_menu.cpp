// Menu translucency and menu shadows, the hook side: pop-up menus are taken
// on their first non-client paint, either made layered (with a cover that
// only paints the shadow strips) or covered by a window that paints them
// mixed with what lay beneath. "BaseBar" windows are made layered.
#include "formats/effect_keys.h"
#include "hooklib/menu_image.h"
#include "hooklib/win/dib.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/effects.h"
#include "hooklib/win/menu_win.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/window_props.h"

#include "common/win/scoped.h"
#include "hooklib/window_kinds.h"

#include <cstring>

namespace zrv::fx {
namespace {

using menuwin::closeCover;
using menuwin::coverOf;

// Another thread taking a menu of this process is waited for in 1 ms polls,
// at most this many; then the menu is taken all the same.
constexpr int kMenuTurnPolls = 2000;
constexpr std::int32_t kCoverBeingBuilt = 1;

class MenuTurn {
  public:
    MenuTurn() noexcept {
        std::atomic<bool>& busy = state().menuBusy;
        for (int i = 0; i < kMenuTurnPolls && busy.exchange(true); ++i)
            Sleep(1);
        busy.store(true);
    }
    ~MenuTurn() { state().menuBusy.store(false); }
    MenuTurn(const MenuTurn&) = delete;
    MenuTurn& operator=(const MenuTurn&) = delete;
};

bool classIs(HWND wnd, const char* name) noexcept {
    char buf[16] = {};
    return GetClassNameA(wnd, buf, sizeof buf) > 0 && std::strcmp(buf, name) == 0;
}

ATOM classAtomOf(HWND wnd) noexcept {
    return static_cast<ATOM>(GetClassLongA(wnd, GCW_ATOM));
}

// Pop-up menus are known by name until the first one has been taken, then by
// their class atom.
bool isPopupMenu(HWND wnd) noexcept {
    const ATOM known = state().menuAtom.load();
    return known ? classAtomOf(wnd) == known : classIs(wnd, menuwin::kMenuClass);
}

// The width of the shadow strips of the next cover; 0 for none.
int shadowStrip() noexcept {
    const ProcessState& s = state();
    if (!s.settings.menusShadowed || s.settings.menuShadowSize < 1)
        return 0;
    return s.settings.menuShadowSize > menuwin::kLargestShadow ? menuwin::kLargestShadow
                                                               : s.settings.menuShadowSize;
}

// The screen beneath a cover of cw by ch at (x, y), as a bitmap the cover
// paints from.
HBITMAP photograph(int x, int y, int cw, int ch) noexcept {
    zt::ScopedWindowDc screen(nullptr);
    if (!screen)
        return nullptr;
    zt::ScopedMemDc mem(CreateCompatibleDC(screen.get()));
    if (!mem)
        return nullptr;
    std::uint32_t* pixels = nullptr;
    zt::ScopedBitmap photo(makeDib32(screen.get(), cw, ch, &pixels));
    if (!photo)
        return nullptr;
    {
        zt::ScopedSelect selected(mem.get(), photo.get());
        BitBlt(mem.get(), 0, 0, cw, ch, screen.get(), x, y, SRCCOPY);
    }
    return static_cast<HBITMAP>(photo.release());
}

// The cover's shape: with the emulated method the menu and the two strips,
// with layered menus the strips alone (which lie outside an unshadowed cover).
HRGN coverRegion(bool emulated, int w, int h, int strip) noexcept {
    zt::ScopedRegion shape(CreateRectRgn(0, 0, emulated ? w : 0, emulated ? h : 0));
    zt::ScopedRegion right(CreateRectRgn(w, strip, w + strip, h + strip));
    zt::ScopedRegion bottom(CreateRectRgn(strip, h, w + strip, h + strip));
    if (!shape || !right || !bottom)
        return nullptr;
    CombineRgn(shape.get(), shape.get(), right.get(), RGN_OR);
    CombineRgn(shape.get(), shape.get(), bottom.get(), RGN_OR);
    return static_cast<HRGN>(shape.release());
}

HWND makeCover(HWND menu, const RECT& m, int strip, HBITMAP photo, bool emulated) noexcept {
    const int w = m.right - m.left, h = m.bottom - m.top;
    HWND cover = CreateWindowExA(WS_EX_TOOLWINDOW, menuwin::kCoverClass, "",
                                 WS_POPUP | WS_CLIPSIBLINGS, m.left, m.top, w + strip, h + strip,
                                 nullptr, nullptr, state().hostInstance, nullptr);
    if (!cover)
        return nullptr;
    if (!SetPropA(cover, props::kSnapshot, photo)) {
        DestroyWindow(cover); // the caller still owns the photograph
        return nullptr;
    }
    if (HRGN shape = coverRegion(emulated, w, h, strip))
        if (!SetWindowRgn(cover, shape, FALSE))
            DeleteObject(shape);
    props::setWindow(menu, props::kMenuCover, cover);
    props::setWindow(cover, props::kCoverMenu, menu);
    SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return cover;
}

void takeMenu(HWND menu) noexcept {
    ProcessState& s = state();
    const bool emulated = s.settings.emulatedMenus;
    if (!(s.setLayeredWindowAttributes || emulated) ||
        readUseKey(keys::kSemiMenus.name, keys::kSemiMenus.libraryDefault) == 0)
        return;
    s.settings.menusShadowed =
        readUseKey(keys::kSemiMenusShadow.name, keys::kSemiMenusShadow.libraryDefault) == 1;
    s.menuOpacity.store(readUseKey(keys::kSemiMenusVal.name, keys::kSemiMenusVal.libraryDefault));
    ATOM none = 0;
    s.menuAtom.compare_exchange_strong(none, classAtomOf(menu));

    {
        MenuTurn turn;
        // A menu whose cover is being built is left to the thread building
        // it: a paint that comes meanwhile must not make a second cover.
        if (!kinds::isVisibleStyle(static_cast<std::uint32_t>(GetWindowLongA(menu, GWL_STYLE))) ||
            coverOf(menu) || props::getInt(menu, props::kMenuCover) == kCoverBeingBuilt)
            return;
        if (!emulated) {
            addLayeredStyle(menu);
            startMenuAlphaTimer(menu);
        }
        props::setInt(menu, props::kMenuCover, kCoverBeingBuilt);
    }
    RECT m = {};
    GetWindowRect(menu, &m);
    const int strip = shadowStrip();
    const int w = m.right - m.left, h = m.bottom - m.top;
    HBITMAP photo = w > 0 && h > 0 ? photograph(m.left, m.top, w + strip, h + strip) : nullptr;
    HWND cover = photo ? makeCover(menu, m, strip, photo, emulated) : nullptr;
    if (!cover) {
        if (photo)
            DeleteObject(photo);
        props::remove(menu, props::kMenuCover);
    }
}

void makeBaseBarTranslucent(HWND bar) noexcept {
    if (!state().setLayeredWindowAttributes ||
        readUseKey(keys::kSemiMenus.name, keys::kSemiMenus.libraryDefault) == 0)
        return;
    addLayeredStyle(bar);
    setOpacity(bar, 0);
    startMenuAlphaTimer(bar);
}

void onMenuHidden(HWND wnd) noexcept {
    if (!classIs(wnd, menuwin::kMenuClass) && !classIs(wnd, menuwin::kBaseBarClass))
        return;
    removeLayeredStyle(wnd);
    if (HWND cover = coverOf(wnd))
        closeCover(cover);
}

BOOL CALLBACK repaintCoverOf(HWND wnd, LPARAM) noexcept {
    if (HWND cover = coverOf(wnd))
        InvalidateRect(cover, nullptr, FALSE);
    return TRUE;
}

BOOL CALLBACK closeIfCover(HWND wnd, LPARAM) noexcept {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId() && classIs(wnd, menuwin::kCoverClass))
        closeCover(wnd);
    return TRUE;
}

} // namespace

void onMenuSelect(HWND) noexcept {
    if (HWND cover = coverOf(state().lastMenuWindow.load())) {
        InvalidateRect(cover, nullptr, FALSE);
        return;
    }
    // Where menus never get message 0x1E5 the last menu is not known: the
    // covers of this thread's menus repaint instead.
    EnumThreadWindows(GetCurrentThreadId(), repaintCoverOf, 0);
}

void onMenuItemHover(HWND wnd) noexcept {
    state().lastMenuWindow.store(wnd);
}

void onMenuMessageBefore(HWND wnd, UINT msg, WPARAM wParam, LPARAM) noexcept {
    switch (msg) {
    case WM_NCPAINT:
        if (isPopupMenu(wnd))
            takeMenu(wnd);
        break;
    case WM_NCCALCSIZE:
        if (classIs(wnd, menuwin::kBaseBarClass))
            makeBaseBarTranslucent(wnd);
        break;
    case WM_SHOWWINDOW:
        if (wParam == 0)
            onMenuHidden(wnd);
        break;
    default:
        break;
    }
}

void onMenuDestroy(HWND wnd) noexcept {
    // Before any menu has been taken the atom is unknown, yet a cover from
    // before (menus since turned off) must still go with its menu.
    ProcessState& s = state();
    if (!isPopupMenu(wnd))
        return;
    HWND cover = coverOf(wnd);
    props::remove(wnd, props::kMenuCover);
    if (cover)
        closeCover(cover);
    HWND self = wnd;
    s.lastMenuWindow.compare_exchange_strong(self, nullptr);
}

void closeMenuCoversForDetach() noexcept {
    EnumWindows(closeIfCover, 0);
}

} // namespace zrv::fx
