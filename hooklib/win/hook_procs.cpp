// The two hook procedures and the small exports. Each hook passes its message
// on unchanged in every case; the effects only ever observe it.
#include "hooklib/win/hook_procs.h"

#include "hooklib/win/fx_animation.h"
#include "hooklib/win/fx_drag.h"
#include "hooklib/win/fx_icon_text.h"
#include "hooklib/win/fx_menu.h"
#include "hooklib/win/fx_shadow.h"
#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/observations.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/shared_state.h"
#include "hooklib/win/thread_hooks.h"
#include "hooklib/win/zrv_exports.h"

#include "common/win/scoped.h"

namespace zrv {
namespace {

// The thread holds its own reference on the library (its parameter) so that
// an unhook cannot unmap the code it is running.
DWORD WINAPI reloadThread(LPVOID pinnedLibrary) noexcept {
    LoadEffectSettings();
    if (pinnedLibrary)
        FreeLibraryAndExitThread(static_cast<HMODULE>(pinnedLibrary), 0);
    return 0;
}

void startReload() noexcept {
    ProcessState& s = state();
    noteReloadStarted();
    HMODULE pinned = nullptr;
    if (s.library)
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&reloadThread), &pinned);
    zt::ScopedModule pin(pinned);
    const zt::ScopedKernelHandle thread(CreateThread(nullptr, 0, reloadThread, pinned, 0, nullptr));
    if (thread) {
        pin.release(); // the thread's now
        return;
    }
    // No thread: load here rather than leave the effects gated off for good.
    pin.reset();
    LoadEffectSettings();
}

// Messages seen after the window procedure ran.
void routeAfter(const CWPRETSTRUCT& r) noexcept {
    const ProcessState& s = state();
    HWND w = r.hwnd;
    switch (r.message) {
    case WM_MENUSELECT:
        if (s.settings.emulatedMenus)
            fx::onMenuSelect(w);
        break;
    case WM_DESTROY:
        fx::onDestroyAfter(w);
        break;
    case WM_ERASEBKGND:
        if (s.isShellProcess)
            fx::onEraseBackground(w);
        break;
    case WM_ENTERSIZEMOVE:
        fx::onEnterSizeMove(w);
        break;
    case WM_EXITSIZEMOVE:
        fx::onExitSizeMove(w);
        break;
    case WM_SHOWWINDOW:
        if (r.wParam == 1)
            fx::onShowWindow(w);
        break;
    case WM_GETMINMAXINFO:
        if (!s.setLayeredWindowAttributes && s.settings.maxLimitLoaded)
            fx::onGetMinMaxInfoAfter(w, r.lParam);
        break;
    default:
        break;
    }
}

constexpr UINT kMenuItemHover = 0x1E5;
constexpr WPARAM kSysMoveCommand = 0xF010;

// Messages seen before the window procedure runs.
void routeBefore(const CWPSTRUCT& c) noexcept {
    const ProcessState& s = state();
    HWND w = c.hwnd;
    if (c.message == WM_GETMINMAXINFO && s.setLayeredWindowAttributes)
        fx::onGetMinMaxInfoBefore(w);
    if (s.settings.shadowsOn) {
        if (c.message == WM_WINDOWPOSCHANGING) {
            if (fx::onWindowPosChanging(w, c.lParam))
                return;
        } else if (c.message == WM_WINDOWPOSCHANGED || c.message == WM_NCACTIVATE) {
            fx::onWindowPosChanged(w);
            fx::applyAppTransparency(w);
        }
    }
    if (c.message == kMenuItemHover)
        fx::onMenuItemHover(w);
    if (c.message == s.hookMessage && c.wParam == HOOKCMD_RESET && s.hookMessage != 0)
        fx::resetWindow(w);
    if (c.message == WM_SYSCOMMAND)
        fx::onSysCommand(c.wParam);
    fx::onMenuMessageBefore(w, c.message, c.wParam, c.lParam);
    if (c.message == WM_DESTROY) {
        fx::onMenuDestroy(w);
        fx::onDestroyBefore(w);
    }
}

} // namespace

void hookAfter(const CWPRETSTRUCT& r) noexcept {
    ProcessState& s = state();
    bool routed = false;
    if (!s.reload.busy()) {
        if (s.reload.claim(sharedGeneration())) {
            startReload();
        } else if (!s.reload.busy()) {
            noteMessageRouted();
            routeAfter(r);
            routed = true;
        }
    }
    // A window destroyed while the settings are being read still loses its
    // properties: the clean-up needs no settings, and a window handle reused
    // later must not inherit them.
    if (!routed && r.message == WM_DESTROY)
        fx::onDestroyAfter(r.hwnd);
}

void hookBefore(const CWPSTRUCT& c) noexcept {
    ProcessState& s = state();
    if (!s.reload.busy()) {
        noteMessageRouted();
        routeBefore(c);
    } else if (c.message == WM_DESTROY) {
        // Its effect windows are closed all the same: nothing else would
        // ever close them, and they would stay on the screen.
        fx::onMenuDestroy(c.hwnd);
        fx::onDestroyBefore(c.hwnd);
    }
    // Before the window procedure, whether or not settings are loading: the
    // program may look at its window's properties in its own handler.
    if (c.message == WM_NCDESTROY)
        fx::onNcDestroy(c.hwnd);
}

} // namespace zrv

using zrv::g_shared;

extern "C" LRESULT CALLBACK PatchAPI(int code, WPARAM wParam, LPARAM lParam) noexcept {
    // An excluded program's messages pass untouched from its first one on.
    if (code == HC_ACTION && lParam && !zrv::state().excluded.load(std::memory_order_relaxed))
        zrv::hookAfter(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
    return CallNextHookEx(g_shared.returnHook, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK PatchAPI2(int code, WPARAM wParam, LPARAM lParam) noexcept {
    // An excluded program's messages pass untouched from its first one on.
    if (code == HC_ACTION && lParam && !zrv::state().excluded.load(std::memory_order_relaxed)) {
        const auto& c = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (c.message == zrv::state().hookMessage)
            zrv::threadhooks::answerProbe(c);
        zrv::hookBefore(c);
    }
    return CallNextHookEx(g_shared.callHook, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK PatchAPI3(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return CallNextHookEx(g_shared.thirdHook, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK Patch3(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == 1 && lParam == 3)
        Beep(1000, 1000);
    return CallNextHookEx(g_shared.thirdHook, code, wParam, lParam);
}

extern "C" void CALLBACK SetHookPtr(HHOOK returnHook, HHOOK callHook, HHOOK thirdHook) noexcept {
    g_shared.returnHook = returnHook;
    g_shared.callHook = callHook;
    g_shared.thirdHook = thirdHook;
}

extern "C" void CALLBACK UpdateSetting() noexcept { InterlockedIncrement(&g_shared.generation); }
