// Window shadows, the hook side.
#pragma once
#include <windows.h>

namespace zrv::fx {

// Returns true when the shadows were hidden: the call hook then passes on at once.
bool onWindowPosChanging(HWND wnd, LPARAM lParam) noexcept;
void onWindowPosChanged(HWND wnd) noexcept;        // also WM_NCACTIVATE

} // namespace zrv::fx
