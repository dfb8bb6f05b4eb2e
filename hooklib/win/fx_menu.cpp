// Menu translucency and menu shadows.
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/zrv_exports.h"

namespace zrv::fx {

void onMenuSelect(HWND) noexcept {}
void onMenuItemHover(HWND) noexcept {}
void onMenuMessageBefore(HWND, UINT, WPARAM, LPARAM) noexcept {}
void onMenuDestroy(HWND) noexcept {}

} // namespace zrv::fx

extern "C" LRESULT CALLBACK fakeWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    zrv::residency::onEffectWindowMessage(msg);
    if (msg == zrv::state().hookMessage && msg != 0) {
        if (wParam != zrv::HOOKCMD_RESHAPE && wParam != zrv::HOOKCMD_ALPHA)
            DestroyWindow(wnd);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}
