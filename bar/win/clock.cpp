// The clock: the time and the date, in the user's formats, on two lines.
#include "bar/win/bar_window.h"

namespace tessel::win {

using namespace zt;

namespace {
// The clock's DC is its own (CS_OWNDC) and keeps the font: selecting it again
// at every draw would cost a font selection in the display driver each time.
// A DC left with the font selected is reset by the system when released.
void keepSelected(HDC dc, HFONT font) {
    if (dc && font && GetCurrentObject(dc, OBJ_FONT) != font)
        SelectObject(dc, font);
}
} // namespace

void BarWindow::clockTick() {
    char time[64] = {}, date[64] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    std::string text = std::string(time) + "\r\n" + date;
    char old[128] = {};
    GetWindowTextA(clock_, old, sizeof old);
    if (text == old)
        return;
    SetWindowTextA(clock_, text.c_str());
    // The label sizes itself to its two lines.
    ScopedWindowDc dc(clock_);
    keepSelected(dc.get(), clockFont_.get());
    RECT rc = {0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &rc, DT_CALCRECT | DT_NOPREFIX);
    RECT cur;
    GetClientRect(clock_, &cur);
    if (rc.right + 2 > cur.right || rc.bottom != cur.bottom)
        SetWindowPos(clock_, nullptr, 0, 0, rc.right + 2, rc.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(clock_, nullptr, FALSE);
}

LRESULT CALLBACK BarWindow::clockProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    BarWindow* bar = fromWindow(GetParent(wnd));
    if (msg == WM_PAINT && bar) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        bar->paintBackgroundUnder(wnd, dc);
        char text[128] = {};
        GetWindowTextA(wnd, text, sizeof text);
        RECT rc;
        GetClientRect(wnd, &rc);
        keepSelected(dc, bar->clockFont_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, bar->clockColour_);
        DrawTextA(dc, text, -1, &rc, DT_CENTER | DT_NOPREFIX);
        EndPaint(wnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND)
        return 1;
    return DefWindowProcA(wnd, msg, wp, lp);
}

} // namespace tessel::win
