// What the player's tests need to hear the bar: tone files made at test time
// (a WAV written here, encoded to MP3 by lame), recordings of the sound
// server's null sink (parec), and levels and pitch measured in them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessel::test {

// A host program's view of a file under wine ("Z:\..." or a drive path).
std::string unixPath(const std::string& windowsPath);

// A sound server the tests can record from (the test script starts one).
bool soundAvailable();

// 16-bit stereo sine at 44100 Hz; `leftOnly` leaves the right channel silent.
void writeToneWav(const std::string& path, double seconds, double hz, bool leftOnly = false);
// The same tone encoded at 128 kbit/s; false when lame is missing or failed.
bool makeToneMp3(const std::string& path, double seconds, double hz);

// Starts a shell script on the host, written to `name` in the test's folder.
bool startHostScript(const std::string& name, const std::string& script);

// Records the null sink's monitor for a fixed time, from start() on.
class Recording {
public:
    explicit Recording(std::string file);
    ~Recording();
    bool start(double seconds);
    // Waits for the end and reads the samples (interleaved stereo, 44100 Hz).
    bool finish();
    const std::vector<int16_t>& samples() const { return samples_; }

private:
    std::string file_;
    std::vector<int16_t> samples_;
};

inline constexpr int kRate = 44100;

struct Levels {
    double left = -200, right = -200; // RMS in dB of full scale
};
// Over [from, to) seconds of a recording, as the median of short pieces.
Levels levelsIn(const std::vector<int16_t>& s, double from, double to);
// Left-channel pitch from its zero crossings (median period).
double pitchIn(const std::vector<int16_t>& s, double from, double to);
// First moment (seconds) at which either channel rises above `db`; -1 if never.
double onset(const std::vector<int16_t>& s, double db = -40, double after = 0);

} // namespace tessel::test

namespace tessel::test {

// One state of what should be heard: each channel's level in dB (anything
// at or below -70 means silence), and the tolerance.
struct Heard {
    const char* name;
    double left, right, tolerance;
};
// True when the states are heard in this order after `from` seconds, each
// for at least `minSeconds` without a break; `trace` gets the levels of each
// tenth of a second for a failure message. Independent of how far the sound
// server's buffers put the sound behind the player's own position.
bool heardInOrder(const std::vector<int16_t>& s, double from, const std::vector<Heard>& states,
                  double minSeconds, std::string* trace);

} // namespace tessel::test
