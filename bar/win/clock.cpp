#include "bar/win/clock.h"

#include "bar/win/bar_background.h"
#include "common/win/window_object.h"
#include "formats/twips.h"

#include <string>

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

void Clock::create(HWND bar, HINSTANCE instance, const BarBackground& background) {
    background_ = &background;
    LOGFONTA cf = {};
    // In skin pixels, as the pictures around it.
    cf.lfHeight = -MulDiv(8, kSkinDpi, 72);
    lstrcpyA(cf.lfFaceName, "Arial");
    font_.reset(CreateFontIndirectA(&cf));
    wnd_ = CreateWindowExA(0, kClockClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                           bar, reinterpret_cast<HMENU>(INT_PTR(kClockId)), instance, this);
    // The clock's own DC keeps its font and transparent text for good.
    ScopedWindowDc dc(wnd_);
    SelectObject(dc.get(), font_.get());
    SetBkMode(dc.get(), TRANSPARENT);
}

void Clock::tick() {
    char time[64] = {}, date[64] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    std::string text = std::string(time) + "\r\n" + date;
    char old[128] = {};
    GetWindowTextA(wnd_, old, sizeof old);
    if (text == old)
        return;
    SetWindowTextA(wnd_, text.c_str());
    // The label sizes itself to its two lines.
    ScopedWindowDc dc(wnd_);
    keepSelected(dc.get(), font_.get());
    RECT rc = {0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &rc, DT_CALCRECT | DT_NOPREFIX);
    RECT cur;
    GetClientRect(wnd_, &cur);
    if (rc.right + 2 > cur.right || rc.bottom != cur.bottom)
        SetWindowPos(wnd_, nullptr, 0, 0, rc.right + 2, rc.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(wnd_, nullptr, FALSE);
}

void Clock::place(int x, int y) {
    SetWindowPos(wnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Clock::paint(HWND wnd) const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    background_->paintUnder(wnd, dc);
    char text[128] = {};
    GetWindowTextA(wnd, text, sizeof text);
    RECT rc;
    GetClientRect(wnd, &rc);
    keepSelected(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_);
    DrawTextA(dc, text, -1, &rc, DT_CENTER | DT_NOPREFIX);
    EndPaint(wnd, &ps);
}

LRESULT CALLBACK Clock::windowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto* clock = zt::windowObject<const Clock>(wnd, msg, lp);
    if (msg == WM_PAINT && clock && clock->background_) {
        clock->paint(wnd);
        return 0;
    }
    if (msg == WM_ERASEBKGND)
        return 1;
    return DefWindowProcA(wnd, msg, wp, lp);
}

} // namespace tessel::win
