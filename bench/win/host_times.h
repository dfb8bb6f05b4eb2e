// Processor time of another program, measured for real. Windows reports it
// through GetProcessTimes; wine reports nothing for another process, so
// under wine the host's own accounting is read instead: /proc/<pid>/stat of
// the program's Linux process, reached through wine's Z: drive.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace zt::bench {

inline std::string readWhole(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {};
    std::string s;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        s.append(buf, got);
    CloseHandle(h);
    return s;
}

// The one clock of the benchmarks: the performance counter.
inline double secondsNow() {
    static const double perSecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / perSecond;
}
inline double millisecondsNow() { return 1e3 * secondsNow(); }
inline double nanosecondsNow() { return 1e9 * secondsNow(); }

// Starts a program in `dir`; false when it cannot be started.
inline bool startProgram(const std::string& cmd, const std::string& dir, PROCESS_INFORMATION& pi) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string line = cmd;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                          &si, &pi) != FALSE;
}

inline bool runningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Linux processes whose program name ends with `exeName` and that run in
// this wine prefix (so that another prefix's copy is never taken).
inline std::set<int> hostProcesses(const char* exeName) {
    std::set<int> found;
    char prefix[1024] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("Z:\\proc\\*", &fd);
    if (h == INVALID_HANDLE_VALUE)
        return found;
    const std::string name = exeName;
    do {
        const int pid = std::atoi(fd.cFileName);
        if (pid <= 0)
            continue;
        const std::string dir = "Z:\\proc\\" + std::string(fd.cFileName);
        std::string cmd = readWhole(dir + "\\cmdline");
        cmd = cmd.substr(0, cmd.find('\0'));
        if (cmd.size() < name.size() ||
            lstrcmpiA(cmd.c_str() + cmd.size() - name.size(), name.c_str()) != 0)
            continue;
        if (prefix[0]) {
            const std::string env = readWhole(dir + "\\environ");
            if (env.find(std::string("WINEPREFIX=") + prefix + '\0') == std::string::npos)
                continue;
        }
        found.insert(pid);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}

// User and system time of a Linux process in seconds; negative when unknown.
inline double hostCpuSeconds(int pid) {
    const std::string stat = readWhole("Z:\\proc\\" + std::to_string(pid) + "\\stat");
    // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
    size_t p = stat.rfind(')');
    if (p == std::string::npos)
        return -1;
    unsigned long long utime = 0, stime = 0;
    if (std::sscanf(stat.c_str() + p + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                    &utime, &stime) != 2)
        return -1;
    return double(utime + stime) / 100.0; // USER_HZ is 100 on Linux
}

// The part of a Linux process's time spent in its threads whose name starts
// with `threadPrefix` (/proc/<pid>/task/*/comm); negative when unknown.
inline double hostThreadsCpuSeconds(int pid, const char* threadPrefix) {
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((tasks + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    const std::string prefix = threadPrefix;
    double total = 0;
    do {
        if (std::atoi(fd.cFileName) <= 0)
            continue;
        const std::string dir = tasks + fd.cFileName;
        if (readWhole(dir + "\\comm").compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string stat = readWhole(dir + "\\stat");
        const size_t p = stat.rfind(')');
        unsigned long long utime = 0, stime = 0;
        if (p != std::string::npos &&
            std::sscanf(stat.c_str() + p + 1,
                        " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                        &stime) == 2)
            total += double(utime + stime) / 100.0;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return total;
}

// Processor seconds of each thread of a Linux process, by thread id; the
// thread's name (/proc/<pid>/task/<tid>/comm) comes with it.
struct HostThread {
    std::string name;
    double seconds = 0;
};
inline std::map<int, HostThread> hostThreads(int pid) {
    std::map<int, HostThread> threads;
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((tasks + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return threads;
    do {
        const int tid = std::atoi(fd.cFileName);
        if (tid <= 0)
            continue;
        const std::string dir = tasks + fd.cFileName;
        const std::string stat = readWhole(dir + "\\stat");
        const size_t p = stat.rfind(')');
        unsigned long long utime = 0, stime = 0;
        if (p == std::string::npos ||
            std::sscanf(stat.c_str() + p + 1,
                        " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                        &stime) != 2)
            continue;
        std::string name = readWhole(dir + "\\comm");
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
            name.pop_back();
        threads[tid] = {name, double(utime + stime) / 100.0};
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return threads;
}

// A program's processor time, by whichever means this system gives it.
class ProcessorClock {
public:
    // `before`: the host processes of that name from before the start.
    ProcessorClock(HANDLE process, const char* exeName, const std::set<int>& before)
        : process_(process) {
        if (!runningUnderWine())
            return;
        for (int pid : hostProcesses(exeName))
            if (!before.count(pid))
                hostPid_ = pid;
    }
    // Seconds, or a negative value when neither source can tell.
    double seconds() const {
        if (hostPid_ > 0)
            return hostCpuSeconds(hostPid_);
        FILETIME c, e, k, u;
        if (runningUnderWine() || !GetProcessTimes(process_, &c, &e, &k, &u))
            return -1;
        auto t = [](FILETIME f) {
            return double(ULONGLONG(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e7;
        };
        return t(k) + t(u);
    }
    // Under wine: the time of the program's threads whose name starts with
    // `threadPrefix`; negative elsewhere or when unknown.
    double threadSeconds(const char* threadPrefix) const {
        return hostPid_ > 0 ? hostThreadsCpuSeconds(hostPid_, threadPrefix) : -1;
    }
    // Under wine: each thread's time so far; empty elsewhere.
    std::map<int, HostThread> threads() const {
        return hostPid_ > 0 ? hostThreads(hostPid_) : std::map<int, HostThread>{};
    }
    int hostPid() const { return hostPid_; }
    const char* source() const {
        return hostPid_ > 0 ? "the host's /proc" : "GetProcessTimes";
    }

private:
    HANDLE process_;
    int hostPid_ = 0;
};

} // namespace zt::bench
