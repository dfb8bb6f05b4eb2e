#include "bar/win/bar_elements.h"

#include "bar/win/bar_background.h"
#include "bar/win/drawing.h"
#include "common/win/pictures.h"
#include "formats/twips.h"

#include <algorithm>

namespace tessel::win {

using namespace zt;

void BarElements::create(HWND bar, HINSTANCE instance) {
    bar_ = bar;
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    for (int i = 0; i < kElementCount; ++i) {
        windows_[i] = CreateWindowExA(0, kElementClass, "", child, 0, 0, 0, 0, bar,
                                      reinterpret_cast<HMENU>(INT_PTR(kElementIdBase + i)),
                                      instance, nullptr);
        SetWindowLongPtrA(windows_[i], GWLP_USERDATA, i);
    }
}

RunError BarElements::loadPictures(const std::string& skinFolder) {
    RunError first;
    auto keep = [&first](RunError e) {
        if (e.failed() && !first.failed())
            first = e;
    };
    for (int i = 0; i < kElementCount; ++i) {
        if (i == kTaskAreaElement)
            continue;
        keep(loadPicture(elementBitmapPath(skinFolder, i, BitmapLook::Normal), raisedPictures_[i]));
        keep(loadPicture(elementBitmapPath(skinFolder, i, BitmapLook::Pressed),
                         pressedPictures_[i]));
    }
    return first;
}

void BarElements::place(const SkinLayout& l) {
    for (int i = 0; i < kElementCount; ++i)
        SetWindowPos(windows_[i], nullptr, skinTwipsToPixels(l.elements[i].left),
                     skinTwipsToPixels(l.elements[i].top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(windows_[kTaskAreaElement], nullptr, 0, 0,
                 std::max(0, skinTwipsToPixels(l.taskAreaWidth)),
                 std::max(0, skinTwipsToPixels(l.taskAreaHeight)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BarElements::show(int i, bool pressed) {
    pressed_[i] = pressed;
    HWND el = windows_[i];
    if (i != kTaskAreaElement) {
        // The element sizes itself to the picture it shows, so that a
        // pressed picture of another size leaves nothing of the other behind.
        const SIZE s = bitmapSize((pressed ? pressedPictures_[i] : raisedPictures_[i]).get());
        RECT now;
        GetClientRect(el, &now);
        if (now.right != s.cx || now.bottom != s.cy) {
            SetWindowPos(el, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            // What the larger picture covered is the bar's background again.
            RECT r;
            GetWindowRect(el, &r);
            MapWindowPoints(nullptr, bar_, reinterpret_cast<POINT*>(&r), 2);
            r.right = r.left + std::max<LONG>(now.right, s.cx);
            r.bottom = r.top + std::max<LONG>(now.bottom, s.cy);
            RedrawWindow(bar_, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    }
    InvalidateRect(el, nullptr, FALSE);
}

void BarElements::paint(HWND el, int i, const BarBackground& background) const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(el, &ps);
    HBITMAP pic = (pressed_[i] ? pressedPictures_[i] : raisedPictures_[i]).get();
    if (pic)
        drawBitmap(dc, pic, 0, 0);
    else
        background.paintUnder(el, dc);
    EndPaint(el, &ps);
}

void BarElements::pressStarted(HWND el, int i) {
    SetCapture(el);
    pressedOn_ = i;
    show(i, true);
}

bool BarElements::released(HWND el, int i) {
    const bool ours = pressedOn_ == i;
    pressedOn_ = -1;
    if (GetCapture() == el)
        ReleaseCapture();
    if (pressed_[i])
        show(i, false);
    return ours;
}

bool BarElements::pressLost(HWND el, int i, HWND to) {
    if (to == el || pressedOn_ != i || !pressed_[i])
        return false;
    pressedOn_ = -1;
    show(i, false);
    return true;
}

} // namespace tessel::win
