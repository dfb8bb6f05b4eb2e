#include "bar/win/cpu_meter.h"

#include "bar/cpu_graph.h"
#include "common/win/window_object.h"

namespace tessel::win {

using namespace zt;

void CpuMeter::create(HWND bar, HINSTANCE instance) {
    wnd_ = CreateWindowExA(0, kMeterClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                           kGraphWidth, kGraphHeight, bar,
                           reinterpret_cast<HMENU>(INT_PTR(kMeterId)), instance, this);
}

void CpuMeter::prepare() {
    tick_ = 0;
    ScopedWindowDc screen(wnd_);
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
    InvalidateRect(wnd_, nullptr, FALSE);
}

void CpuMeter::startMeasuring() {
    cpu_ = CPUUsage::create();
    cpu_->InitCPUUsage();
}

void CpuMeter::tick() {
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
        ScopedWindowDc dc(wnd_);
        BitBlt(dc.get(), 0, 0, kGraphWidth, kGraphHeight, g, 0, 0, SRCCOPY);
    }
    tick_ = tick_ == INT32_MAX ? 0 : tick_ + 1;
    previousY_ = static_cast<int16_t>(y);
}

void CpuMeter::place(int x, int y) {
    SetWindowPos(wnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CpuMeter::paint(HWND wnd) const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    if (graphDc_)
        BitBlt(dc, 0, 0, kGraphWidth, kGraphHeight, graphDc_.get(), 0, 0, SRCCOPY);
    EndPaint(wnd, &ps);
}

LRESULT CALLBACK CpuMeter::windowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto* meter = zt::windowObject<const CpuMeter>(wnd, msg, lp);
    if (msg == WM_PAINT && meter) {
        meter->paint(wnd);
        return 0;
    }
    if (msg == WM_ERASEBKGND)
        return 1;
    return DefWindowProcA(wnd, msg, wp, lp);
}

} // namespace tessel::win
