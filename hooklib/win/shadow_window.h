// The shadow windows ("VelkShadow") themselves.
#pragma once
#include <windows.h>

namespace zrv::fx {

LRESULT CALLBACK ShadowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

} // namespace zrv::fx
