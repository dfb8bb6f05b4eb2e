// The bar's media component: MP3 and WAV through waveOut on a thread of its
// own, MIDI through the platform's sequencer. Every operation returns at
// once; the sound is made on the playback thread.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "bar/mp3_player.h"
#include "bar/win/pcm_source.h"
#include "common/win/scoped.h"

#include <memory>
#include <string>

namespace tessel::win {

// The playback thread's name, as debuggers and the host's process lists show
// it (at most 15 characters, the longest a Linux thread name can be).
inline constexpr char kPlaybackThreadName[] = "tessel playback";

// Starts the platform's sound system on a thread of its own and returns at
// once: its first start in a process takes a large part of a second, which
// the first Play would otherwise wait for. Called when the player's browser
// opens; later calls do nothing.
void prepareSoundOutput();

// Everything one run of the playback thread touches. The thread holds its
// own reference, so a stop that gives up waiting for a thread stuck in a
// sound driver leaves it a whole, live run to finish with; the player starts
// afresh with a source of its own.
struct PlaybackRun;

class MediaPlayer final : public MediaControl {
public:
    // `ready` is posted to `notify` (wParam 4, the ready state "complete")
    // each time a file has been loaded; `failed` when a play found no sound
    // output. A stop waits `joinMs` for the playback thread to end.
    MediaPlayer(HWND notify, UINT ready, UINT failed = 0, DWORD joinMs = 5000)
        : notify_(notify), readyMessage_(ready), failedMessage_(failed), joinMs_(joinMs) {}
    ~MediaPlayer() override;
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    RunError setFileName(const std::string& path) override;
    RunError play() override;
    void stop() override;
    double duration() const override;
    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    void setVolume(int32_t hundredthsDb) override;
    void setBalance(int32_t hundredthsDb) override;

    bool playing() const;
    // Plays from `source` instead of a file (tests): it stands for the file
    // that was loaded last.
    void useSource(std::shared_ptr<PcmSource> source);

private:
    RunError load(const std::string& path);
    RunError startRun();
    void halt();
    void closeMidi();
    RunError midiCommand(const std::string& command, std::string* answer = nullptr) const;

    HWND notify_;
    UINT readyMessage_;
    UINT failedMessage_;
    DWORD joinMs_;
    std::string path_;
    std::shared_ptr<PcmSource> source_;
    bool midi_ = false;

    zt::ScopedKernelHandle thread_;
    std::shared_ptr<PlaybackRun> run_;
    int32_t volume_ = 0;
    int32_t balance_ = 0;
    double startSeconds_ = 0;
    double stoppedAt_ = 0;
};

} // namespace tessel::win
