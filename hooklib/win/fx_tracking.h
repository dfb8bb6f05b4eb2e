// Window selection, per-window state and application transparency: what the
// hooks and the other effects ask of the tracked-window table.
#pragma once
#include <windows.h>

namespace zrv::fx {

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

} // namespace zrv::fx
