#include "canvas.h"

#include "bar/geometry.h"
#include "designer_app.h"
#include "platform.h"
#include "resource.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace tessel::designer::win {

namespace {
constexpr char kElementClass[] = "TesseldesElement";
constexpr char kTimeDateCaption[] = "time date";
constexpr UINT kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

bool registerClasses(HINSTANCE instance, WNDPROC canvasProc, WNDPROC elementProc) {
    WNDCLASSA wc = {};
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpfnWndProc = canvasProc;
    wc.lpszClassName = kCanvasClass;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    wc.lpfnWndProc = elementProc;
    wc.lpszClassName = kElementClass;
    wc.hIcon = nullptr;
    return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
} // namespace

Canvas::~Canvas() {
    if (backdrop_)
        backdrop_->Release();
}

int Canvas::px(double twips) const { return twipsToPixels(twips, dpi_); }
double Canvas::tw(int pixels) const { return pixelsToTwips(pixels, dpi_); }

int Canvas::indexOf(HWND el) const {
    const int i = GetDlgCtrlID(el) - IDC_ELEMENT_BASE;
    return i >= 0 && i < kCanvasElementCount && elements_[i] == el ? i : -1;
}

bool Canvas::create(HINSTANCE instance, DesignModel& model, int dpi) {
    model_ = &model;
    dpi_ = dpi;
    if (!registerClasses(instance, canvasProc, elementProc))
        return false;
    wnd_ = CreateWindowExA(0, kCanvasClass, kInitialShellName,
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                               WS_CLIPCHILDREN,
                           0, 0, 0, 0, nullptr, nullptr, instance, this);
    if (!wnd_)
        return false;
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // Created from the top of the stacking order down: later children lie
    // below earlier ones, so the background image, made last, is beneath all.
    for (int i = 0; i < kCanvasElementCount; ++i) {
        const char* cls = kElementClass;
        const char* text = "";
        DWORD style = child;
        if (i == kHScroll1 || i == kVScroll1) {
            cls = "BUTTON";
            text = i == kHScroll1 ? "MP3 Volume" : "MP3 Balance";
            style |= BS_PUSHBUTTON;
        } else if (i == kLabel1) {
            text = kTimeDateCaption;
        }
        elements_[i] =
            CreateWindowExA(0, cls, text, style, 0, 0, 0, 0, wnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ELEMENT_BASE + i)),
                            instance, nullptr);
        if (!elements_[i])
            return false;
        SendMessageA(elements_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (cls != kElementClass)
            controlProcs_[i] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                elements_[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc)));
    }
    placeAll();
    return true;
}

void Canvas::placeAll() {
    placeWindow();
    for (int i = 0; i < kCanvasElementCount; ++i)
        placeElement(i);
}

void Canvas::placeElement(int i) {
    if (!elements_[i])
        return;
    const Box& b = model_->elements[i];
    SetWindowPos(elements_[i], nullptr, px(b.left), px(b.top), std::max(0, px(b.width)),
                 std::max(0, px(b.height)), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(elements_[i], nullptr, TRUE);
}

void Canvas::placeWindow() {
    const Box& c = model_->canvas;
    SetWindowPos(wnd_, nullptr, px(c.left), px(c.top), std::max(0, px(c.width)),
                 std::max(0, px(c.height)), SWP_NOZORDER | SWP_NOACTIVATE);
}

Box Canvas::windowBox() const {
    RECT r = {};
    GetWindowRect(wnd_, &r);
    // A minimized canvas stands far off the screen: the bar starts where the
    // canvas will stand again when it is restored.
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (IsIconic(wnd_) && GetWindowPlacement(wnd_, &wp)) {
        r = wp.rcNormalPosition; // work-area coordinates
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi))
            OffsetRect(&r, mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
    }
    return {tw(r.left), tw(r.top), tw(r.right - r.left), tw(r.bottom - r.top)};
}

void Canvas::setPicture(int i, zt::ScopedBitmap bmp) {
    const SIZE s = bitmapSize(bmp.get());
    pictures_[i] = std::move(bmp);
    model_->elements[i].width = tw(s.cx);
    model_->elements[i].height = tw(s.cy);
    placeElement(i);
}

