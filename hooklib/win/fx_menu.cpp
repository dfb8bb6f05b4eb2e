// Menu translucency and menu shadows, the hook side: pop-up menus are taken
// on their first non-client paint, either made layered (with a cover that
// only paints the shadow strips) or covered by a window that paints them
// mixed with what lay beneath. "BaseBar" windows are made layered.
#include "hooklib/win/fx_menu.h"

#include "formats/effect_keys.h"
#include "hooklib/menu_image.h"
#include "hooklib/win/dib.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/menu_cover.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"

#include "common/win/scoped.h"
#include "hooklib/window_kinds.h"

#include <cstring>

namespace zrv::fx {
namespace {

using menuwin::closeCover;
using menuwin::coverOf;

// Another thread taking a menu of this process is waited for about this
// long; then the menu is taken all the same. A time, not a count of polls:
// a 1 ms sleep lasts a whole timer tick on some systems.
constexpr DWORD kMenuTurnWaitMs = 2000;
constexpr std::int32_t kCoverBeingBuilt = 1;

// The turn at taking a menu. A thread that already holds it and comes back
// (the program answers a style change of its menu by repainting the frame,
// as menu-skinning code does) is told so instead of waiting for itself.
class MenuTurn {
  public:
    MenuTurn() noexcept {
        ProcessState& s = state();
        const DWORD self = GetCurrentThreadId();
        if (s.menuTurnOwner.load() == self) {
            reentered_ = true;
            return;
        }
        const DWORD start = GetTickCount();
        while (s.menuBusy.exchange(true) && GetTickCount() - start < kMenuTurnWaitMs)
            Sleep(1);
        s.menuBusy.store(true);
        s.menuTurnOwner.store(self);
    }
    ~MenuTurn() {
        if (reentered_)
            return;
        state().menuTurnOwner.store(0);
        state().menuBusy.store(false);
    }
    bool reentered() const noexcept { return reentered_; }
    MenuTurn(const MenuTurn&) = delete;
    MenuTurn& operator=(const MenuTurn&) = delete;

  private:
    bool reentered_ = false;
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
    zt::ScopedRegion shape(coverRegion(emulated, w, h, strip));
    if (shape && SetWindowRgn(cover, shape.get(), FALSE))
        shape.release(); // the window's now
    props::setWindow(menu, props::kMenuCover, cover);
    props::setWindow(cover, props::kCoverMenu, menu);
    SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return cover;
}

// A visible menu with no cover. One whose cover is being built is left to
// the thread building it: a paint that comes meanwhile must not make a
// second cover. Looked at before any setting is read, so that the paints of
// a menu already covered cost no read.
bool mayTake(HWND menu) noexcept {
    return kinds::isVisibleStyle(static_cast<std::uint32_t>(GetWindowLongA(menu, GWL_STYLE))) &&
           !coverOf(menu) && props::getInt(menu, props::kMenuCover) != kCoverBeingBuilt;
}

void takeMenu(HWND menu) noexcept {
    ProcessState& s = state();
    const bool emulated = s.settings.emulatedMenus;
    // A menu its program layered itself (its colour key or a picture it
    // draws with UpdateLayeredWindow) is left as the program made it, as
    // application transparency leaves such windows: neither an opacity nor
    // a cover that would paint over it.
    if (layeredByProgram(menu) || !mayTake(menu))
        return;
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
        // A paint met while this thread takes a menu belongs to that take.
        if (turn.reentered())
            return;
        if (!mayTake(menu))
            return;
        // Marked before the style changes: the change sends the menu
        // messages, and a paint among them must find the menu being taken.
        props::setInt(menu, props::kMenuCover, kCoverBeingBuilt);
        if (!emulated && addLayeredStyle(menu))
            startMenuAlphaTimer(menu);
    }
    RECT m = {};
    GetWindowRect(menu, &m);
    const int strip = shadowStrip();
    const int w = m.right - m.left, h = m.bottom - m.top;
    zt::ScopedBitmap photo(w > 0 && h > 0 ? photograph(m.left, m.top, w + strip, h + strip)
                                          : nullptr);
    HWND cover = photo ? makeCover(menu, m, strip, photo.get(), emulated) : nullptr;
    if (cover) {
        photo.release(); // the cover's now
        return;
    }
    props::remove(menu, props::kMenuCover);
}

void makeBaseBarTranslucent(HWND bar) noexcept {
    if (!state().setLayeredWindowAttributes ||
        readUseKey(keys::kSemiMenus.name, keys::kSemiMenus.libraryDefault) == 0)
        return;
    // A bar its program layered itself keeps its own layering.
    if (!addLayeredStyle(bar))
        return;
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

constexpr UINT kGetMenuHandle = 0x01E1; // a menu window's menu (MN_GETHMENU)

int highlightedItem(HMENU m) noexcept {
    const int count = GetMenuItemCount(m);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(m, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    return -1;
}

bool invalidateItem(HWND cover, HMENU m, int item) noexcept {
    RECT r = {}, c = {};
    if (!GetMenuItemRect(nullptr, m, static_cast<UINT>(item), &r) || !GetWindowRect(cover, &c))
        return false;
    OffsetRect(&r, -c.left, -c.top);
    return InvalidateRect(cover, &r, FALSE) != FALSE;
}

// The highlight moved: the cover repaints the item it left and the item it
// reached, not the whole menu. Whatever cannot be told repaints it all.
void repaintChangedItems(HWND cover) noexcept {
    HWND menu = props::getWindow(cover, props::kCoverMenu);
    HMENU m = menu ? reinterpret_cast<HMENU>(SendMessageA(menu, kGetMenuHandle, 0, 0)) : nullptr;
    if (!m) {
        InvalidateRect(cover, nullptr, FALSE);
        return;
    }
    const int now = highlightedItem(m);
    const int before = props::getInt(cover, props::kCoverItem) - 1;
    if (now == before)
        return;
    props::setInt(cover, props::kCoverItem, now + 1);
    bool told = before < 0 || invalidateItem(cover, m, before);
    told = (now < 0 || invalidateItem(cover, m, now)) && told;
    if (!told)
        InvalidateRect(cover, nullptr, FALSE);
}

BOOL CALLBACK repaintCoverOf(HWND wnd, LPARAM) noexcept {
    if (HWND cover = coverOf(wnd))
        repaintChangedItems(cover);
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
        repaintChangedItems(cover);
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
