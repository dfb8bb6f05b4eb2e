// The platform's answer to "which monitor is this on", as the portable
// rectangles of common/monitor_layout.h. Every query falls back to the
// primary screen, so a caller always gets a usable monitor.
#pragma once

#include "common/monitor_layout.h"

#include <windows.h>

namespace zt::win {

inline Rect toRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline RECT toRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

inline Monitor monitorInfo(HMONITOR m) noexcept {
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (m && GetMonitorInfoA(m, &mi))
        return {toRect(mi.rcMonitor), toRect(mi.rcWork)};
    Monitor screen;
    screen.bounds = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT work = {};
    screen.work =
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) ? toRect(work) : screen.bounds;
    return screen;
}

// A minimized window counts as on the monitor of its restored rectangle.
inline Monitor monitorOfWindow(HWND wnd) noexcept {
    return monitorInfo(wnd ? MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST) : nullptr);
}

inline Monitor monitorOfRect(const RECT& r) noexcept {
    return monitorInfo(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

inline Monitor monitorAtPoint(POINT p) noexcept {
    return monitorInfo(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

inline Monitor primaryMonitor() noexcept {
    return monitorInfo(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

// Centres a window in the work area of the mouse pointer's monitor: where the
// user is looking when a window opens from the tray icon or at a start.
inline void centreOnPointerMonitor(HWND wnd) noexcept {
    RECT r = {};
    POINT p = {};
    if (!GetWindowRect(wnd, &r) || !GetCursorPos(&p))
        return;
    const Rect c = centredIn(r.right - r.left, r.bottom - r.top, monitorAtPoint(p).work);
    SetWindowPos(wnd, nullptr, c.left, c.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace zt::win
