// The clock: the time and the date, in the user's formats, on two lines, on
// the skin's background.
#pragma once
#include <windows.h>

#include "common/win/scoped.h"

namespace tessel::win {

class BarBackground;

inline constexpr char kClockClass[] = "TesselLabel";
inline constexpr int kClockId = 301;

class Clock {
public:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);

    // The clock's window, a child of `bar`, and its font; it paints over the
    // part of `background` under it.
    void create(HWND bar, HINSTANCE instance, const BarBackground& background);
    // Shows the current time, when it reads differently from what is shown.
    void tick();
    void place(int x, int y);
    void setColour(COLORREF colour) { colour_ = colour; }

private:
    void paint(HWND wnd) const;

    HWND wnd_ = nullptr;
    zt::ScopedFont font_;
    COLORREF colour_ = RGB(255, 255, 255);
    const BarBackground* background_ = nullptr;
};

} // namespace tessel::win
