// The player's costs: decoding a 60-second 128 kbit/s stereo MP3 through the
// platform's codec against its length, and the bar's processor time while it
// plays such a file (30 s, or the seconds given as the first argument).
#include "bar/win/media_player.h"
#include "bar/win/pcm_source.h"
#include "bench/win/host_times.h"
#include "bar/win/resource.h"
#include "tests/bar/win/bar_fixture.h"
#include "tests/bar/win/sound_fixture.h"
#include "tests/support/win/test_support.h"

#include <cstdio>
#include <cstdlib>

using namespace tessel;
using namespace tessel::test;
using namespace zt::test;

namespace {

double now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) / double(f.QuadPart);
}

void decodeFigure(const std::string& mp3) {
    std::shared_ptr<const win::MappedFile> file;
    if (win::MappedFile::open(mp3, file)) {
        std::printf("decode: the test file could not be read\n");
        return;
    }
    std::unique_ptr<win::PcmSource> source;
    const double t0 = now();
    if (win::openPcmSource(mp3, file, MediaKind::Mp3, source)) {
        std::printf("decode: the codec refused the test file\n");
        return;
    }
    std::vector<int16_t> pcm(4096 * 2);
    size_t frames = 0;
    for (size_t n; (n = source->read(pcm.data(), 4096)) > 0;)
        frames += n;
    const double took = now() - t0;
    const double length = double(frames) / source->sampleRate();
    std::printf("decode: %.1f s of 128 kbit/s stereo MP3 in %.3f s = %.0f x real time (goal at "
                "least 100 x: %s)\n",
                length, took, length / took, length / took >= 100 ? "met" : "MISSED");
}

// Processor time over a stretch, by kind of thread. Wine's sound driver runs
// its threads inside the playing program (on Windows the sound engine is a
// service process of its own), and so does waveOut's device thread.
struct ThreadSplit {
    double driver = 0, window = 0, playback = 0, otherWine = 0;
};

ThreadSplit splitBetween(const std::map<int, zt::bench::HostThread>& before,
                         const std::map<int, zt::bench::HostThread>& after, int pid) {
    ThreadSplit s;
    for (const auto& [tid, t] : after) {
        const auto earlier = before.find(tid);
        const double used = t.seconds - (earlier == before.end() ? 0 : earlier->second.seconds);
        if (t.name.rfind("winepulse", 0) == 0)
            s.driver += used;
        else if (tid == pid)
            s.window += used;
        else if (t.name == win::kPlaybackThreadName)
            s.playback += used;
        else
            s.otherWine += used;
    }
    return s;
}

void printSplit(const ThreadSplit& s, double wall, const char* window) {
    auto pc = [wall](double x) { return 100.0 * x / wall; };
    std::printf("  by thread: wine's sound driver (winepulse) %.2f %%, wine's other threads "
                "(waveOut's device thread and the like) %.2f %%, %s %.2f %%, the playback "
                "thread %.2f %%\n",
                pc(s.driver), pc(s.otherWine), window, pc(s.window), pc(s.playback));
}

void playingFigure(const std::string& mp3, int seconds) {
    BarFolder folder("bench_play");
    const auto earlier = zt::bench::hostProcesses("tessel.exe");
    Process bar = folder.start();
    HWND wnd = waitForBar(bar.id());
    if (!wnd) {
        std::printf("playing: the bar did not start\n");
        return;
    }
    pumpMessages(3000); // the splash window's life
    const zt::bench::ProcessorClock clock(bar.handle(), "tessel.exe", earlier);
    {
        const double before = clock.seconds();
        Sleep(DWORD(seconds) * 1000 / 2);
        const double used = clock.seconds() - before;
        if (before >= 0)
            std::printf("idle: tessel before any play, %.0f s: %.2f %% of one core\n",
                        seconds / 2.0, 200.0 * used / seconds);
    }
    clickWindow(GetDlgItem(wnd, 100 + 15));
    HWND browser = findDialog(bar.id(), IDC_FILES);
    if (!browser) {
        std::printf("playing: the file browser did not open\n");
        return;
    }
    std::wstring w(mp3.begin(), mp3.end());
    SendMessageW(GetDlgItem(browser, IDC_PATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
    clickWindow(GetDlgItem(browser, IDC_OPEN));
    pumpMessages(300);
    clickWindow(GetDlgItem(wnd, 100 + 17));
    pumpMessages(4000); // the audio system starts with the first sound
    const double before = clock.seconds();
    const auto threadsBefore = clock.threads();
    const ULONGLONG start = GetTickCount64();
    Sleep(DWORD(seconds) * 1000);
    const double after = clock.seconds();
    const auto threadsAfter = clock.threads();
    const double wall = (GetTickCount64() - start) / 1000.0;
    if (before < 0 || after < 0) {
        std::printf("playing: processor time not measurable here\n");
        return;
    }
    const double share = 100.0 * (after - before) / wall;
    std::printf("playing: tessel over %.0f s of MP3 playback: %.3f s processor time (from %s) = "
                "%.2f %% of one core (goal below 3 %%: %s)\n",
                wall, after - before, clock.source(), share, share < 3 ? "met" : "MISSED");
    if (!threadsAfter.empty()) {
        const ThreadSplit s = splitBetween(threadsBefore, threadsAfter, clock.hostPid());
        printSplit(s, wall, "the bar's window thread");
        const double own = 100.0 * (s.window + s.playback) / wall;
        std::printf("  the bar's own threads together: %.2f %% (below 3 %%: %s)\n", own,
                    own < 3 ? "yes" : "no");
    }
    bar.kill();
}

// For comparison: the media component alone in this otherwise idle process,
// which shows how much of the bar's figure the platform's sound path takes.
void componentFigure(const std::string& mp3, int seconds) {
    // Not /proc/self: read through wine it was seen to name another process
    // (one thread, none of the sound threads). This program's own Linux
    // process is found by its name instead.
    const auto mine = zt::bench::hostProcesses("tessel_play_bench.exe");
    const int self = mine.size() == 1 ? *mine.begin() : 0;
    if (self <= 0)
        return;
    win::MediaPlayer m(nullptr, 0);
    if (m.setFileName(mp3) || m.play())
        return;
    Sleep(3000);
    const double before = zt::bench::hostCpuSeconds(self);
    const auto threadsBefore = zt::bench::hostThreads(self);
    Sleep(DWORD(seconds) * 1000);
    const double used = zt::bench::hostCpuSeconds(self) - before;
    const auto threadsAfter = zt::bench::hostThreads(self);
    m.stop();
    std::printf("for comparison, the media component alone playing in a bare process: %.2f %% "
                "of one core\n",
                100.0 * used / seconds);
    if (!threadsAfter.empty())
        printSplit(splitBetween(threadsBefore, threadsAfter, self), seconds,
                   "the process's idle main thread");
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const std::string mp3 = inExeDir("bench_tone.mp3");
    if (!makeToneMp3(mp3, 60, 440)) {
        std::printf("lame could not make the 60-second test file\n");
        return 1;
    }
    decodeFigure(mp3);
    playingFigure(mp3, seconds);
    componentFigure(mp3, seconds);
    deleteFile(mp3);
    return 0;
}
