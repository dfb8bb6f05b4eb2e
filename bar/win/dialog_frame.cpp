#include "bar/win/dialog_frame.h"

#include "bar/geometry.h"
#include "bar/win/bar_window.h"
#include "bar/win/drawing.h"
#include "bar/win/error_report.h"
#include "common/win/pictures.h"
#include "common/win/screen.h"

#include "common/win/monitors.h"

#include <windowsx.h>

#include <new>

namespace tessel::win {

using namespace zt;

DialogFrame::DialogFrame(BarWindow& bar, DialogKind kind, Pictures pictures, float snapMargin)
    : bar_(bar), kind_(kind), pictures_(pictures), snapMargin_(snapMargin) {}

HWND DialogFrame::open(std::unique_ptr<DialogFrame> dialog, int templateId) {
    DialogFrame* d = dialog.get();
    // Owned by the bar, so that it stays in front of the topmost bar and
    // goes with it.
    HWND wnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                  d->bar_.hwnd(), proc, reinterpret_cast<LPARAM>(d));
    if (!wnd)
        return nullptr; // the dialog was never handed over: `dialog` deletes it
    dialog.release();   // from here on the window owns it (WM_NCDESTROY)
    d->place();
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(wnd);
    return wnd;
}

DialogFrame* DialogFrame::fromWindow(HWND wnd) {
    if (!wnd || GetWindowLongPtrA(wnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&proc))
        return nullptr;
    return reinterpret_cast<DialogFrame*>(GetWindowLongPtrA(wnd, DWLP_USER));
}

bool DialogFrame::isDialogMessage(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    return fromWindow(root) && IsDialogMessageA(root, &msg);
}

// In the middle of the work area of the bar's monitor.
void DialogFrame::place() { centreOnMonitorOf(wnd_, bar_.hwnd()); }

int DialogFrame::frameTop() const {
    return std::max(bitmapSize(closePicture_.get()).cy, bitmapSize(movePicture_.get()).cy);
}

void DialogFrame::loadPictures() {
    const std::string& folder = bar_.skinFolder();
    RunError first = loadPicture(skinFilePath(folder, "dialogback.bmp"), back_);
    if (pictures_ == Pictures::Frame) {
        RunError e = loadPicture(skinFilePath(folder, "dialogexit.bmp"), closePicture_);
        if (!first.failed())
            first = e;
        e = loadPicture(skinFilePath(folder, "dialogmove.bmp"), movePicture_);
        if (!first.failed())
            first = e;
    }
    // A missing picture leaves that part of the frame empty; the dialog
    // still works.
    if (first.failed())
        showErrorReport(wnd_, first);
}

RECT DialogFrame::closeRect() const {
    RECT rc;
    GetClientRect(wnd_, &rc);
    const SIZE s = bitmapSize(closePicture_.get());
    return {rc.right - s.cx, 0, rc.right, s.cy};
}

RECT DialogFrame::moveRect() const {
    const SIZE s = bitmapSize(movePicture_.get());
    return {0, 0, s.cx, s.cy};
}

void DialogFrame::paint(HDC dc) {
    RECT rc;
    GetClientRect(wnd_, &rc);
    FillRect(dc, &rc, buttonBrush_.get());
    stretchBitmap(dc, back_.get(), rc);
    drawBitmap(dc, movePicture_.get(), 0, 0);
    const RECT close = closeRect();
    drawBitmap(dc, closePicture_.get(), close.left, 0);
}

