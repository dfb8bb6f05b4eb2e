// tessel.exe left alone with the default skin: processor time and working
// set over a minute (or the seconds given as the first argument).
#include <windows.h>
#include <psapi.h>

#include "bench/win/host_times.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// The yardstick: the smallest window program, one window with a line of text.
int baselineWindow(int seconds) {
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "12:00:00", WS_POPUP | WS_VISIBLE, 0,
                             300, 80, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetTimer(w, 1, 1000, nullptr);
    const ULONGLONG end = GetTickCount64() + ULONGLONG(seconds) * 1000;
    MSG m;
    while (GetTickCount64() < end && GetMessageA(&m, nullptr, 0, 0) > 0)
        DispatchMessageA(&m);
    return 0;
}

struct Measure {
    double cpu = 0, wall = 0;
    SIZE_T peak = 0;
};

Measure measure(HANDLE p, const zt::bench::ProcessorClock& clock, int seconds) {
    Measure r;
    const double before = clock.seconds();
    const ULONGLONG start = GetTickCount64();
    for (int i = 0; i < seconds; ++i) {
        Sleep(1000);
        PROCESS_MEMORY_COUNTERS m = {};
        m.cb = sizeof m;
        if (GetProcessMemoryInfo(p, &m, sizeof m) && m.WorkingSetSize > r.peak)
            r.peak = m.WorkingSetSize;
    }
    const double after = clock.seconds();
    r.cpu = before < 0 || after < 0 ? -1 : after - before;
    r.wall = (GetTickCount64() - start) / 1000.0;
    return r;
}

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--window")
        return baselineWindow(std::atoi(argv[2]));
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\'));
    PROCESS_INFORMATION pi = {}, base = {};
    const auto earlier = zt::bench::hostProcesses("tessel.exe");
    if (!zt::bench::startProgram("\"" + dir + "\\tessel.exe\"", dir, pi)) {
        std::printf("tessel.exe could not be started from %s\n", dir.c_str());
        return 1;
    }
    zt::bench::startProgram(
        "\"" + std::string(path) + "\" --window " + std::to_string(seconds + 10), dir, base);
    Sleep(5000); // start-up and the splash window's life
    const zt::bench::ProcessorClock clock(pi.hProcess, "tessel.exe", earlier);
    const Measure t = measure(pi.hProcess, clock, seconds);
    if (t.cpu < 0)
        std::printf("tessel idle over %.0f s: processor time not measurable here\n", t.wall);
    else
        std::printf("tessel idle over %.0f s: %.3f s processor time (from %s) = %.3f %% of one "
                    "core (goal below 0.5 %%: %s)\n",
                    t.wall, t.cpu, clock.source(), 100.0 * t.cpu / t.wall,
                    100.0 * t.cpu / t.wall < 0.5 ? "met" : "MISSED");
    std::printf("tessel working set: %.1f MB at most (goal below 20 MB)\n", t.peak / 1048576.0);
    if (base.hProcess) {
        PROCESS_MEMORY_COUNTERS m = {};
        m.cb = sizeof m;
        GetProcessMemoryInfo(base.hProcess, &m, sizeof m);
        const double baseMb = m.WorkingSetSize / 1048576.0, barMb = t.peak / 1048576.0;
        std::printf("for comparison, a one-window program here: %.1f MB; the bar takes %.1f MB "
                    "more (goal at most 1.5 MB more: %s)\n",
                    baseMb, barMb - baseMb, barMb - baseMb <= 1.5 ? "met" : "MISSED");
        TerminateProcess(base.hProcess, 0);
        CloseHandle(base.hThread);
        CloseHandle(base.hProcess);
    }
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
