// Desktop icon text colours, in the shell process only.
#pragma once
#include <windows.h>

namespace zrv::fx {

void onEraseBackground(HWND wnd) noexcept;         // return hook, WM_ERASEBKGND

} // namespace zrv::fx