bool DialogFrame::mouse(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const RECT close = closeRect(), move = moveRect();
    switch (msg) {
    case WM_LBUTTONDOWN:
        // The close picture acts on a whole click: a press that ends
        // elsewhere closes nothing.
        if (PtInRect(&close, pt)) {
            closePressed_ = true;
            SetCapture(wnd_);
        } else if (PtInRect(&move, pt)) {
            anchor_ = pt;
            dragging_ = true;
            SetCapture(wnd_);
        }
        return true;
    case WM_MOUSEMOVE:
        if (dragging_ &&
            (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) == MK_LBUTTON) {
            RECT r;
            GetWindowRect(wnd_, &r);
            SetWindowPos(wnd_, nullptr, r.left + pt.x - anchor_.x, r.top + pt.y - anchor_.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return true;
    case WM_LBUTTONUP: {
        const bool wasClose = closePressed_, wasDrag = dragging_;
        closePressed_ = dragging_ = false;
        if (GetCapture() == wnd_)
            ReleaseCapture();
        if (wasClose && PtInRect(&close, pt)) {
            onClosePicture();
        } else if (wasDrag && snapMargin_ > 0) {
            const int dpi = kSkinDpi;
            RECT r;
            GetWindowRect(wnd_, &r);
            auto toTwips = [dpi](int p) { return pixelsToTwips(p, dpi); };
            TwipRect s{toTwips(r.left), toTwips(r.top), toTwips(r.right - r.left),
                       toTwips(r.bottom - r.top)};
            // The edges of the monitor the dialog was dropped on.
            const zt::Rect m = zt::win::monitorOfWindow(wnd_).bounds;
            const TwipRect monitor{toTwips(m.left), toTwips(m.top), toTwips(m.width()),
                                   toTwips(m.height())};
            s = edgeSnapOn(s, monitor, snapMargin_);
            SetWindowPos(wnd_, nullptr, twipsToPixels(s.left, dpi), twipsToPixels(s.top, dpi), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return true;
    }
    case WM_CAPTURECHANGED:
        closePressed_ = dragging_ = false;
        return false;
    }
    return false;
}

INT_PTR DialogFrame::controlColour(HDC dc, HWND control) {
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        // Labels stand on the background picture.
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColourOn(buttonColour_));
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, listColour_);
    SetTextColor(dc, textColourOn(listColour_));
    return reinterpret_cast<INT_PTR>(listBrush_.get());
}

INT_PTR CALLBACK DialogFrame::proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* d = reinterpret_cast<DialogFrame*>(lp);
        SetWindowLongPtrA(wnd, DWLP_USER, lp);
        d->wnd_ = wnd;
    }
    auto* d = reinterpret_cast<DialogFrame*>(GetWindowLongPtrA(wnd, DWLP_USER));
    if (!d)
        return FALSE;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(wnd, DWLP_USER, 0);
        d->bar_.dialogClosed(d->kind_, wnd);
        delete d;
        return FALSE;
    }
    // A failed allocation ends the action that needed it, never the bar.
    try {
        return d->handle(msg, wp, lp);
    } catch (const std::bad_alloc&) {
        showErrorReport(wnd, RunError(ErrorNumber::OutOfMemory, errorText(ErrorNumber::OutOfMemory)));
        return FALSE;
    }
}

INT_PTR DialogFrame::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        bar_.dialogOpened(kind_, wnd_);
        buttonColour_ = bar_.buttonColour();
        listColour_ = bar_.listColour();
        buttonBrush_.reset(CreateSolidBrush(buttonColour_));
        listBrush_.reset(CreateSolidBrush(listColour_));
        loadPictures();
        onInit();
        return TRUE;
    case WM_ERASEBKGND:
        paint(reinterpret_cast<HDC>(wp));
        SetWindowLongPtrA(wnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return controlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM: {
        const auto& di = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (di.CtlType != ODT_BUTTON)
            break;
        drawSkinButton(di, buttonColour_,
                       reinterpret_cast<HFONT>(SendMessageA(wnd_, WM_GETFONT, 0, 0)),
                       DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (mouse(msg, wp, lp))
            return TRUE;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE)
            onActivate();
        break;
    case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL && HIWORD(wp) == BN_CLICKED && !lp) {
            // Escape closes as the close picture does.
            onClosePicture();
            return TRUE;
        }
        if (onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)))
            return TRUE;
        break;
    }
    return onMessage(msg, wp, lp);
}

} // namespace tessel::win
