// Window shadows.
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"

namespace zrv::fx {

bool onWindowPosChanging(HWND, LPARAM) noexcept { return false; }
void onWindowPosChanged(HWND) noexcept {}

LRESULT CALLBACK ShadowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == state().hookMessage && msg != 0) {
        if (wParam != HOOKCMD_RESHAPE && wParam != HOOKCMD_ALPHA)
            DestroyWindow(wnd);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

} // namespace zrv::fx
