// The media component on its own, heard through the sound server's null sink.
#include "bar/win/media_player.h"
#include "common/win/scoped.h"
#include "tests/bar/win/sound_fixture.h"
#include "tests/bar/win/tone_suite.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <random>

namespace tessel::test {
namespace {

using namespace zt::test;
using win::MediaPlayer;

using MediaPlayerTest = ToneMp3Suite<10>;

TEST_F(MediaPlayerTest, PlaysTheToneAtTheSlidersLevelsAndStops) {
    if (!soundAvailable())
        GTEST_SKIP() << "no sound server to record";
    MediaPlayer m(nullptr, 0);
    ASSERT_FALSE(m.setFileName(tone_).failed());
    EXPECT_NEAR(m.duration(), 10.0, 0.1);
    Recording rec(inExeDir("player_rec.raw"));
    ASSERT_TRUE(rec.start(14));
    ASSERT_FALSE(m.play().failed());
    // The sound starts once the audio system is up, a while the first time.
    ASSERT_TRUE(waitFor([&] { return m.currentPosition() > 0; }, 8000));
    Sleep(2000);
    m.setVolume(-2500);
    Sleep(2000);
    m.setVolume(0);
    m.setBalance(5000);
    Sleep(2000);
    m.stop();
    EXPECT_FALSE(m.playing());
    ASSERT_TRUE(rec.finish());
    const auto& s = rec.samples();
    const double t0 = onset(s);
    ASSERT_GE(t0, 0) << "nothing was heard";

    const Levels full = levelsIn(s, t0 + 0.3, t0 + 1.3);
    EXPECT_NEAR(full.left, -9.2, 2.0); // the tone's own level
    EXPECT_NEAR(pitchIn(s, t0 + 0.3, t0 + 1.3), 440, 3);
    const double f = full.left;
    std::string trace;
    EXPECT_TRUE(heardInOrder(s, t0, {{"full", f, f, 1.5},
                                     {"volume at its left end", f - 25, f - 25, 2},
                                     {"balance at its right end", f - 50, f, 3},
                                     {"silence after Stop", -200, -200, 0}},
                             0.5, &trace))
        << trace;
}

TEST_F(MediaPlayerTest, PositionFollowsPlayAndSkips) {
    MediaPlayer m(nullptr, 0);
    ASSERT_FALSE(m.setFileName(tone_).failed());
    EXPECT_EQ(m.currentPosition(), 0);
    ASSERT_FALSE(m.play().failed());
    ASSERT_TRUE(waitFor([&] { return m.currentPosition() > 0; }, 8000));
    // The position keeps moving while it plays; a loaded machine's sound
    // server may run slower or ahead, so only the direction is timed here.
    EXPECT_TRUE(waitFor([&] { return m.currentPosition() > 0.5; }, 5000));
    const double p = m.currentPosition();
    EXPECT_LT(p, 2.5);
    m.setCurrentPosition(p + 5);
    EXPECT_NEAR(m.currentPosition(), p + 5, 0.1);
    EXPECT_TRUE(m.playing());
    EXPECT_TRUE(waitFor([&] { return m.currentPosition() > p + 5.2; }, 5000));
    m.setCurrentPosition(2);
    EXPECT_NEAR(m.currentPosition(), 2, 0.1);
    // Past the end the file has finished; play then starts it again.
    m.setCurrentPosition(60);
    EXPECT_FALSE(m.playing());
    EXPECT_NEAR(m.currentPosition(), m.duration(), 0.01);
    ASSERT_FALSE(m.play().failed());
    EXPECT_LT(m.currentPosition(), 0.3);
    m.stop();
    const double stopped = m.currentPosition();
    Sleep(300);
    EXPECT_EQ(m.currentPosition(), stopped);
}

TEST_F(MediaPlayerTest, RefusesFilesItCannotPlayAndGoesOn) {
    const std::string good = readTextFile(tone_);
    std::mt19937 rng(5);
    std::string noise(20000, '\0');
    for (auto& c : noise)
        c = char(rng());
    struct Case {
        const char* name;
        const char* content; // nullptr: no file
        std::string data;
        ErrorNumber error;
    } cases[] = {
        {"player_noise.mp3", "", noise, ErrorNumber::InvalidFileFormat},
        {"player_empty.mp3", "", "", ErrorNumber::InvalidFileFormat},
        // A chunk of its own, then the file ends: no format was ever given.
        {"player_text.wav", "", std::string("RIFF\x10\0\0\0WAVEjunk\x04\0\0\0abcd", 24),
         ErrorNumber::InvalidFileFormat},
        {"player_missing.mp3", nullptr, "", ErrorNumber::FileNotFound},
        {"no_such_folder\\x.mp3", nullptr, "", ErrorNumber::PathNotFound},
    };
    MediaPlayer m(nullptr, 0);
    for (const auto& c : cases) {
        const std::string path = inExeDir(c.name);
        if (c.content)
            writeTextFile(path, c.data);
        const RunError e = m.setFileName(path);
        EXPECT_EQ(e.number(), c.error) << c.name << ": " << e.description();
        EXPECT_NE(e.description().find(path), std::string::npos) << e.description();
        EXPECT_FALSE(m.play().failed()); // nothing loaded: nothing happens
        EXPECT_FALSE(m.playing());
        if (c.content)
            deleteFile(path);
    }
    ASSERT_FALSE(m.setFileName(tone_).failed());
    ASSERT_FALSE(m.play().failed());
    EXPECT_TRUE(m.playing());
}

// The encoder writes a Xing/Info header that counts every frame; a file cut
// short of it plays what is there, to its real end.
TEST_F(MediaPlayerTest, PlaysACutFileToWhereItEnds) {
    const std::string good = readTextFile(tone_);
    const std::string cut = inExeDir("player_cut.mp3");
    writeTextFile(cut, good.substr(0, good.size() / 5));
    MediaPlayer m(nullptr, 0);
    const RunError e = m.setFileName(cut);
    ASSERT_FALSE(e.failed()) << e.description();
    EXPECT_NEAR(m.duration(), 2.0, 0.1);
    if (soundAvailable()) {
        ASSERT_FALSE(m.play().failed());
        EXPECT_TRUE(waitFor([&] { return !m.playing(); }, 15000));
        EXPECT_NEAR(m.currentPosition(), m.duration(), 1e-6);
    }
    m.setFileName(tone_);
    deleteFile(cut);
}

// A source whose reads wait for the test, as a sound driver that does not
// return would keep the playback thread.
class StuckSource final : public win::PcmSource {
public:
    StuckSource(HANDLE entered, HANDLE release, std::atomic<int>& alive)
        : entered_(entered), release_(release), alive_(alive) {
        ++alive_;
    }
    ~StuckSource() override { --alive_; }
    int channels() const override { return 2; }
    int sampleRate() const override { return 44100; }
    double duration() const override { return 10; }
    double seek(double seconds) override { return seconds; }
    size_t read(int16_t* out, size_t maxFrames) override {
        SetEvent(entered_);
        WaitForSingleObject(release_, INFINITE);
        std::fill(out, out + maxFrames * 2, int16_t(0));
        return 0;
    }

private:
    HANDLE entered_, release_;
    std::atomic<int>& alive_;
};

// A stop that gives up on the playback thread leaves it everything it uses:
// the next file and play go on beside it, and its source goes only once the
// thread has finished with it.
TEST_F(MediaPlayerTest, AStopThatGivesUpLeavesTheThreadItsSource) {
    if (!soundAvailable())
        GTEST_SKIP() << "no sound output for the playback thread";
    zt::ScopedKernelHandle entered(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    zt::ScopedKernelHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::atomic<int> alive{0};
    {
        MediaPlayer m(nullptr, 0, 0, 200);
        m.useSource(std::make_shared<StuckSource>(entered.get(), release.get(), alive));
        ASSERT_FALSE(m.play().failed());
        ASSERT_EQ(WaitForSingleObject(entered.get(), 15000), WAIT_OBJECT_0);
        m.stop(); // gives up after 200 ms: the thread is still reading
        EXPECT_FALSE(m.playing());
        EXPECT_EQ(alive.load(), 1) << "the source was freed under the running thread";
        ASSERT_FALSE(m.setFileName(tone_).failed());
        ASSERT_FALSE(m.play().failed());
        EXPECT_TRUE(waitFor([&] { return m.currentPosition() > 0; }, 8000));
        m.setCurrentPosition(3);
        m.stop();
        EXPECT_EQ(alive.load(), 1);
    }
    SetEvent(release.get());
    EXPECT_TRUE(waitFor([&] { return alive.load() == 0; }, 10000))
        << "the stuck run never let its source go";
}

TEST_F(MediaPlayerTest, PlaysWavToItsEnd) {
    const std::string wav = inExeDir("player_tone.wav");
    writeToneWav(wav, 1.5, 440);
    MediaPlayer m(nullptr, 0);
    ASSERT_FALSE(m.setFileName(wav).failed());
    EXPECT_NEAR(m.duration(), 1.5, 1e-6);
    ASSERT_FALSE(m.play().failed());
    EXPECT_TRUE(waitFor([&] { return !m.playing(); }, 8000));
    EXPECT_NEAR(m.currentPosition(), 1.5, 1e-6);
    deleteFile(wav);
}

// MIDI needs the platform's sequencer and an output for it: with a MIDI
// output it loads and tells its length; without one the report says so.
TEST_F(MediaPlayerTest, MidiLoadsOrSaysWhy) {
    const std::string mid = inExeDir("player_tune.mid");
    const std::string track = std::string("\x00\x90\x3C\x40\x60\x80\x3C\x40\x00\xFF\x2F\x00", 12);
    writeTextFile(mid, std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + "MTrk" +
                           std::string("\0\0\0", 3) + char(track.size()) + track);
    MediaPlayer m(nullptr, 0);
    // Whether the platform's sequencer takes the file is asked of the
    // sequencer itself, not read from the player's answer.
    const std::string probe = "open \"" + mid + "\" type sequencer alias midiprobe";
    const bool sequencerTakesIt = mciSendStringA(probe.c_str(), nullptr, 0, nullptr) == 0;
    mciSendStringA("close midiprobe", nullptr, 0, nullptr);
    const RunError e = m.setFileName(mid);
    if (!sequencerTakesIt) {
        EXPECT_EQ(e.number(), ErrorNumber::DeviceUnavailable);
        EXPECT_NE(e.description().find("No MIDI sequencer can play the file (" + mid),
                  std::string::npos)
            << e.description();
    } else {
        ASSERT_FALSE(e.failed()) << e.description();
        EXPECT_NEAR(m.duration(), 0.5, 0.05); // 96 ticks at 96 a beat, 120 beats a minute
        m.stop();
    }
    deleteFile(mid);
}

} // namespace
} // namespace tessel::test
