// tessel.exe left alone with the default skin: processor time and working
// set over a minute (or the seconds given as the first argument).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
double cpuSeconds(HANDLE p) {
    FILETIME c, e, k, u;
    if (!GetProcessTimes(p, &c, &e, &k, &u))
        return 0;
    auto t = [](FILETIME f) { return (ULONGLONG(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e7; };
    return t(k) + t(u);
}
} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\'));
    std::string cmd = "\"" + dir + "\\tessel.exe\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &si, &pi)) {
        std::printf("tessel.exe could not be started from %s\n", dir.c_str());
        return 1;
    }
    Sleep(5000); // start-up and the splash window's life
    const double before = cpuSeconds(pi.hProcess);
    const ULONGLONG start = GetTickCount64();
    SIZE_T peak = 0;
    for (int i = 0; i < seconds; ++i) {
        Sleep(1000);
        PROCESS_MEMORY_COUNTERS m = {};
        m.cb = sizeof m;
        if (GetProcessMemoryInfo(pi.hProcess, &m, sizeof m) && m.WorkingSetSize > peak)
            peak = m.WorkingSetSize;
    }
    const double used = cpuSeconds(pi.hProcess) - before;
    const double wall = (GetTickCount64() - start) / 1000.0;
    std::printf("tessel idle over %.0f s: %.3f s processor time = %.3f %% of one core "
                "(goal below 0.5 %%)\n", wall, used, 100.0 * used / wall);
    std::printf("tessel working set: %.1f MB at most (goal below 20 MB)\n", peak / 1048576.0);
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
