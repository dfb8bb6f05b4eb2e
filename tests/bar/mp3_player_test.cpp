#include "bar/audio_gain.h"
#include "bar/mp3_player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tessel {
namespace {

TEST(ChannelGainTest, HundredthsOfADecibel) {
    auto db = [](int32_t f) { return 20 * std::log10(f / 65536.0); };
    struct Case {
        int32_t volume, balance;
        double leftDb, rightDb;
    } cases[] = {
        {0, 0, 0, 0},
        {-2500, 0, -25, -25},     // volume slider at its left end
        {-600, 0, -6, -6},
        {0, 5000, -50, 0},        // balance at its right end: the left side goes
        {0, -5000, 0, -50},
        {-1000, 2000, -30, -10},
        {-9999, 0, -25, -25},     // out of range: the slider's end
        {100, 9000, -50, 0},
    };
    for (const auto& c : cases) {
        const ChannelGain g = channelGain(c.volume, c.balance);
        EXPECT_NEAR(db(g.left), c.leftDb, 0.02) << c.volume << "/" << c.balance;
        EXPECT_NEAR(db(g.right), c.rightDb, 0.02) << c.volume << "/" << c.balance;
    }
}

TEST(ChannelGainTest, ScalesEachChannelAndSaturates) {
    struct Case {
        int channels;
        ChannelGain gain;
        std::vector<int16_t> in, out;
    } cases[] = {
        {2, {32768, 65536}, {1000, 1000, -1000, -1000}, {500, 1000, -500, -1000}},
        {2, {65536, 0}, {32767, 32767}, {32767, 0}},
        {1, {32768, 0}, {400, -400}, {200, -200}}, // mono follows the left factor
        {2, {131072, 131072}, {30000, -30000}, {32767, -32768}},
    };
    for (auto& c : cases) {
        std::vector<int16_t> s = c.in;
        applyGain(s.data(), s.size() / size_t(c.channels), c.channels, c.gain);
        EXPECT_EQ(s, c.out);
    }
}

// Records what the player asks of the component and the position bar.
class FakeMedia : public MediaControl, public PositionBar {
public:
    std::vector<std::string> calls;
    double position = 0, length = 30;
    RunError failOpen, failPlay;
    float max = 100, value = 0;

