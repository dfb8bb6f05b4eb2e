// Real mouse drags of a window's caption or border for the drag tests, and
// reading what the screen shows.
#pragma once
#include <windows.h>

#include <functional>

namespace dragtest {

struct Observed {
    bool layered = false;
    bool hasPicture = false;   // "HH"
    bool hasPictureDc = false; // "HH2"
    COLORREF pixelAt[2] = {};  // filled by the caller's probe
};

struct DragRun {
    bool moved = false;   // the window followed the mouse
    bool resized = false; // a border drag changed its width
    Observed during;      // with the button still down, after the last move
    Observed after;       // after the release, messages handled
};

using Probe = std::function<void(Observed&)>;

// Presses on the caption, moves the mouse by `delta` in steps a hand would
// take, waits, probes, releases. Runs this thread's messages meanwhile.
DragRun dragCaption(HWND wnd, POINT delta, const Probe& probe);
// The same on the right border, `dx` pixels to the right.
DragRun dragRightBorder(HWND wnd, int dx);

COLORREF screenPixel(POINT at);
COLORREF mix(COLORREF over, COLORREF under, int opacity);
// True when a translucent window shows translucent on screen (a compositor
// runs on the display); checked once.
bool compositorRunning();
// WM_PAINT count of a window whose procedure calls it on WM_PAINT.
int& paintsOf(HWND wnd);

} // namespace dragtest
