// The bar's 22 picture elements: their pictures, the pressed look, the
// click that runs an element's action and the drag of the move element.
#include "bar/win/bar_window.h"
#include "bar/win/drawing.h"

#include <windowsx.h>

#include <cmath>

namespace tessel::win {

using namespace zt;

void BarWindow::showElement(int i, bool pressed) {
    pressed_[i] = pressed;
    HWND el = elements_[i];
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
            MapWindowPoints(nullptr, wnd_, reinterpret_cast<POINT*>(&r), 2);
            r.right = r.left + std::max<LONG>(now.right, s.cx);
            r.bottom = r.top + std::max<LONG>(now.bottom, s.cy);
            RedrawWindow(wnd_, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    }
    InvalidateRect(el, nullptr, FALSE);
}

LRESULT CALLBACK BarWindow::elementProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    BarWindow* bar = fromWindow(GetParent(wnd));
    if (!bar)
        return DefWindowProcA(wnd, msg, wp, lp);
    return bar->elementMessage(wnd, int(GetWindowLongPtrA(wnd, GWLP_USERDATA)), msg, wp, lp);
}

LRESULT BarWindow::elementMessage(HWND el, int i, UINT msg, WPARAM wp, LPARAM lp) {
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(el, &ps);
        HBITMAP pic = (pressed_[i] ? pressedPictures_[i] : raisedPictures_[i]).get();
        if (pic)
            drawBitmap(dc, pic, 0, 0);
        else
            background_.paintUnder(el, dc);
        EndPaint(el, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(el);
        pressedOn_ = i;
        showElement(i, true);
        if (i == kMoveElement && msg == WM_LBUTTONDOWN) {
            anchorX_ = toTwips(x);
            anchorY_ = int(std::lround(toTwips(y)));
            dragging_ = true;
        }
        return 0;
    case WM_MOUSEMOVE:
        // Only the left button alone drags the bar.
        if (i == kMoveElement && dragging_ &&
            (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) ==
                MK_LBUTTON) {
            RECT r;
            GetWindowRect(wnd_, &r);
            int left = toPixels(toTwips(r.left) + toTwips(x) - anchorX_);
            int top = toPixels(toTwips(r.top) + toTwips(y) - anchorY_);
            SetWindowPos(wnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        // A release whose press began somewhere else (another element, a
        // dialog's close picture) is no click on this element.
        const bool ours = pressedOn_ == i;
        pressedOn_ = -1;
        if (GetCapture() == el)
            ReleaseCapture();
        if (pressed_[i])
            showElement(i, false);
        if (!ours)
            return 0;
        RECT rc;
        GetClientRect(el, &rc);
        POINT pt = {x, y};
        if (i == kMoveElement) {
            dragging_ = false;
            snapToEdges();
        } else if (msg == WM_LBUTTONUP && PtInRect(&rc, pt)) {
            elementClicked(i);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != el && pressedOn_ == i && pressed_[i]) {
            // The capture went elsewhere mid-press (a dialog or a message box
            // appeared): the press is over without a click.
            pressedOn_ = -1;
            dragging_ = false;
            showElement(i, false);
        }
        return 0;
    }
    return DefWindowProcA(el, msg, wp, lp);
}

} // namespace tessel::win
