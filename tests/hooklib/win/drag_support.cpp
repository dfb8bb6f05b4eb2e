#include "tests/hooklib/win/drag_support.h"

#include "hooklib/win/window_props.h"
#include "tests/support/win/test_support.h"

#include <cstdlib>
#include <map>

namespace dragtest {
namespace {

constexpr DWORD kStepMs = 40;
constexpr int kSteps = 12;

Observed observe(HWND wnd) {
    Observed o;
    o.layered = (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    o.hasPicture = zrv::props::has(wnd, zrv::props::kSnapshot);
    o.hasPictureDc = zrv::props::has(wnd, zrv::props::kSnapshotDc);
    return o;
}

struct Script {
    HWND wnd;
    POINT from, delta;
    const Probe* probe;
    Observed during;
};

DWORD WINAPI mouseHand(LPVOID param) {
    Script& s = *static_cast<Script*>(param);
    SetCursorPos(s.from.x, s.from.y);
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(150);
    for (int i = 1; i <= kSteps; ++i) {
        SetCursorPos(s.from.x + s.delta.x * i / kSteps, s.from.y + s.delta.y * i / kSteps);
        Sleep(kStepMs);
    }
    // Still for a moment, as a hand is, so the release cannot overtake the
    // last move and the screen has settled for the probe.
    Sleep(500);
    s.during = observe(s.wnd);
    if (s.probe && *s.probe)
        (*s.probe)(s.during);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    return 0;
}

// A point of `wnd` where the hit test answers `hit`, searched along a line.
bool findHit(HWND wnd, LRESULT hit, POINT start, POINT step, int count, POINT* out) {
    for (int i = 0; i < count; ++i) {
        POINT p = {start.x + step.x * i, start.y + step.y * i};
        if (SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == hit) {
            *out = p;
            return true;
        }
    }
    return false;
}

DragRun run(HWND wnd, POINT from, POINT delta, const Probe* probe) {
    DragRun result;
    RECT before = {};
    GetWindowRect(wnd, &before);
    Script s{wnd, from, delta, probe, {}};
    HANDLE t = CreateThread(nullptr, 0, mouseHand, &s, 0, nullptr);
    if (!t)
        return result;
    const DWORD deadline = GetTickCount() + 15000;
    while (MsgWaitForMultipleObjects(1, &t, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() < deadline)
        zt::test::pumpMessages(0);
    CloseHandle(t);
    zt::test::pumpMessages(300);
    result.during = s.during;
    result.after = observe(wnd);
    RECT after = {};
    GetWindowRect(wnd, &after);
    result.moved = std::abs(after.left - before.left - delta.x) <= 2 &&
                   std::abs(after.top - before.top - delta.y) <= 2;
    result.resized = std::abs((after.right - after.left) - (before.right - before.left) -
                              delta.x) <= 2;
    return result;
}

} // namespace

DragRun dragCaption(HWND wnd, POINT delta, const Probe& probe) {
    RECT r = {};
    GetWindowRect(wnd, &r);
    POINT at = {};
    if (!findHit(wnd, HTCAPTION, {(r.left + r.right) / 2 - 40, r.top + 1}, {0, 1}, 40, &at))
        return {};
    // Into the caption a little, away from its edge.
    at.y += 3;
    return run(wnd, at, delta, &probe);
}

DragRun dragRightBorder(HWND wnd, int dx) {
    RECT r = {};
    GetWindowRect(wnd, &r);
    POINT at = {};
    if (!findHit(wnd, HTRIGHT, {r.right - 1, (r.top + r.bottom) / 2}, {-1, 0}, 10, &at))
        return {};
    return run(wnd, at, {dx, 0}, nullptr);
}

COLORREF screenPixel(POINT at) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, at.x, at.y);
    ReleaseDC(nullptr, dc);
    return c;
}

COLORREF mix(COLORREF over, COLORREF under, int opacity) {
    auto ch = [&](int a, int b) { return (a * opacity + b * (255 - opacity) + 127) / 255; };
    return RGB(ch(GetRValue(over), GetRValue(under)), ch(GetGValue(over), GetGValue(under)),
               ch(GetBValue(over), GetBValue(under)));
}

bool compositorRunning() {
    static const bool running = [] {
        static HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = blue;
        wc.lpszClassName = "DragProbeBlue";
        RegisterClassA(&wc);
        HWND w = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName,
                                 "", WS_POPUP, 1200, 950, 60, 60, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        SetLayeredWindowAttributes(w, 0, 128, LWA_ALPHA);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        UpdateWindow(w);
        zt::test::pumpMessages(400);
        const COLORREF seen = screenPixel({1230, 980});
        DestroyWindow(w);
        zt::test::pumpMessages(50);
        // Without a compositor the half-transparent window shows opaque.
        return !(GetRValue(seen) < 10 && GetGValue(seen) < 10 && GetBValue(seen) > 245);
    }();
    return running;
}

int& paintsOf(HWND wnd) {
    static std::map<HWND, int> counts;
    return counts[wnd];
}

} // namespace dragtest
