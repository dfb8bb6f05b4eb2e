// The start of a translucent drag of a 1280 x 1000 window (the screen
// picture plus the layered update) against a plain BitBlt of the same screen
// area into a memory bitmap, measured in the same run. Prints both, in
// milliseconds, and their ratio.
#include "bench/win/host_times.h"
#include "hooklib/win/fx_drag.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/window_props.h"
#include "tests/support/win/test_support.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 1280, kHeight = 1000;
constexpr int kTrials = 15;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double plainCopyMs() {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ old = SelectObject(mem, bmp);
    const double a = zt::bench::millisecondsNow();
    BitBlt(mem, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const double b = zt::bench::millisecondsNow();
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return b - a;
}

} // namespace

int main() {
    zt::test::unmanagedWindowsUnderWine();
    zt::test::ScopedSettingsFiles files;
    zt::test::writeIni("Zirvane.ini", "GLOBAL", "SEMIDRAG", 1);
    zrv::processAttach(nullptr);
    if (!zrv::state().updateLayeredWindow) {
        std::printf("drag_start_bench: no layered windows on this system\n");
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "DragStartBench";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
    zt::test::pumpMessages(300);

    std::vector<double> start, copy;
    int started = 0;
    for (int t = 0; t < kTrials + 1; ++t) {
        copy.push_back(plainCopyMs());
        zrv::state().lastCommandWasMove = true;
        const double a = zt::bench::millisecondsNow();
        zrv::fx::onEnterSizeMove(w);
        GdiFlush();
        const double b = zt::bench::millisecondsNow();
        start.push_back(b - a);
        started += zrv::props::has(w, zrv::props::kSnapshot) ? 1 : 0;
        zrv::fx::onExitSizeMove(w);
        zt::test::pumpMessages(30);
    }
    DestroyWindow(w);
    // The first round warms both paths up.
    start.erase(start.begin());
    copy.erase(copy.begin());
    if (started != kTrials + 1) {
        std::printf("drag_start_bench: the drag started %d times of %d\n", started, kTrials + 1);
        return 1;
    }
    const double s = median(start), c = median(copy);
    std::printf("drag start of a %d x %d window (%s, median of %d)\n", kWidth, kHeight,
                sizeof(void*) == 8 ? "win64" : "win32", kTrials);
    std::printf("  plain BitBlt of the area   %8.2f ms\n", c);
    std::printf("  drag start (picture+layer) %8.2f ms\n", s);
    std::printf("  ratio                      %8.2f   (goal <= 2.00)\n", s / c);
    return 0;
}
