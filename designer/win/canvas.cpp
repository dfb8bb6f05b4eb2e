#include "canvas.h"

#include "formats/twips.h"
#include "formats/skin_files.h"
#include "designer_app.h"
#include "common/win/files.h"
#include "common/win/pictures.h"
#include "late_bound.h"
#include "resource.h"

#include "common/win/monitors.h"
#include "common/win/window_object.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace tessel::designer::win {

namespace {
constexpr char kTimeDateCaption[] = "time date";
constexpr UINT kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

bool registerClass(HINSTANCE instance, WNDPROC canvasProc) {
    WNDCLASSA wc = {};
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpfnWndProc = canvasProc;
    wc.lpszClassName = kCanvasClass;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LRESULT packPoint(int x, int y) {
    return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(static_cast<SHORT>(x),
                                                            static_cast<SHORT>(y))));
}
} // namespace

Canvas::~Canvas() {
    if (backdrop_)
        backdrop_->Release();
}

void Canvas::attach(DesignModel& model, int dpi) {
    model_ = &model;
    dpi_ = dpi;
    placeElements();
}

bool Canvas::create(HINSTANCE instance) {
    if (!model_ || !registerClass(instance, canvasProc))
        return false;
    // Made where the model puts it: every move of a top-level window costs
    // the start a trip to the display.
    const SIZE outer = outerSize();
    RECT r = {skinTwipsToPixels(model_->canvas.left), skinTwipsToPixels(model_->canvas.top), 0, 0};
    r.right = r.left + outer.cx;
    r.bottom = r.top + outer.cy;
    // A skin made on a monitor that is not there now would put the canvas
    // where no one can reach it: it comes onto the nearest monitor instead,
    // as the bar's edge snap brings the bar.
    if (!MonitorFromRect(&r, MONITOR_DEFAULTTONULL))
        r = zt::win::toRECT(zt::keepInside(zt::win::toRect(r), zt::win::monitorOfRect(r).work));
    wnd_ = CreateWindowExA(0, kCanvasClass, kInitialShellName, kCanvasStyle, r.left, r.top,
                           outer.cx, outer.cy, nullptr, nullptr, instance, this);
    return wnd_ != nullptr;
}

