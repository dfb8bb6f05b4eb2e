#include "bar/win/bar_window.h"

#include "bar/geometry.h"
#include "bar/win/drawing.h"
#include "bar/win/error_report.h"
#include "bar/win/network.h"
#include "bar/win/resource.h"
#include "common/win/monitors.h"
#include "common/win/screen.h"
#include "common/win/window_object.h"

#include <windowsx.h>

#include <algorithm>
#include <new>

namespace tessel::win {

using namespace zt;

namespace {
constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kSplashDelay = 2500;
} // namespace

BarWindow::BarWindow(HINSTANCE instance, std::string skinFolder)
    : instance_(instance), skinFolder_(std::move(skinFolder)) {}

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
        elements_.show(i, false);
    meter_.prepare();
    SetTimer(wnd_, UINT_PTR(BarTimer::Cpu), 100, nullptr);
    SetWindowPos(wnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    meter_.startMeasuring();
    taskButtons_.FindAllApps();
    if (splash)
        SetTimer(splash, kSplashTimer, kSplashDelay, nullptr);
    prepared_ = true;
}

void BarWindow::loadBitmaps() {
    RunError first = elements_.loadPictures(skinFolder_);
    RunError e = background_.load(skinFolder_);
    if (!first.failed())
        first = e;
    if (first.failed())
        showErrorReport(nullptr, first);
}

void BarWindow::createChildren() {
    elements_.create(wnd_, instance_);
    taskButtons_.create(wnd_, instance_);
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
    SetWindowPos(wnd_, nullptr, skinTwipsToPixels(l.barLeft), skinTwipsToPixels(l.barTop),
                 std::max(0, skinTwipsToPixels(l.barWidth)),
                 std::max(0, skinTwipsToPixels(l.barHeight)), SWP_NOZORDER | SWP_NOACTIVATE);
    elements_.place(l);
    meter_.place(skinTwipsToPixels(l.cpuMeter.left), skinTwipsToPixels(l.cpuMeter.top));
    clock_.place(skinTwipsToPixels(l.clock.left), skinTwipsToPixels(l.clock.top));
    player_->applyLayout(l, [](double twips) { return skinTwipsToPixels(twips); });
    const SkinPoint& task = l.elements[kTaskAreaElement];
    taskButtons_.applyLayout({double(task.left), double(task.top), double(l.taskAreaWidth),
                              double(l.taskAreaHeight)},
                             l.horizontal(), colourValue(l.buttonColour));
    listColour_ = colourValue(l.listColour);
    // The skin gives no text colour: take whichever of black and white reads
    // better on the button colour, and on the background under the clock.
    if (background_.loaded()) {
        const COLORREF under = background_.pixel(skinTwipsToPixels(l.clock.left) + 4,
                                                 skinTwipsToPixels(l.clock.top) + 4);
        clock_.setColour(under == CLR_INVALID ? RGB(0, 0, 0) : textColourOn(under));
    }
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

void BarWindow::tasksTick() {
    taskButtons_.FindAllApps();
    const bool connected = hasNetworkAddress();
    if (elements_.pressed(kConnectedElement) != connected)
        elements_.show(kConnectedElement, connected);
    SetTimer(wnd_, UINT_PTR(BarTimer::Tasks), 5000, nullptr);
}

void BarWindow::snapToEdges() {
    RECT r;
    GetWindowRect(wnd_, &r);
    TwipRect s{skinPixelsToTwips(r.left), skinPixelsToTwips(r.top),
               skinPixelsToTwips(r.right - r.left), skinPixelsToTwips(r.bottom - r.top)};
    // The edges of the monitor the bar was dropped on (the one it covers most).
    const zt::Rect m = zt::win::monitorOfWindow(wnd_).bounds;
    const TwipRect monitor{skinPixelsToTwips(m.left), skinPixelsToTwips(m.top),
                           skinPixelsToTwips(m.width()), skinPixelsToTwips(m.height())};
    s = edgeSnapOn(s, monitor, kBarSnapMargin);
    int left = skinTwipsToPixels(s.left), top = skinTwipsToPixels(s.top);
    if (left != r.left || top != r.top)
        SetWindowPos(wnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK BarWindow::barProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    BarWindow* bar = zt::windowObject<BarWindow>(wnd, msg, lp);
    if (msg == WM_NCCREATE && bar)
        bar->wnd_ = wnd;
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
            taskButtons_.clicked(LOWORD(wp) - kTaskButtonIdBase);
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
        taskButtons_.draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_DESTROY:
        player_.reset(); // the sound stops with the bar
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd_, msg, wp, lp);
}

LRESULT CALLBACK BarWindow::elementProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    BarWindow* bar = fromWindow(GetParent(wnd));
    if (!bar)
        return DefWindowProcA(wnd, msg, wp, lp);
    return bar->elementMessage(wnd, int(GetWindowLongPtrA(wnd, GWLP_USERDATA)), msg, wp, lp);
}

// An element's messages: its picture and pressed look are the elements', the
// move element's drag is the drag's, a click is the bar's.
LRESULT BarWindow::elementMessage(HWND el, int i, UINT msg, WPARAM wp, LPARAM lp) {
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        elements_.paint(el, i, background_);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        elements_.pressStarted(el, i);
        if (i == kMoveElement && msg == WM_LBUTTONDOWN)
            drag_.start(x, y);
        return 0;
    case WM_MOUSEMOVE:
        if (i == kMoveElement)
            drag_.follow(wnd_, x, y, wp);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        // A release whose press began somewhere else (another element, a
        // dialog's close picture) is no click on this element.
        if (!elements_.released(el, i))
            return 0;
        RECT rc;
        GetClientRect(el, &rc);
        POINT pt = {x, y};
        if (i == kMoveElement) {
            drag_.stop();
            snapToEdges();
        } else if (msg == WM_LBUTTONUP && PtInRect(&rc, pt)) {
            elementClicked(i);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        // The capture went elsewhere mid-press (a dialog or a message box
        // appeared): the press is over without a click.
        if (elements_.pressLost(el, i, reinterpret_cast<HWND>(lp)))
            drag_.stop();
        return 0;
    }
    return DefWindowProcA(el, msg, wp, lp);
}

} // namespace tessel::win