void Canvas::setProgressValue(int value) {
    SendMessageA(elements_[kProgressBar1], PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

int Canvas::progressValue() const { return progress_; }

RunError Canvas::setBackdrop(const std::string& path) {
    std::string data;
    if (auto e = readTextFile(path, data))
        return e;
    using MakeStream = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
    using LoadPicture = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);
    auto makeStream = lateBound<MakeStream>("ole32.dll", "CreateStreamOnHGlobal");
    auto loadPicture = lateBound<LoadPicture>("oleaut32.dll", "OleLoadPicture");
    if (!initPictures() || !makeStream || !loadPicture)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, data.size() ? data.size() : 1);
    if (!mem)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    if (void* p = GlobalLock(mem)) {
        memcpy(p, data.data(), data.size());
        GlobalUnlock(mem);
    }
    IStream* stream = nullptr;
    if (FAILED(makeStream(mem, TRUE, &stream))) {
        GlobalFree(mem);
        return RunError::at(ErrorNumber::InvalidPicture, path);
    }
    IPicture* picture = nullptr;
    HRESULT hr = loadPicture(stream, static_cast<LONG>(data.size()), FALSE, IID_IPicture,
                             reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    if (backdrop_)
        backdrop_->Release();
    backdrop_ = picture;
    InvalidateRect(wnd_, nullptr, TRUE);
    return {};
}

void Canvas::eraseBackground(HDC dc) {
    RECT rc;
    GetClientRect(wnd_, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    if (!backdrop_)
        return;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    backdrop_->get_Width(&w);
    backdrop_->get_Height(&h);
    // HIMETRIC (1/100 mm) to pixels.
    const int wpx = MulDiv(w, dpi_, 2540), hpx = MulDiv(h, dpi_, 2540);
    backdrop_->Render(dc, 0, 0, wpx, hpx, 0, h, w, -h, nullptr);
}

void Canvas::paintElement(HWND el, HDC dc) {
    const int i = indexOf(el);
    RECT rc;
    GetClientRect(el, &rc);
    if (i < 0)
        return;
    if (pictures_[i]) {
        zt::ScopedMemDc mem(CreateCompatibleDC(dc));
        zt::ScopedSelect sel(mem.get(), pictures_[i].get());
        BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
        return;
    }
    if (i == kProgressBar1) {
        // The progress bar's look, drawn here: the common-controls library
        // would cost the canvas a good part of its start.
        FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
        RECT done = rc;
        InflateRect(&done, -2, -2);
        done.right = done.left + (done.right - done.left) * progress_ / 100;
        FillRect(dc, &done, GetSysColorBrush(COLOR_HIGHLIGHT));
        DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    } else if (i == kPicture1) {
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        zt::ScopedPen grid(CreatePen(PS_SOLID, 1, RGB(0, 96, 0)));
        zt::ScopedSelect sel(dc, grid.get());
        for (int y = rc.bottom / 4; y < rc.bottom; y += rc.bottom / 4 ? rc.bottom / 4 : 1) {
            MoveToEx(dc, 0, y, nullptr);
            LineTo(dc, rc.right, y);
        }
        DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    } else if (i == kLabel1) {
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        zt::ScopedSelect sel(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, kTimeDateCaption, -1, &rc, DT_LEFT | DT_TOP | DT_WORDBREAK);
    } else if (i != kImage1) {
        // An element without a picture (the task area, or a button whose
        // bitmap is missing): a dotted outline, so that it can be found and
        // dragged; the bar shows nothing there.
        zt::ScopedPen pen(CreatePen(PS_DOT, 1, RGB(255, 255, 255)));
        zt::ScopedSelect selPen(dc, pen.get());
        zt::ScopedSelect selBrush(dc, GetStockObject(NULL_BRUSH));
        SetBkColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, OPAQUE);
        Rectangle(dc, 0, 0, rc.right, rc.bottom);
    }
}

bool Canvas::elementMouse(HWND el, UINT msg, WPARAM wp, LPARAM lp) {
    const int i = indexOf(el);
    if (i < 0 || i == kImage1)
        return false;
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        // Any button sets the one grab point of the canvas.
        grabX_ = tw(x);
        grabY_ = tw(y);
        SetCapture(el);
        return true;
    case WM_MOUSEMOVE:
        if ((wp & kAnyButton) == MK_LBUTTON) {
            Box& b = model_->elements[i];
            b.left += tw(x) - grabX_;
            b.top += tw(y) - grabY_;
            placeElement(i);
            UpdateWindow(wnd_);
        }
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(wp & kAnyButton) && GetCapture() == el)
            ReleaseCapture();
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK Canvas::elementProc(HWND el, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Canvas*>(GetWindowLongPtrA(GetParent(el), GWLP_USERDATA));
    if (self) {
        if (self->elementMouse(el, msg, wp, lp))
            return 0;
        if (msg == PBM_SETPOS && self->indexOf(el) == kProgressBar1) {
            const int old = self->progress_;
            self->progress_ = std::clamp(static_cast<int>(wp), 0, 100);
            InvalidateRect(el, nullptr, FALSE);
            return old;
        }
        if (msg == PBM_GETPOS && self->indexOf(el) == kProgressBar1)
            return self->progress_;
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(el, &ps);
            self->paintElement(el, dc);
            EndPaint(el, &ps);
            return 0;
        }
        if (msg == WM_ERASEBKGND)
            return 1;
    }
    return DefWindowProcA(el, msg, wp, lp);
}

LRESULT CALLBACK Canvas::controlProc(HWND el, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Canvas*>(GetWindowLongPtrA(GetParent(el), GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(el, msg, wp, lp);
    const int i = self->indexOf(el);
    WNDPROC original = i >= 0 ? self->controlProcs_[i] : nullptr;
    // The placeholders are models, not working controls: the mouse drags
    // them and never presses them.
    if (self->elementMouse(el, msg, wp, lp))
        return 0;
    if (msg == WM_SETFOCUS || msg == WM_KEYDOWN || msg == WM_KEYUP)
        return 0;
    return original ? CallWindowProcA(original, el, msg, wp, lp)
                    : DefWindowProcA(el, msg, wp, lp);
}

LRESULT CALLBACK Canvas::canvasProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<Canvas*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    switch (msg) {
    case WM_ERASEBKGND:
        if (self) {
            self->eraseBackground(reinterpret_cast<HDC>(wp));
            return 1;
        }
        break;
    case WM_CLOSE:
        endDesigner();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

} // namespace tessel::designer::win
