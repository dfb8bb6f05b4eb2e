#include "tests/bar/win/sound_fixture.h"

#include "tests/support/win/test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tessel::test {

using namespace zt::test;

std::string unixPath(const std::string& windowsPath) {
    using Fn = char*(CDECL*)(const WCHAR*);
    static auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn)
        return {};
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* u = fn(wide);
    if (!u)
        return {};
    std::string out = u;
    HeapFree(GetProcessHeap(), 0, u);
    return out;
}

namespace {
bool hostFile(const std::string& unix) {
    std::string w = "Z:" + unix;
    std::replace(w.begin(), w.end(), '/', '\\');
    return GetFileAttributesA(w.c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

bool soundAvailable() {
    char xdg[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("XDG_RUNTIME_DIR", xdg, MAX_PATH))
        return false;
    return hostFile("/usr/bin/parec") && hostFile(std::string(xdg) + "/pulse/pid");
}

void writeToneWav(const std::string& path, double seconds, double hz, bool leftOnly) {
    const uint32_t frames = uint32_t(seconds * kRate);
    std::string d = "RIFF____WAVEfmt ";
    auto le = [&d](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            d += char(v >> (8 * i));
    };
    le(16, 4), le(1, 2), le(2, 2), le(kRate, 4), le(kRate * 4, 4), le(4, 2), le(16, 2);
    d += "data";
    le(frames * 4, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto v = int16_t(std::lround(16000 * std::sin(2 * 3.14159265358979 * hz * i / kRate)));
        le(uint16_t(v), 2);
        le(leftOnly ? 0 : uint16_t(v), 2);
    }
    const uint32_t riff = uint32_t(d.size() - 8);
    for (int i = 0; i < 4; ++i)
        d[4 + i] = char(riff >> (8 * i));
    writeTextFile(path, d);
}

// Wine starts a host program from a command line, but neither strips the
// quotes of its arguments nor signals the end of the program through the
// process handle: host work runs as a shell script that announces its end
// by renaming its result into place, and the tests wait for that file.
bool startHostScript(const std::string& name, const std::string& script) {
    const std::string path = inExeDir(name);
    writeTextFile(path, script);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string line = "/bin/sh " + unixPath(path);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool makeToneMp3(const std::string& path, double seconds, double hz) {
    const std::string wav = path + ".wav";
    writeToneWav(wav, seconds, hz);
    deleteFile(path);
    const std::string u = unixPath(path);
    if (!startHostScript("player_lame.sh", "/usr/bin/lame --quiet -b 128 '" + unixPath(wav) +
                                               "' '" + u + ".part' && mv '" + u + ".part' '" + u +
                                               "'\n"))
        return false;
    waitFor([&] { return fileExists(path); }, 60000, 50);
    deleteFile(wav);
    deleteFile(inExeDir("player_lame.sh"));
    return fileExists(path) && readTextFile(path).size() > 1000;
}

Recording::Recording(std::string file) : file_(std::move(file)) {}

Recording::~Recording() {
    deleteFile(file_);
    deleteFile(file_ + ".part");
    deleteFile(inExeDir("player_parec.sh"));
}

bool Recording::start(double seconds) {
    deleteFile(file_);
    const std::string u = unixPath(file_);
    if (!startHostScript("player_parec.sh",
                         "/usr/bin/timeout " + std::to_string(seconds) +
                             " /usr/bin/parec --device=nullsink.monitor --format=s16le"
                             " --channels=2 --rate=44100 --latency-msec=20 --raw '" +
                             u + ".part'; mv '" + u + ".part' '" + u + "'\n"))
        return false;
    // The recorder is listening once its file exists.
    return waitFor([&] { return fileExists(file_ + ".part"); }, 5000);
}

bool Recording::finish() {
    if (!waitFor([&] { return fileExists(file_); }, 30000, 50))
        return false;
    const std::string data = readTextFile(file_);
    samples_.assign(data.size() / 2, 0);
    std::memcpy(samples_.data(), data.data(), samples_.size() * 2);
    return !samples_.empty();
}

namespace {
// RMS in dB of full scale of one channel over [a, b) sample frames.
double rmsDb(const std::vector<int16_t>& s, size_t a, size_t b, int channel) {
    double sum = 0;
    for (size_t i = a; i < b; ++i)
        sum += double(s[2 * i + channel]) * s[2 * i + channel];
    return 10 * std::log10(sum / double(std::max<size_t>(1, b - a)) / (32768.0 * 32768.0) + 1e-20);
}

double median(std::vector<double> v) {
    if (v.empty())
        return -200;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

std::pair<size_t, size_t> span(const std::vector<int16_t>& s, double from, double to) {
    const size_t a = size_t(std::max(0.0, from) * kRate);
    const size_t b = std::min(s.size() / 2, size_t(std::max(0.0, to) * kRate));
    return {a, std::max(a, b)};
}
} // namespace

// Medians over 20-ms pieces: a short gap in the sound (a machine too busy
// to feed the sound server in time) does not move them.
Levels levelsIn(const std::vector<int16_t>& s, double from, double to) {
    auto [a, b] = span(s, from, to);
    const size_t piece = kRate / 50;
    std::vector<double> l, r;
    for (size_t i = a; i + piece <= b; i += piece) {
        l.push_back(rmsDb(s, i, i + piece, 0));
        r.push_back(rmsDb(s, i, i + piece, 1));
    }
    return {median(l), median(r)};
}

// From the median period between rising zero crossings of the left channel.
double pitchIn(const std::vector<int16_t>& s, double from, double to) {
    auto [a, b] = span(s, from, to);
    std::vector<double> periods;
    size_t last = 0;
    for (size_t i = a + 1; i < b; ++i) {
        if (s[2 * (i - 1)] < 0 && s[2 * i] >= 0) {
            if (last)
                periods.push_back(double(i - last));
            last = i;
        }
    }
    const double p = median(periods);
    return p > 0 ? kRate / p : 0;
}

double onset(const std::vector<int16_t>& s, double db, double after) {
    const size_t piece = kRate / 100;
    for (size_t i = size_t(std::max(0.0, after) * kRate); i + piece <= s.size() / 2; i += piece) {
        if (rmsDb(s, i, i + piece, 0) > db || rmsDb(s, i, i + piece, 1) > db)
            return double(i) / kRate;
    }
    return -1;
}

} // namespace tessel::test

namespace tessel::test {

namespace {
bool matches(double actual, double expected, double tolerance) {
    return expected <= -70 ? actual <= -70 : std::fabs(actual - expected) <= tolerance;
}
} // namespace

bool heardInOrder(const std::vector<int16_t>& s, double from, const std::vector<Heard>& states,
                  double minSeconds, std::string* trace) {
    const double step = 0.1;
    const double length = s.size() / 2.0 / kRate;
    std::vector<Levels> windows;
    for (double t = std::max(0.0, from); t + step <= length; t += step)
        windows.push_back(levelsIn(s, t, t + step));
    if (trace) {
        char line[64];
        for (size_t i = 0; i < windows.size(); ++i) {
            std::snprintf(line, sizeof line, "%.1f s: %.1f/%.1f\n", from + i * step,
                          windows[i].left, windows[i].right);
            *trace += line;
        }
    }
    const size_t need = size_t(minSeconds / step + 0.5);
    size_t at = 0;
    for (const Heard& h : states) {
        size_t run = 0;
        for (; at < windows.size() && run < need; ++at) {
            const bool ok = matches(windows[at].left, h.left, h.tolerance) &&
                            matches(windows[at].right, h.right, h.tolerance);
            run = ok ? run + 1 : 0;
        }
        if (run < need) {
            if (trace)
                *trace = std::string("not heard: ") + h.name + "\n" + *trace;
            return false;
        }
    }
    return true;
}

} // namespace tessel::test
