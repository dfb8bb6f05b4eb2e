// Translucent window dragging and maximize to set size.
#pragma once
#include <windows.h>

namespace zrv::fx {

void onSysCommand(WPARAM wParam) noexcept;
void onEnterSizeMove(HWND wnd) noexcept;
void onExitSizeMove(HWND wnd) noexcept;
void onGetMinMaxInfoBefore(HWND wnd) noexcept;     // subclass with stubPatch
void onGetMinMaxInfoAfter(HWND wnd, LPARAM lParam) noexcept; // no layered windows
// Deletes a dragged window's picture and its context and removes "HH" and
// "HH2"; also when the window is destroyed in the middle of a drag. Only the
// library's own picture: a program's properties of those names stay.
void releaseDragPicture(HWND wnd) noexcept;
// The body of stubPatch.
LRESULT maximizeStub(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

} // namespace zrv::fx
