// The task list's walk over the top-level windows: its cost per window with
// 100 to 500 windows, every one of them looked at (hidden windows are not
// tasks, so the walk never stops at the 25th task) and with visible ones.
#include "bar/win/task_list.h"
#include "bench/win/host_times.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The best of 10 batches: the machine is shared, and the other batches
// measure the neighbours as much as the walk.
double timeWalk(HWND self, int rounds, int& found) {
    tessel::win::TaskSnapshot snap;
    double best = 1e9;
    for (int batch = 0; batch < 10; ++batch) {
        const double start = zt::bench::secondsNow();
        for (int i = 0; i < rounds / 10; ++i)
            tessel::win::collectTasks(self, snap);
        best = std::min(best, (zt::bench::secondsNow() - start) / (rounds / 10));
    }
    found = snap.count;
    return best;
}

} // namespace

int main() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZtWalkBench";
    RegisterClassA(&wc);
    HWND self = CreateWindowExA(0, wc.lpszClassName, "self", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, wc.hInstance, nullptr);
    std::vector<HWND> windows;
    std::printf("task walk over top-level windows (best batch of 20 walks)\n");
    for (int target : {100, 250, 500}) {
        while (int(windows.size()) < target) {
            char title[32];
            std::snprintf(title, sizeof title, "walk %zu", windows.size());
            windows.push_back(CreateWindowExA(0, wc.lpszClassName, title,
                                              WS_OVERLAPPED | WS_BORDER, -50, -50, 10, 10,
                                              nullptr, nullptr, wc.hInstance, nullptr));
        }
        int found = 0;
        double t = timeWalk(self, 200, found);
        std::printf("  %3d hidden windows: %8.1f us per walk, %6.3f us per window, %d tasks\n",
                    target, t * 1e6, t * 1e6 / target, found);
    }
    for (HWND w : windows)
        SetWindowPos(w, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    int found = 0;
    double t = timeWalk(self, 200, found);
    std::printf("  500 visible windows: %8.1f us per walk (stops at the first %d tasks)\n",
                t * 1e6, found);
    std::printf("  goal: below 2000 us for 500 windows\n");
    for (HWND w : windows)
        DestroyWindow(w);
    DestroyWindow(self);
    return 0;
}
