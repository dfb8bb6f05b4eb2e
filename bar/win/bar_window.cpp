#include "bar/win/bar_window.h"

#include "bar/geometry.h"
#include "bar/win/drawing.h"
#include "bar/win/error_report.h"
#include "common/win/pictures.h"
#include "common/win/screen.h"
#include "bar/win/resource.h"

#include "common/win/monitors.h"

#include <windowsx.h>

#include <new>

#include <algorithm>
#include <cmath>

namespace tessel::win {

using namespace zt;

namespace {
constexpr char kElementClass[] = "TesselPic";
constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kSplashDelay = 2500;

} // namespace

BarWindow::BarWindow(HINSTANCE instance, std::string skinFolder)
    : instance_(instance), skinFolder_(std::move(skinFolder)) {}

// Skin geometry is in skin twips, the same at every screen DPI.
int BarWindow::toPixels(double twips) const { return twipsToPixels(twips, kSkinDpi); }
double BarWindow::toTwips(int pixels) const { return pixelsToTwips(pixels, kSkinDpi); }

bool BarWindow::registerClasses(HINSTANCE instance) {
    struct Class {
        const char* name;
        WNDPROC proc;
        UINT style;
    };
    // The meter and the clock draw ten times and once a second: a window DC
    // of their own keeps its font and settings between draws, where a shared
    // one is reset at every fetch (which costs wine a font selection, and with
    // it a read of the X resource files, each time).
    const Class classes[] = {{kBarClass, barProc, 0},
                             {kElementClass, elementProc, 0},
                             {kMeterClass, CpuMeter::windowProc, CS_OWNDC},
                             {kClockClass, Clock::windowProc, CS_OWNDC}};
    for (const auto& c : classes) {
        WNDCLASSA wc = {};
        wc.style = c.style;
        wc.lpfnWndProc = c.proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = c.name;
        if (c.proc == barProc) {
            // The program's own icon; test programs that carry no
            // resources get the system's.
            wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(IDI_TESSEL));
            if (!wc.hIcon)
                wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        }
        if (!RegisterClassA(&wc))
            return false;
    }
    return true;
}

