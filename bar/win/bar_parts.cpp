// The bar's CPU meter, clock and task buttons.
#include "bar/cpu_graph.h"
#include "bar/win/bar_window.h"
#include "bar/win/button_draw.h"
#include "bar/win/connection_win.h"

namespace tessel::win {

using namespace zt;

void BarWindow::prepareMeter() {
    tick_ = 0;
    ScopedWindowDc screen(meter_);
    graphDc_.reset(CreateCompatibleDC(screen.get()));
    graph_.reset(CreateCompatibleBitmap(screen.get(), kGraphWidth, kGraphHeight));
    // The graph's objects stay selected for the life of the program.
    SelectObject(graphDc_.get(), graph_.get());
    scrollDc_.reset(CreateCompatibleDC(screen.get()));
    scroll_.reset(CreateCompatibleBitmap(screen.get(), kGraphWidth, kGraphHeight));
    SelectObject(scrollDc_.get(), scroll_.get());
    gridPen_.reset(CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80)));
    tracePen_.reset(CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF)));
    // The first lines are drawn in the meter's foreground colour, black. The
    // rightmost column keeps them while the graph scrolls, so every new
    // column starts from that colour: it is the graph's background.
    RECT all = {0, 0, kGraphWidth, kGraphHeight};
    FillRect(graphDc_.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    {
        ScopedSelect fore(graphDc_.get(), GetStockObject(BLACK_PEN));
        for (int y = 30; y <= 31; y += 30) {
            MoveToEx(graphDc_.get(), 0, y, nullptr);
            LineTo(graphDc_.get(), 61, y);
        }
        for (int x : initialGridColumns(tick_)) {
            MoveToEx(graphDc_.get(), x, 0, nullptr);
            LineTo(graphDc_.get(), x, 32);
        }
    }
    SelectObject(graphDc_.get(), gridPen_.get());
    previousY_ = kStartY;
    InvalidateRect(meter_, nullptr, FALSE);
}

void BarWindow::meterTick() {
    if (!graphDc_ || !cpu_)
        return;
    HDC g = graphDc_.get();
    // Scrolled through a second bitmap: a blit onto an overlapping part of
    // its own source is not copied reliably everywhere.
    BitBlt(scrollDc_.get(), 0, 0, kGraphWidth - 1, kGraphHeight, g, 1, 0, SRCCOPY);
    BitBlt(g, 0, 0, kGraphWidth - 1, kGraphHeight, scrollDc_.get(), 0, 0, SRCCOPY);
    if (gridLineDue(tick_)) {
        MoveToEx(g, kTraceColumn, 0, nullptr);
        LineTo(g, kTraceColumn, kGraphHeight);
    }
    const int y = traceY(cpu_->GetCPUUsage());
    SelectObject(g, tracePen_.get());
    MoveToEx(g, kTraceColumn - 1, previousY_, nullptr);
    LineTo(g, kTraceColumn, y + 2);
    LineTo(g, kTraceColumn, kGraphHeight);
    SelectObject(g, gridPen_.get());
    {
        ScopedWindowDc dc(meter_);
        BitBlt(dc.get(), 0, 0, kGraphWidth, kGraphHeight, g, 0, 0, SRCCOPY);
    }
    tick_ = tick_ == INT32_MAX ? 0 : tick_ + 1;
    previousY_ = static_cast<int16_t>(y);
}

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
    ScopedSelect font(dc.get(), clockFont_.get());
    RECT rc = {0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &rc, DT_CALCRECT | DT_NOPREFIX);
    RECT cur;
    GetClientRect(clock_, &cur);
    if (rc.right + 2 > cur.right || rc.bottom != cur.bottom)
        SetWindowPos(clock_, nullptr, 0, 0, rc.right + 2, rc.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(clock_, nullptr, FALSE);
}

void BarWindow::tasksTick() {
    FindAllApps();
    const bool connected = hasNetworkAddress();
    if (pressed_[kConnectedElement] != connected)
        showElement(kConnectedElement, connected);
    SetTimer(wnd_, UINT_PTR(BarTimer::Tasks), 5000, nullptr);
}

void BarWindow::FindAllApps() {
    collectTasks(wnd_, tasks_);
    const auto places = layoutTaskButtons(tasks_.count, taskArea_, horizontal_);
    for (int i = 1; i < kTaskButtons; ++i) {
        HWND b = taskButtons_[i];
        RECT r;
        GetWindowRect(b, &r);
        MapWindowPoints(nullptr, wnd_, reinterpret_cast<POINT*>(&r), 2);
        int left, top, width, height;
        if (i <= int(places.size())) {
            const auto& p = places[i - 1];
            left = px(p.left), top = px(p.top), width = px(p.width), height = px(p.height);
            char old[256] = {};
            GetWindowTextA(b, old, sizeof old);
            if (tasks_.tasks[i].title != old)
                SetWindowTextA(b, tasks_.tasks[i].title.c_str());
        } else {
            left = px(kHiddenButtonLeft), top = r.top, width = r.right - r.left,
            height = r.bottom - r.top;
        }
        // Only what changed is moved: the list is rebuilt every 5 seconds.
        if (left != r.left || top != r.top || width != r.right - r.left ||
            height != r.bottom - r.top)
            SetWindowPos(b, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    tasks_.count = 0;
}

void BarWindow::taskClicked(int i) {
    HWND h = tasks_.tasks[i].window;
    if (h && IsWindow(h))
        activateTask(h);
    FindAllApps();
}

void BarWindow::drawTaskButton(const DRAWITEMSTRUCT& di) {
    drawSkinButton(di, buttonColour_, taskFont_.get(),
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

} // namespace tessel::win
