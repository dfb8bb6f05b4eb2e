// Menu translucency and menu shadows, the hook side.
#pragma once
#include <windows.h>

namespace zrv::fx {

void onMenuSelect(HWND wnd) noexcept;              // return hook, emulated menus
void onMenuItemHover(HWND wnd) noexcept;           // call hook, message 0x1E5
void onMenuMessageBefore(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
void onMenuDestroy(HWND wnd) noexcept;             // call hook, WM_DESTROY
void closeMenuCoversForDetach() noexcept;          // detach

} // namespace zrv::fx
