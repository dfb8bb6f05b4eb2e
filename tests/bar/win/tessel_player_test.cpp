// The player on the real tessel.exe, driven with the mouse, and heard
// through the sound server's null sink.
#include "bar/win/resource.h"
#include "tests/bar/win/bar_fixture.h"
#include "tests/bar/win/sound_fixture.h"
#include "tests/bar/win/tone_suite.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace tessel::test {
namespace {

using namespace zt::test;

constexpr int kElementIdBase = 100;
constexpr int kPositionBarId = 310, kBalanceSliderId = 311, kVolumeSliderId = 312;
enum { kOpen = 15, kStop = 16, kPlay = 17, kForward = 18, kRewind = 19 };

HWND element(HWND bar, int i) { return GetDlgItem(bar, kElementIdBase + i); }

struct PlayerBar {
    explicit PlayerBar(const std::string& name) : folder(name) {
        SkinLayout l = testLayout();
        l.positionBar = {int16_t(tw(10)), int16_t(tw(78)), int16_t(tw(300)), int16_t(tw(12))};
        l.volumeSlider = {int16_t(tw(330)), int16_t(tw(76)), int16_t(tw(160)), int16_t(tw(16))};
        l.balanceSlider = {int16_t(tw(510)), int16_t(tw(76)), int16_t(tw(160)), int16_t(tw(16))};
        folder.writeLayout(l);
    }
    bool start() {
        process = folder.start();
        wnd = waitForBar(process.id());
        pumpMessages(400);
        return wnd != nullptr;
    }
    void click(int i) { clickWindow(element(wnd, i)); }
    // Element 15, the path typed into the browser, "Open".
    bool choose(const std::string& path) {
        click(kOpen);
        HWND browser = findDialog(process.id(), IDC_FILES);
        if (!browser)
            return false;
        std::wstring w(path.begin(), path.end());
        SendMessageW(GetDlgItem(browser, IDC_PATH), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(w.c_str()));
        clickWindow(GetDlgItem(browser, IDC_OPEN));
        return waitFor([&] { return !IsWindow(browser) || !IsWindowVisible(browser); }, 5000);
    }
    HWND positionBar() const { return GetDlgItem(wnd, kPositionBarId); }
    // The position bar's value and maximum, in seconds.
    // In hundredths of a second, as the bar shows it: exact to compare.
    LRESULT ticks() const { return SendMessageA(positionBar(), PBM_GETPOS, 0, 0); }
    double position() const { return ticks() / 100.0; }
    double maximum() const { return SendMessageA(positionBar(), PBM_GETRANGE, FALSE, 0) / 100.0; }

    // Drags a slider's thumb from where its value puts it (0: left end,
    // 1: right end) past one end, as a hand does.
    void dragSlider(int id, double from, bool toRight) {
        HWND s = GetDlgItem(wnd, id);
        RECT r;
        GetWindowRect(s, &r);
        const int arrow = GetSystemMetrics(SM_CXHSCROLL);
        const int thumb = GetSystemMetrics(SM_CXHTHUMB);
        const int track = (r.right - r.left) - 2 * arrow - thumb;
        const int y = (r.top + r.bottom) / 2;
        POINT p = {r.left + arrow + thumb / 2 + int(from * track), y};
        pressAt(p);
        const int endX = toRight ? r.right + 30 : r.left - 30;
        for (int k = 1; k <= 8; ++k) {
            SetCursorPos(p.x + (endX - p.x) * k / 8, y);
            pumpMessages(40);
        }
        pumpMessages(500);
        releaseAt({endX, y});
    }

