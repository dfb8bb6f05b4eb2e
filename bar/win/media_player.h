// The bar's media component: MP3 and WAV through waveOut on a thread of its
// own, MIDI through the platform's sequencer. Every operation returns at
// once; the sound is made on the playback thread.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "bar/mp3_player.h"
#include "bar/win/pcm_source.h"

#include <atomic>
#include <memory>
#include <string>

namespace tessel::win {

// The playback thread's name, as debuggers and the host's process lists show
// it (at most 15 characters, the longest a Linux thread name can be).
inline constexpr char kPlaybackThreadName[] = "tessel playback";

class MediaPlayer final : public MediaControl {
public:
    // `ready` is posted to `notify` (wParam 4, the ready state "complete")
    // each time a file has been loaded; `failed` when a play found no sound
    // output.
    MediaPlayer(HWND notify, UINT ready, UINT failed = 0)
        : notify_(notify), readyMessage_(ready), failedMessage_(failed) {}
    ~MediaPlayer() override;
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    RunError setFileName(const std::string& path) override;
    RunError play() override;
    void stop() override;
    double duration() const override;
    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    void setVolume(int32_t hundredthsDb) override { volume_ = hundredthsDb; }
    void setBalance(int32_t hundredthsDb) override { balance_ = hundredthsDb; }

    bool playing() const;

private:
    void halt();
    void closeMidi();
    RunError midiCommand(const std::string& command, std::string* answer = nullptr) const;
    static DWORD WINAPI threadMain(void* self);
    void run();
    bool openOutput();

    HWND notify_;
    UINT readyMessage_;
    UINT failedMessage_;
    std::string path_;
    std::unique_ptr<PcmSource> source_;
    bool midi_ = false;

    HANDLE thread_ = nullptr;
    HANDLE wake_ = nullptr;
    HWAVEOUT out_ = nullptr; // opened and used by the playback thread
    std::atomic<bool> quit_{false};
    std::atomic<bool> running_{false};
    std::atomic<int32_t> volume_{0};
    std::atomic<int32_t> balance_{0};
    // Where the current run started and how far it has come, in sample frames.
    std::atomic<int64_t> playedFrames_{0};
    double startSeconds_ = 0;
    double stoppedAt_ = 0;
};

} // namespace tessel::win
