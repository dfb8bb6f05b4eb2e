// Translucent window dragging and maximize to set size.
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/zrv_exports.h"

namespace zrv::fx {

void onSysCommand(WPARAM) noexcept {}
void onEnterSizeMove(HWND) noexcept {}
void onExitSizeMove(HWND) noexcept {}
void onGetMinMaxInfoBefore(HWND) noexcept {}
void onGetMinMaxInfoAfter(HWND, LPARAM) noexcept {}

} // namespace zrv::fx

extern "C" LRESULT CALLBACK stubPatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return DefWindowProcA(wnd, msg, wParam, lParam);
}