    BarFolder folder;
    Process process;
    HWND wnd = nullptr;
};

using TesselPlayer = ToneMp3Suite<20>;

double secondsSince(DWORD t) { return (GetTickCount() - t) / 1000.0; }


TEST_F(TesselPlayer, ElementsAndSlidersDriveWhatIsHeard) {
    const bool listen = soundAvailable();
    PlayerBar b("player");
    ASSERT_TRUE(b.start());
    Recording rec(inExeDir("bar_player_rec.raw"));
    if (listen) {
        ASSERT_TRUE(rec.start(25));
    }

    // Play before any choice does nothing; the position bar keeps its
    // default maximum until the first play.
    b.click(kPlay);
    pumpMessages(300);
    EXPECT_EQ(b.position(), 0);
    EXPECT_EQ(b.maximum(), 100);
    std::string text;
    EXPECT_FALSE(waitForMessageBox(b.process.id(), text, 200));

    ASSERT_TRUE(b.choose(tone_));
    b.click(kPlay);
    EXPECT_TRUE(waitFor([&] { return b.maximum() > 19.9; }, 2000)) << b.maximum();
    // The sound starts once the audio system is up (seconds, the first time
    // in a process); the position bar follows what is heard, and times in
    // the recording are taken from it.
    ASSERT_TRUE(waitFor([&] { return b.position() > 0; }, 8000));
    // The position bar's pace, timed from the last look before its value
    // changed: the bar had no more time than that for what it moved, however
    // late this program looks. It may fall behind only where the sound
    // itself stalls, never by half.
    const DWORD since = GetTickCount();
    DWORD lastLook = since;
    const LRESULT seen = b.ticks();
    for (;;) {
        const DWORD look = GetTickCount();
        if (b.ticks() != seen)
            break;
        lastLook = look;
        ASSERT_LT(secondsSince(since), 5) << "the position bar stands";
        pumpMessages(5);
    }
    const double first = b.position();
    Sleep(1500);
    const double moved = b.position() - first;
    const double elapsed = secondsSince(lastLook);
    EXPECT_LE(moved, elapsed * 1.02 + 0.05) << "the position bar runs ahead of the sound";
    EXPECT_GE(moved, elapsed / 2) << "the position bar lags the sound";

    b.dragSlider(kVolumeSliderId, 1, false); // volume to its left end
    Sleep(1500);
    b.dragSlider(kVolumeSliderId, 0, true);
    b.dragSlider(kBalanceSliderId, 0.5, true); // balance to its right end
    Sleep(1500);
    b.click(kStop);
    pumpMessages(300);
    // Compared as the bar's own whole ticks: the 32-bit build computes the
    // seconds in the x87's wider precision, and a value still in a register
    // need not equal the same value once stored.
    const LRESULT at = b.ticks();
    pumpMessages(500);
    EXPECT_EQ(b.ticks(), at) << "the position bar moves after Stop";
    Sleep(1000);

    // Stop then Play starts again from the beginning; fast forward and
    // rewind move by five seconds, rewind below five does nothing.
    b.click(kPlay);
    EXPECT_TRUE(waitFor([&] { return b.position() > 0 && b.position() < 1; }, 1500)) << b.position();
    pumpMessages(500);
    const double before = b.position();
    b.click(kForward);
    pumpMessages(300);
    EXPECT_NEAR(b.position(), before + 5.5, 0.6);
    b.click(kRewind);
    pumpMessages(300);
    EXPECT_NEAR(b.position(), before + 1.0, 0.7);
    const double low = b.position();
    ASSERT_LT(low, 5);
    b.click(kRewind);
    pumpMessages(300);
    EXPECT_GE(b.position(), low);

    if (!listen)
        GTEST_SKIP() << "no sound server to record";
    ASSERT_TRUE(rec.finish());
    const auto& s = rec.samples();
    const double t0 = onset(s);
    ASSERT_GE(t0, 0) << "nothing was heard";
    const Levels full = levelsIn(s, t0 + 0.3, t0 + 1.2);
    std::printf("bar heard: %.1f Hz at %.1f/%.1f dB\n", pitchIn(s, t0 + 0.3, t0 + 1.2), full.left,
                full.right);
    EXPECT_NEAR(pitchIn(s, t0 + 0.3, t0 + 1.2), 440, 3);
    EXPECT_NEAR(full.left, -9.2, 2);
    const double f = full.left;
    std::string trace;
    // After Stop, Play is heard again from the beginning.
    EXPECT_TRUE(heardInOrder(s, t0, {{"full", f, f, 1.5},
                                     {"volume at its left end", f - 25, f - 25, 2},
                                     {"balance at its right end", f - 50, f, 3},
                                     {"silence after Stop", -200, -200, 0},
                                     {"played again", f - 50, f, 3}},
                             0.5, &trace))
        << trace;
}

TEST_F(TesselPlayer, ABrokenFileIsReportedAndTheBarGoesOn) {
    PlayerBar b("player_broken");
    // Text under a media name: no frame the codec could take.
    b.folder.write("notsound.mp3", std::string(20000, 'x'));
    ASSERT_TRUE(b.start());
    ASSERT_TRUE(b.choose(b.folder.dir() + "\\notsound.mp3"));
    b.click(kPlay);
    std::string text;
    HWND box = waitForMessageBox(b.process.id(), text);
    ASSERT_TRUE(box);
    EXPECT_NE(text.find("Error 321 has occured, Invalid file format"), std::string::npos) << text;
    pressOk(box);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 3000));

    ASSERT_TRUE(b.choose(tone_));
    b.click(kPlay);
    EXPECT_TRUE(waitFor([&] { return b.position() > 0.5; }, 10000));
    EXPECT_FALSE(waitForMessageBox(b.process.id(), text, 200));
    b.click(kStop);
}

} // namespace
} // namespace tessel::test