BarWindow* BarWindow::fromWindow(HWND wnd) {
    return reinterpret_cast<BarWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

BarWindow* BarWindow::create(HINSTANCE instance, const std::string& skinFolder, HWND splash) {
    auto* bar = new BarWindow(instance, skinFolder); // lives as long as the program
    bar->wnd_ = CreateWindowExA(0, kBarClass, kBarTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0,
                                0, nullptr, nullptr, instance, bar);
    if (!bar->wnd_)
        return nullptr;
    bar->prepare(splash);
    return bar;
}

void BarWindow::prepare(HWND splash) {
    SetWindowPos(wnd_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    createChildren();
    // A missing or broken picture is reported once; the rest of the bar is
    // still set up, so that it stays usable and the splash window closes.
    loadBitmaps();
    for (int i = 0; i < kElementCount; ++i)
        showElement(i, false);
    meter_.prepare();
    SetTimer(wnd_, UINT_PTR(BarTimer::Cpu), 100, nullptr);
    SetWindowPos(wnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    meter_.startMeasuring();
    FindAllApps();
    if (splash)
        SetTimer(splash, kSplashTimer, kSplashDelay, nullptr);
    prepared_ = true;
}

bool BarWindow::loadBitmaps() {
    RunError first;
    auto keep = [&first](RunError e) {
        if (e.failed() && !first.failed())
            first = e;
    };
    for (int i = 0; i < kElementCount; ++i) {
        if (i == kTaskAreaElement)
            continue;
        keep(
            loadPicture(elementBitmapPath(skinFolder_, i, BitmapLook::Normal), raisedPictures_[i]));
        keep(loadPicture(elementBitmapPath(skinFolder_, i, BitmapLook::Pressed),
                         pressedPictures_[i]));
    }
    keep(background_.load(skinFolder_));
    if (first.failed())
        showErrorReport(nullptr, first);
    return !first.failed();
}

void BarWindow::createChildren() {
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    for (int i = 0; i < kElementCount; ++i) {
        elements_[i] = CreateWindowExA(0, kElementClass, "", child, 0, 0, 0, 0, wnd_,
                                       reinterpret_cast<HMENU>(INT_PTR(kElementIdBase + i)),
                                       instance_, nullptr);
        SetWindowLongPtrA(elements_[i], GWLP_USERDATA, i);
    }
    LOGFONTA lf = {};
    // Fonts in skin pixels too: the text must fit the skin's pictures at any
    // screen DPI.
    lf.lfHeight = -MulDiv(675, kSkinDpi, 7200); // 6.75 points
    lstrcpyA(lf.lfFaceName, "Times New Roman");
    taskFont_.reset(CreateFontIndirectA(&lf));
    for (int i = 0; i < kTaskButtons; ++i) {
        const bool spare = i == 0;
        taskButtons_[i] = CreateWindowExA(
            0, "BUTTON", spare ? kSpareButtonCaption : "", child | BS_OWNERDRAW,
            spare ? toPixels(kSpareButtonLeft) : toPixels(kHiddenButtonLeft),
            spare ? toPixels(kSpareButtonTop) : 0, 0, 0, wnd_,
            reinterpret_cast<HMENU>(INT_PTR(kTaskButtonIdBase + i)), instance_, nullptr);
        SendMessageA(taskButtons_[i], WM_SETFONT, WPARAM(taskFont_.get()), FALSE);
        // Above the task list area, which is itself an element.
        SetWindowPos(taskButtons_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    meter_.create(wnd_, instance_);
    clock_.create(wnd_, instance_, background_);
    player_ = std::make_unique<PlayerPanel>(wnd_, instance_, fileChoice_, [this] {
        openFileBrowser(ChoiceClient::Player, kMediaPattern);
    });
    clock_.tick();
    SetTimer(wnd_, UINT_PTR(BarTimer::Clock), 1000, nullptr);
    SetTimer(wnd_, UINT_PTR(BarTimer::Tasks), 100, nullptr);
}

void BarWindow::applyLayout(const SkinLayout& l) {
    SetWindowPos(wnd_, nullptr, toPixels(l.barLeft), toPixels(l.barTop),
                 std::max(0, toPixels(l.barWidth)), std::max(0, toPixels(l.barHeight)),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < kElementCount; ++i)
        SetWindowPos(elements_[i], nullptr, toPixels(l.elements[i].left),
                     toPixels(l.elements[i].top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    taskArea_ = {double(l.elements[kTaskAreaElement].left),
                 double(l.elements[kTaskAreaElement].top), double(l.taskAreaWidth),
                 double(l.taskAreaHeight)};
    SetWindowPos(elements_[kTaskAreaElement], nullptr, 0, 0, std::max(0, toPixels(l.taskAreaWidth)),
                 std::max(0, toPixels(l.taskAreaHeight)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    meter_.place(toPixels(l.cpuMeter.left), toPixels(l.cpuMeter.top));
    clock_.place(toPixels(l.clock.left), toPixels(l.clock.top));
    player_->applyLayout(l, [this](double twips) { return toPixels(twips); });
    horizontal_ = l.horizontal();
    buttonColour_ = colourValue(l.buttonColour);
    listColour_ = colourValue(l.listColour);
    // The skin gives no text colour: take whichever of black and white reads
    // better on the button colour, and on the background under the clock.
    if (background_.loaded()) {
        const COLORREF under =
            background_.pixel(toPixels(l.clock.left) + 4, toPixels(l.clock.top) + 4);
        clock_.setColour(under == CLR_INVALID ? RGB(0, 0, 0) : textColourOn(under));
    }
    for (HWND b : taskButtons_)
        InvalidateRect(b, nullptr, TRUE);
    clock_.tick();
}

void BarWindow::dialogClosed(DialogKind kind, HWND wnd) {
    if (dialogs_[size_t(kind)] == wnd)
        dialogs_[size_t(kind)] = nullptr;
}

void BarWindow::show() {
    ShowWindow(wnd_, SW_SHOW);
    UpdateWindow(wnd_);
}

void BarWindow::snapToEdges() {
    RECT r;
    GetWindowRect(wnd_, &r);
    TwipRect s{toTwips(r.left), toTwips(r.top), toTwips(r.right - r.left),
               toTwips(r.bottom - r.top)};
    // The edges of the monitor the bar was dropped on (the one it covers most).
    const zt::Rect m = zt::win::monitorOfWindow(wnd_).bounds;
    const TwipRect monitor{toTwips(m.left), toTwips(m.top), toTwips(m.width()),
                           toTwips(m.height())};
    s = edgeSnapOn(s, monitor, kBarSnapMargin);
    int left = toPixels(s.left), top = toPixels(s.top);
    if (left != r.left || top != r.top)
        SetWindowPos(wnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK BarWindow::barProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        reinterpret_cast<BarWindow*>(cs->lpCreateParams)->wnd_ = wnd;
    }
    BarWindow* bar = fromWindow(wnd);
    if (!bar)
        return DefWindowProcA(wnd, msg, wp, lp);
    // A failed allocation ends the action that needed it, never the bar.
    try {
        return bar->handle(msg, wp, lp);
    } catch (const std::bad_alloc&) {
        showErrorReport(wnd, RunError(ErrorNumber::OutOfMemory, errorText(ErrorNumber::OutOfMemory)));
        return 0;
    }
}

LRESULT BarWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd_, &ps);
        background_.paintBar(dc, ps.rcPaint);
        EndPaint(wnd_, &ps);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && prepared_)
            snapToEdges();
        break;
    case WM_TIMER:
        switch (BarTimer(wp)) {
        case BarTimer::Cpu:
            meter_.tick();
            if (player_)
                player_->refreshPosition();
            return 0;
        case BarTimer::Clock: clock_.tick(); return 0;
        case BarTimer::Tasks: tasksTick(); return 0;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) > kTaskButtonIdBase &&
            LOWORD(wp) < kTaskButtonIdBase + kTaskButtons)
            taskClicked(LOWORD(wp) - kTaskButtonIdBase);
        return 0;
    case WM_HSCROLL:
        if (player_)
            player_->scrolled(reinterpret_cast<HWND>(lp), LOWORD(wp));
        return 0;
    case kMediaReady:
        if (player_)
            player_->mediaReady();
        return 0;
    case kMediaFailed:
        if (player_)
            player_->mediaFailed();
        return 0;
    case WM_DRAWITEM:
        drawTaskButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_DESTROY:
        player_.reset(); // the sound stops with the bar
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd_, msg, wp, lp);
}

} // namespace tessel::win
