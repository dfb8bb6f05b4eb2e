// The library's effect timers. All of them run on the window they serve, in
// that window's thread, and share one timer procedure.
#pragma once
#include <windows.h>

namespace zrv {

enum EffectTimer : UINT_PTR {
    TIMER_SHADOW_SETTLE = 23,  // 100 ms, one shot, on a new shadow window
    TIMER_FADE = 27612,        // "FADERATE" ms, on a fading window
    TIMER_MENU_ALPHA = 17612,  // 10 ms, one shot, on a menu or "BaseBar" window
    TIMER_SLIDE = 87612,       // "SLIDERATE" ms, on a sliding window (and any other id)
};

constexpr UINT kShadowSettleInterval = 100;
constexpr UINT kMenuAlphaInterval = 10;

// Serves every timer above; a timer id it does not know is a slide step.
void CALLBACK EffectTimerProc(HWND wnd, UINT msg, UINT_PTR id, DWORD time) noexcept;

// The steps, one per timer.
void fadeStep(HWND wnd) noexcept;
void slideStep(HWND wnd) noexcept;
// A shadow reaches its full opacity and is repainted once, 100 ms after birth.
void shadowSettleStep(HWND shadow) noexcept;
// A menu gets its translucency once it is on screen.
void menuAlphaStep(HWND menu) noexcept;

// Starts the effect timer `id` on `wnd` (a window of the calling thread).
bool startEffectTimer(HWND wnd, EffectTimer id, UINT intervalMs) noexcept;
// The menu translucency timer on a menu or "BaseBar" window, holding the
// library until it has run or its window is gone.
void startMenuAlphaTimer(HWND menu) noexcept;

// Sends a "ZRVHook" command to one of the library's effect windows. A window
// of another thread gets it with a bounded wait, so a hung thread cannot hold
// the caller.
void sendHookCommand(HWND target, WPARAM command, LPARAM lParam = 0) noexcept;

// The library's opacity call: magenta key carried, only the opacity acts.
// False when the platform lacks layered windows.
bool setOpacity(HWND wnd, int opacity) noexcept;
// The library layers a window only where the program did not: a window the
// program layered itself keeps its colour key or per-pixel picture.
// addLayeredStyle is true when the window is layered by the library (now or
// already); removeLayeredStyle undoes only the library's own layering.
bool layeredByProgram(HWND wnd) noexcept;
bool addLayeredStyle(HWND wnd) noexcept;
void removeLayeredStyle(HWND wnd) noexcept;

} // namespace zrv
