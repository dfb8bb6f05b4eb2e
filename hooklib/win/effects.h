// The effects the two hook procedures route to: one small entry point per
// message and effect. Each lives in the file of its effect.
#pragma once
#include <windows.h>

namespace zrv::fx {

// --- per-window state and application transparency (fx_tracking.cpp) ---
void clearTrackedTable() noexcept;                 // attach
void resetTrackedWindows() noexcept;               // after every settings load
void resetWindow(HWND wnd) noexcept;               // call hook, HOOKCMD_RESET, in its thread
void closeTrackedForDetach(bool sendCommands) noexcept; // detach
void onDestroyAfter(HWND wnd) noexcept;            // return hook, WM_DESTROY
void onDestroyBefore(HWND wnd) noexcept;           // call hook, WM_DESTROY
void onNcDestroy(HWND wnd) noexcept;               // call hook, WM_NCDESTROY
void applyAppTransparency(HWND wnd) noexcept;      // after shadows follow a change
// Puts a window in the tracked table (the shadows do so before creating or
// moving a shadow candidate's shadows); a full table beeps. False when full.
bool trackWindow(HWND wnd) noexcept;
// The library's own shadow and menu cover windows: no effect applies to them.
bool isEffectWindow(HWND wnd) noexcept;
void untrackWindow(HWND wnd) noexcept;

// --- fade-in and slide-in (fx_animation.cpp) ---
void onShowWindow(HWND wnd) noexcept;              // return hook, WM_SHOWWINDOW shown

// --- shadows (fx_shadow.cpp) ---
// Returns true when the shadows were hidden: the call hook then passes on at once.
bool onWindowPosChanging(HWND wnd, LPARAM lParam) noexcept;
void onWindowPosChanged(HWND wnd) noexcept;        // also WM_NCACTIVATE
LRESULT CALLBACK ShadowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// --- menus (fx_menu.cpp) ---
void onMenuSelect(HWND wnd) noexcept;              // return hook, emulated menus
void onMenuItemHover(HWND wnd) noexcept;           // call hook, message 0x1E5
void onMenuMessageBefore(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
void onMenuDestroy(HWND wnd) noexcept;             // call hook, WM_DESTROY
void closeMenuCoversForDetach() noexcept;          // detach

// --- dragging and maximize to set size (fx_drag.cpp) ---
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

// --- desktop icon text (fx_icon_text.cpp) ---
void onEraseBackground(HWND wnd) noexcept;

} // namespace zrv::fx
