// Fade-in and slide-in of newly shown windows.
#pragma once
#include <windows.h>

namespace zrv::fx {

void onShowWindow(HWND wnd) noexcept;              // return hook, WM_SHOWWINDOW shown

} // namespace zrv::fx