    RunError setFileName(const std::string& p) override {
        calls.push_back("file " + p);
        return failOpen;
    }
    RunError play() override {
        calls.push_back("play");
        return failPlay;
    }
    void stop() override { calls.push_back("stop"); }
    double duration() const override { return length; }
    double currentPosition() const override { return position; }
    void setCurrentPosition(double s) override {
        calls.push_back("seek " + std::to_string(int(std::lround(s * 10))));
        position = s;
    }
    void setVolume(int32_t v) override { calls.push_back("volume " + std::to_string(v)); }
    void setBalance(int32_t v) override { calls.push_back("balance " + std::to_string(v)); }
    void setMax(float m) override { max = m; }
    void setValue(float v) override { value = v; }
};

struct PlayerRig {
    FileChoice choice;
    FakeMedia media;
    Mp3Player player{choice, media, media};
    void confirm(const std::string& path) {
        player.open();
        choice.confirm(path);
    }
};

TEST(Mp3PlayerTest, PlayOnlyAfterAConfirmedChoice) {
    PlayerRig r;
    r.choice.confirm("C:\\old.mp3");
    r.choice.armed = 0; // chosen earlier, then opened again without a confirmation
    EXPECT_FALSE(r.player.play().failed());
    r.player.refreshPosition();
    EXPECT_TRUE(r.media.calls.empty());
    EXPECT_EQ(r.media.max, 100); // the default maximum until the first play

    r.confirm("C:\\a.mp3");
    EXPECT_EQ(r.choice.pattern(), kMediaPattern);
    EXPECT_FALSE(r.player.play().failed());
    EXPECT_EQ(r.media.calls, (std::vector<std::string>{"file C:\\a.mp3", "play"}));
    EXPECT_EQ(r.media.max, 30);
    EXPECT_EQ(r.choice.armed, 0);
    EXPECT_TRUE(r.player.played());

    // Played to the end, play again does nothing; stop, then play reloads.
    r.media.calls.clear();
    r.player.play();
    EXPECT_TRUE(r.media.calls.empty());
    r.player.stop();
    EXPECT_EQ(r.choice.armed, 1);
    r.player.play();
    EXPECT_EQ(r.media.calls, (std::vector<std::string>{"stop", "file C:\\a.mp3", "play"}));
}

TEST(Mp3PlayerTest, StopBeforeAnyPlayLeavesTheChoiceAlone) {
    PlayerRig r;
    r.player.stop();
    EXPECT_EQ(r.choice.armed, 0);
    r.choice.request(ChoiceClient::ProgramEditor, kProgramPattern);
    r.choice.confirm("C:\\a.exe");
    r.player.open(); // opening the browser for media disarms and sets the pattern
    EXPECT_EQ(r.choice.pattern(), kMediaPattern);
    EXPECT_EQ(r.choice.armed, 0);
}

TEST(Mp3PlayerTest, FailuresKeepTheFlagsWhereTheyWere) {
    PlayerRig r;
    r.confirm("C:\\bad.mp3");
    r.media.failOpen = RunError::at(ErrorNumber::InvalidFileFormat, "C:\\bad.mp3");
    EXPECT_EQ(r.player.play().number(), ErrorNumber::InvalidFileFormat);
    EXPECT_EQ(r.choice.armed, 1);
    EXPECT_FALSE(r.player.played());

    r.media.failOpen = {};
    r.media.failPlay = RunError::at(ErrorNumber::DeviceUnavailable, "");
    EXPECT_TRUE(r.player.play().failed());
    EXPECT_EQ(r.choice.armed, 0);
    EXPECT_FALSE(r.player.played());
}

// A program confirmed for the editor or the run dialog never arms the
// player, and a stop reloads the player's own file, not the last chosen.
TEST(Mp3PlayerTest, AChoiceForAnotherCallerNeverReachesThePlayer) {
    for (ChoiceClient other : {ChoiceClient::ProgramEditor, ChoiceClient::RunDialog}) {
        PlayerRig r;
        r.choice.request(other, kProgramPattern);
        r.choice.confirm("C:\\b.exe");
        EXPECT_EQ(r.choice.armed, 0);
        EXPECT_FALSE(r.player.play().failed());
        EXPECT_TRUE(r.media.calls.empty());

        r.confirm("C:\\a.mp3");
        EXPECT_FALSE(r.player.play().failed());
        r.choice.request(other, kProgramPattern);
        r.choice.confirm("C:\\c.exe");
        r.media.calls.clear();
        EXPECT_FALSE(r.player.play().failed()); // still playing: not armed
        r.player.stop();
        EXPECT_FALSE(r.player.play().failed());
        EXPECT_EQ(r.media.calls, (std::vector<std::string>{"stop", "file C:\\a.mp3", "play"}));
    }
}

TEST(Mp3PlayerTest, SkipsFiveSeconds) {
    struct Case {
        double at;
        bool forward;
        std::vector<std::string> calls;
    } cases[] = {
        {4.5, false, {}},
        {5.0, false, {}},
        {7.0, false, {"seek 20"}},
        {0.0, true, {"seek 50"}},
        {28.0, true, {"seek 330"}}, // no upper limit from the bar
    };
    for (const auto& c : cases) {
        PlayerRig r;
        r.media.position = c.at;
        c.forward ? r.player.fastForward() : r.player.rewind();
        EXPECT_EQ(r.media.calls, c.calls) << c.at;
    }
}

TEST(Mp3PlayerTest, RefreshAndSlidersPassValuesOn) {
    PlayerRig r;
    r.confirm("C:\\a.mp3");
    r.player.play();
    r.media.position = 12.5;
    r.player.refreshPosition();
    EXPECT_EQ(r.media.value, 12.5f);
    r.media.calls.clear();
    r.player.volumeChanged(-2500);
    r.player.balanceChanged(5000);
    EXPECT_EQ(r.media.calls, (std::vector<std::string>{"volume -2500", "balance 5000"}));
}

} // namespace
} // namespace tessel