SIZE Canvas::frameSize() const {
    RECT r = {0, 0, 0, 0};
    AdjustWindowRectEx(&r, kCanvasStyle, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

// The model keeps the canvas's size as the skin file stores it: the bar's
// size plus a fixed 115 x 360 twips for a frame. The window itself gets the
// frame the platform really draws, so that its client area is the bar.
SIZE Canvas::outerSize() const {
    const TwipRect& c = model_->canvas;
    const SIZE frame = frameSize();
    return {std::max(0, skinTwipsToPixels(c.width - kCanvasExtraWidth)) + frame.cx,
            std::max(0, skinTwipsToPixels(c.height - kCanvasExtraHeight)) + frame.cy};
}

void Canvas::placeAll() {
    placeWindow();
    placeElements();
}

void Canvas::placeElements() {
    for (int i = 0; i < kCanvasElementCount; ++i)
        placeElement(i);
}

void Canvas::placeElement(int i) {
    if (!model_)
        return;
    const TwipRect& b = model_->elements[i];
    const int left = skinTwipsToPixels(b.left), top = skinTwipsToPixels(b.top);
    const RECT now = {left, top, left + std::max(0, skinTwipsToPixels(b.width)),
                      top + std::max(0, skinTwipsToPixels(b.height))};
    // A hidden canvas is painted whole when it is shown.
    const bool visible = wnd_ && IsWindowVisible(wnd_);
    if (visible)
        InvalidateRect(wnd_, &shown_[i], FALSE);
    shown_[i] = now;
    if (visible)
        InvalidateRect(wnd_, &shown_[i], FALSE);
}

void Canvas::placeWindow() {
    if (!wnd_ || !model_)
        return;
    const SIZE outer = outerSize();
    SetWindowPos(wnd_, nullptr, skinTwipsToPixels(model_->canvas.left),
                 skinTwipsToPixels(model_->canvas.top), outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipRect Canvas::windowBox() const {
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
    // The client area is the bar; the file adds its fixed frame to it.
    const SIZE frame = frameSize();
    const int clientWidth = std::max(0, int(r.right - r.left) - int(frame.cx));
    const int clientHeight = std::max(0, int(r.bottom - r.top) - int(frame.cy));
    return {skinPixelsToTwips(r.left), skinPixelsToTwips(r.top),
            skinPixelsToTwips(clientWidth) + kCanvasExtraWidth,
            skinPixelsToTwips(clientHeight) + kCanvasExtraHeight};
}

void Canvas::setPicture(int i, zt::ScopedBitmap bmp) {
    const SIZE s = bitmapSize(bmp.get());
    pictures_[i] = std::move(bmp);
    model_->elements[i].width = skinPixelsToTwips(s.cx);
    model_->elements[i].height = skinPixelsToTwips(s.cy);
    placeElement(i);
}

void Canvas::setProgressValue(int value) {
    progress_ = std::clamp(value, 0, 100);
    if (wnd_ && IsWindowVisible(wnd_))
        InvalidateRect(wnd_, &shown_[kProgressBar1], FALSE);
}

int Canvas::progressValue() const { return progress_; }

RunError Canvas::setBackdrop(const std::string& path) {
    std::string data;
    if (auto e = readWholeFile(path, data, kLargestPictureFile); e.failed())
        return e;
    using MakeStream = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
    using LoadPicture = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);
    auto makeStream = lateBound<MakeStream>("ole32.dll", "CreateStreamOnHGlobal");
    auto loadPicture = lateBound<LoadPicture>("oleaut32.dll", "OleLoadPicture");
    if (!initPictures() || !makeStream || !loadPicture)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    zt::ScopedGlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, data.size() ? data.size() : 1));
    if (!mem)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    if (void* p = GlobalLock(mem.get())) {
        memcpy(p, data.data(), data.size());
        GlobalUnlock(mem.get());
    }
    IStream* stream = nullptr;
    if (FAILED(makeStream(mem.get(), TRUE, &stream)))
        return RunError::at(ErrorNumber::InvalidPicture, path);
    mem.release(); // the stream frees it when it is released
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

void Canvas::paintBackdrop(HDC dc) {
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

void Canvas::paint(HDC dc, const RECT& area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0)
        return;
    // Drawn off screen, then copied: a dragged element does not flicker.
    zt::ScopedMemDc mem(CreateCompatibleDC(dc));
    zt::ScopedBitmap buffer(CreateCompatibleBitmap(dc, w, h));
    if (!mem || !buffer)
        return;
    zt::ScopedSelect selBuffer(mem.get(), buffer.get());
    SetViewportOrgEx(mem.get(), -area.left, -area.top, nullptr);
    paintBackdrop(mem.get());
    // The background picture lies beneath everything and the first element
    // on top: the bar stacks its elements the same way.
    for (int i = kCanvasElementCount - 1; i >= 0; --i) {
        const RECT& r = shown_[i];
        RECT overlap;
        if (IsRectEmpty(&r) || !IntersectRect(&overlap, &r, &area))
            continue;
        const int saved = SaveDC(mem.get());
        IntersectClipRect(mem.get(), r.left, r.top, r.right, r.bottom);
        OffsetViewportOrgEx(mem.get(), r.left, r.top, nullptr);
        const RECT local = {0, 0, r.right - r.left, r.bottom - r.top};
        paintElement(i, mem.get(), local);
        RestoreDC(mem.get(), saved);
    }
    BitBlt(dc, area.left, area.top, w, h, mem.get(), area.left, area.top, SRCCOPY);
}

// The captions of the stand-in elements, in skin pixels like the elements
// themselves, so that they fit them at any screen DPI.
HGDIOBJ Canvas::labelFont() {
    if (!labelFont_) {
        LOGFONTA lf = {};
        lf.lfHeight = -MulDiv(8, kSkinDpi, 72);
        lstrcpyA(lf.lfFaceName, "MS Sans Serif");
        labelFont_.reset(CreateFontIndirectA(&lf));
    }
    return labelFont_ ? labelFont_.get() : GetStockObject(DEFAULT_GUI_FONT);
}

void Canvas::paintElement(int i, HDC dc, RECT rc) {
    if (pictures_[i]) {
        zt::ScopedMemDc mem(CreateCompatibleDC(dc));
        zt::ScopedSelect sel(mem.get(), pictures_[i].get());
        BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
        return;
    }
    if (i == kHScroll1 || i == kVScroll1) {
        // The player's two scroll bars are stood in for by captioned buttons.
        RECT face = rc;
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
        zt::ScopedSelect sel(dc, labelFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT text = rc;
        DrawTextA(dc, i == kHScroll1 ? "MP3 Volume" : "MP3 Balance", -1, &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else if (i == kProgressBar1) {
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
        zt::ScopedSelect sel(dc, labelFont());
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

int Canvas::elementAt(POINT pt) const {
    for (int i = 0; i < kCanvasElementCount; ++i)
        if (i != kImage1 && PtInRect(&shown_[i], pt))
            return i;
    return -1;
}

bool Canvas::mouse(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const int i = dragged_ >= 0 ? dragged_ : elementAt(pt);
        if (i < 0)
            return false;
        // Any button sets the one grab point of the canvas, relative to the
        // element pressed.
        grabX_ = skinPixelsToTwips(pt.x - shown_[i].left);
        grabY_ = skinPixelsToTwips(pt.y - shown_[i].top);
        dragged_ = i;
        SetCapture(wnd_);
        return true;
    }
    case WM_MOUSEMOVE: {
        // Only the element the drag started on moves: a drag begun on empty
        // canvas, or outside it, moves nothing it passes over.
        const int i = dragged_;
        if (i < 0)
            return elementAt(pt) >= 0;
        if ((wp & kAnyButton) == MK_LBUTTON) {
            TwipRect& b = model_->elements[i];
            b.left += skinPixelsToTwips(pt.x - shown_[i].left) - grabX_;
            b.top += skinPixelsToTwips(pt.y - shown_[i].top) - grabY_;
            placeElement(i);
            UpdateWindow(wnd_);
        }
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(wp & kAnyButton) && GetCapture() == wnd_)
            ReleaseCapture(); // WM_CAPTURECHANGED ends the drag
        return dragged_ >= 0 || elementAt(pt) >= 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != wnd_)
            dragged_ = -1;
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK Canvas::canvasProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = zt::windowObject<Canvas>(wnd, msg, lp);
    if (!self)
        return DefWindowProcA(wnd, msg, wp, lp);
    if (self->mouse(msg, wp, lp))
        return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT draws everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        if (dc)
            self->paint(dc, ps.rcPaint);
        EndPaint(wnd, &ps);
        return 0;
    }
    case PBM_SETPOS: {
        const int old = self->progress_;
        self->setProgressValue(static_cast<int>(wp));
        return old;
    }
    case PBM_GETPOS:
        return self->progress_;
    case WM_TESSELDES_ELEMENT_CORNER: {
        if (wp >= static_cast<WPARAM>(kCanvasElementCount))
            return 0;
        const RECT& r = self->shown_[wp];
        return lp ? packPoint(r.right, r.bottom) : packPoint(r.left, r.top);
    }
    case WM_CLOSE:
        endDesigner();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

} // namespace tessel::designer::win
