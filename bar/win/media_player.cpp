#include "bar/win/media_player.h"
#include "bar/win/sound_library.h"

#include "bar/audio_gain.h"
#include "common/win/platform_function.h"

#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace tessel::win {

namespace {
constexpr char kMidiAlias[] = "tesselmidi";
// Eight buffers of a tenth of a second queued: enough to ride out a busy
// machine, short enough that the sliders act soon.
constexpr int kBuffersPerSecond = 10;
// The output signals each finished buffer; the timeout only bounds how long
// a stop waits.
constexpr DWORD kWakeMs = 100;

// Names the calling thread where the system can (Windows 10 and later, and
// wine, which passes the name on to the host).
void nameThisThread() {
    using SetDescriptionFn = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    static const auto set = zt::platformFunction<SetDescriptionFn>(
        GetModuleHandleA("kernel32.dll"), "SetThreadDescription");
    if (!set)
        return;
    wchar_t name[sizeof kPlaybackThreadName];
    for (size_t i = 0; i < sizeof kPlaybackThreadName; ++i)
        name[i] = wchar_t(kPlaybackThreadName[i]);
    set(GetCurrentThread(), name);
}

RunError outOfMemory(const std::string& path) {
    return RunError::at(ErrorNumber::OutOfMemory, path);
}

RunError noDevice(const char* what) {
    return RunError(ErrorNumber::DeviceUnavailable,
                    std::string(errorText(ErrorNumber::DeviceUnavailable)) + " (" + what + ")");
}
} // namespace

struct PlaybackRun {
    std::shared_ptr<PcmSource> source;
    zt::ScopedKernelHandle wake; // signalled by the output for each finished buffer
    HWND notify = nullptr;
    UINT failedMessage = 0;
    std::atomic<bool> quit{false};
    std::atomic<bool> running{true};
    std::atomic<int32_t> volume{0};
    std::atomic<int32_t> balance{0};
    // How far this run has come, in sample frames.
    std::atomic<int64_t> playedFrames{0};

    PlaybackRun() = default;
    PlaybackRun(const PlaybackRun&) = delete;
    PlaybackRun& operator=(const PlaybackRun&) = delete;
};

namespace {

// The output device and its queued buffers, owned by the playback thread:
// however the run ends, the buffers are taken back and the device closed
// there, never from another thread.
class Output {
public:
    static constexpr int kBuffers = 8;

    explicit Output(PlaybackRun& run) : run_(run), sound_(soundLibrary()) {}
    ~Output() {
        if (!out_)
            return;
        sound_.waveOutReset(out_);
        for (int i = 0; i < kBuffers; ++i)
            if (queued_[i])
                sound_.waveOutUnprepareHeader(out_, &hdr_[i], sizeof hdr_[i]);
        sound_.waveOutClose(out_);
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // The first opening of the sound output in a process can take seconds
    // (the audio system starts then): it happens here, never on the bar's
    // thread.
    bool open() {
        const PcmSource& src = *run_.source;
        WAVEFORMATEX f = {};
        f.wFormatTag = WAVE_FORMAT_PCM;
        f.nChannels = WORD(src.channels());
        f.nSamplesPerSec = DWORD(src.sampleRate());
        f.wBitsPerSample = 16;
        f.nBlockAlign = WORD(f.nChannels * 2);
        f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
        if (!sound_.waveOut())
            return false;
        HWAVEOUT out = nullptr;
        const DWORD_PTR wake = DWORD_PTR(run_.wake.get());
        if (sound_.waveOutOpen(&out, WAVE_MAPPER, &f, wake, 0, CALLBACK_EVENT) != MMSYSERR_NOERROR)
            return false;
        out_ = out;
        return true;
    }

    void play() {
        PcmSource& src = *run_.source;
        const int channels = src.channels();
        const size_t frames = size_t(std::max(1, src.sampleRate() / kBuffersPerSecond));
        for (auto& d : data_)
            d.resize(frames * size_t(channels));
        for (int i = 0; i < kBuffers && !atEnd_; ++i)
            fill(i, frames);
        while (!run_.quit) {
            WaitForSingleObject(run_.wake.get(), kWakeMs);
            if (run_.quit)
                break;
            bool any = false;
            for (int i = 0; i < kBuffers; ++i) {
                if (queued_[i] && (hdr_[i].dwFlags & WHDR_DONE)) {
                    sound_.waveOutUnprepareHeader(out_, &hdr_[i], sizeof hdr_[i]);
                    queued_[i] = false;
                    if (!atEnd_)
                        fill(i, frames);
                }
                any = any || queued_[i];
            }
            position();
            if (atEnd_ && !any) {
                run_.playedFrames = written_;
                break;
            }
        }
    }

private:
    void fill(int i, size_t frames) {
        PcmSource& src = *run_.source;
        const int channels = src.channels();
        const size_t n = src.read(data_[i].data(), frames);
        if (n == 0) {
            atEnd_ = true;
            return;
        }
        applyGain(data_[i].data(), n, channels, channelGain(run_.volume, run_.balance));
        hdr_[i] = {};
        hdr_[i].lpData = reinterpret_cast<LPSTR>(data_[i].data());
        hdr_[i].dwBufferLength = DWORD(n * size_t(channels) * 2);
        if (sound_.waveOutPrepareHeader(out_, &hdr_[i], sizeof hdr_[i]) != MMSYSERR_NOERROR)
            return;
        if (sound_.waveOutWrite(out_, &hdr_[i], sizeof hdr_[i]) != MMSYSERR_NOERROR) {
            sound_.waveOutUnprepareHeader(out_, &hdr_[i], sizeof hdr_[i]);
            atEnd_ = true;
            return;
        }
        queued_[i] = true;
        written_ += int64_t(n);
    }

    void position() {
        MMTIME t = {};
        t.wType = TIME_SAMPLES;
        if (sound_.waveOutGetPosition(out_, &t, sizeof t) == MMSYSERR_NOERROR &&
            t.wType == TIME_SAMPLES)
            run_.playedFrames = std::min<int64_t>(written_, t.u.sample);
    }

    PlaybackRun& run_;
    const SoundLibrary& sound_;
    HWAVEOUT out_ = nullptr;
    std::vector<int16_t> data_[kBuffers];
    WAVEHDR hdr_[kBuffers] = {};
    bool queued_[kBuffers] = {};
    bool atEnd_ = false;
    int64_t written_ = 0;
};

void playRun(PlaybackRun& run) {
    Output out(run);
    if (!out.open()) {
        if (run.notify)
            PostMessageA(run.notify, run.failedMessage, 0, 0);
        return;
    }
    // Named only now: under wine the sound system's own threads, started by
    // the first opening, would inherit the name and pass for ours.
    nameThisThread();
    out.play();
}

DWORD WINAPI runMain(void* param) {
    // The thread's own reference: the run lives as long as the thread uses it.
    std::shared_ptr<PlaybackRun> run = std::move(*static_cast<std::shared_ptr<PlaybackRun>*>(param));
    delete static_cast<std::shared_ptr<PlaybackRun>*>(param);
    try {
        playRun(*run);
    } catch (...) {
        // A failed allocation ends the run, not the bar.
    }
    run->running = false;
    return 0;
}

} // namespace

namespace {
DWORD WINAPI prepareMain(void*) {
    const SoundLibrary& sound = soundLibrary();
    if (!sound.waveOut())
        return 0;
    // A device opened and closed again, nothing written: no sound is made.
    WAVEFORMATEX f = {};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = 44100;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = 44100 * 4;
    HWAVEOUT out = nullptr;
    if (sound.waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR)
        sound.waveOutClose(out);
    return 0;
}
} // namespace

void prepareSoundOutput() {
    static std::atomic<bool> started{false};
    if (started.exchange(true))
        return;
    // Closed at once: the thread runs on its own.
    zt::ScopedKernelHandle thread(CreateThread(nullptr, 0, prepareMain, nullptr, 0, nullptr));
}

MediaPlayer::~MediaPlayer() {
    halt();
    closeMidi();
}

RunError MediaPlayer::midiCommand(const std::string& command, std::string* answer) const {
    const SoundLibrary& sound = soundLibrary();
    if (!sound.mci())
        return RunError(ErrorNumber::DeviceUnavailable,
                        "No MIDI sequencer can play the file (" + path_ +
                            ": the system's multimedia library is missing)");
    char text[128] = {};
    const MCIERROR e = sound.mciSendStringA(command.c_str(), text, sizeof text, nullptr);
    if (answer)
        *answer = text;
    if (e == 0)
        return {};
    char why[256] = {};
    sound.mciGetErrorStringA(e, why, sizeof why);
    return RunError(ErrorNumber::DeviceUnavailable,
                    std::string("No MIDI sequencer can play the file (") + path_ + ": " + why + ")");
}

void MediaPlayer::closeMidi() {
    if (midi_) // opened through the library, so it is loaded
        soundLibrary().mciSendStringA((std::string("close ") + kMidiAlias).c_str(), nullptr, 0,
                                      nullptr);
    midi_ = false;
}

RunError MediaPlayer::load(const std::string& path) {
    std::shared_ptr<const MappedFile> file;
    if (RunError e = MappedFile::open(path, file); e.failed())
        return e;
    const MediaKind kind = mediaKindOf(file->data(), file->size(), path);
    if (kind == MediaKind::Midi) {
        const std::string open = "open \"" + path + "\" type sequencer alias " + kMidiAlias;
        if (RunError e = midiCommand(open); e.failed())
            return e;
        midi_ = true;
        midiCommand(std::string("set ") + kMidiAlias + " time format milliseconds");
        return {};
    }
    std::unique_ptr<PcmSource> source;
    if (RunError e = openPcmSource(path, std::move(file), kind, source); e.failed())
        return e;
    source_ = std::move(source);
    return {};
}

RunError MediaPlayer::setFileName(const std::string& path) {
    halt();
    closeMidi();
    source_.reset();
    path_ = path;
    startSeconds_ = stoppedAt_ = 0;
    try {
        if (RunError e = load(path); e.failed())
            return e;
    } catch (const std::bad_alloc&) {
        source_.reset();
        return outOfMemory(path);
    }
    if (notify_)
        PostMessageA(notify_, readyMessage_, 4, 0);
    return {};
}

void MediaPlayer::useSource(std::shared_ptr<PcmSource> source) {
    halt();
    closeMidi();
    path_.clear();
    source_ = std::move(source);
    startSeconds_ = stoppedAt_ = 0;
}

double MediaPlayer::duration() const {
    if (midi_) {
        std::string ms;
        return midiCommand(std::string("status ") + kMidiAlias + " length", &ms).failed()
                   ? 0
                   : atof(ms.c_str()) / 1000;
    }
    return source_ ? source_->duration() : 0;
}

bool MediaPlayer::playing() const {
    if (midi_) {
        std::string mode;
        midiCommand(std::string("status ") + kMidiAlias + " mode", &mode);
        return mode == "playing";
    }
    return run_ && run_->running;
}

double MediaPlayer::currentPosition() const {
    if (midi_) {
        std::string ms;
        return midiCommand(std::string("status ") + kMidiAlias + " position", &ms).failed()
                   ? 0
                   : atof(ms.c_str()) / 1000;
    }
    if (!source_)
        return 0;
    if (!run_)
        return stoppedAt_;
    return std::min(duration(), startSeconds_ + double(run_->playedFrames) / source_->sampleRate());
}

void MediaPlayer::setVolume(int32_t hundredthsDb) {
    volume_ = hundredthsDb;
    if (run_)
        run_->volume = hundredthsDb;
}

void MediaPlayer::setBalance(int32_t hundredthsDb) {
    balance_ = hundredthsDb;
    if (run_)
        run_->balance = hundredthsDb;
}

RunError MediaPlayer::play() {
    if (midi_) {
        if (RunError e = midiCommand(std::string("play ") + kMidiAlias); e.failed())
            return e;
        return {};
    }
    if (!source_ || playing())
        return {};
    halt(); // a run that reached the end
    try {
        // Play after the end starts the file again.
        const double from = stoppedAt_ >= duration() ? 0 : stoppedAt_;
        startSeconds_ = source_->seek(from);
        return startRun();
    } catch (const std::bad_alloc&) {
        return outOfMemory(path_);
    }
}

RunError MediaPlayer::startRun() {
    auto run = std::make_shared<PlaybackRun>();
    run->source = source_;
    run->notify = notify_;
    run->failedMessage = failedMessage_;
    run->volume = volume_;
    run->balance = balance_;
    run->wake.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!run->wake)
        return noDevice("no event for the sound output");
    auto* handover = new std::shared_ptr<PlaybackRun>(run);
    zt::ScopedKernelHandle thread(CreateThread(nullptr, 0, runMain, handover, 0, nullptr));
    if (!thread) {
        delete handover;
        return noDevice("no playback thread");
    }
    thread_ = std::move(thread);
    run_ = std::move(run);
    return {};
}

void MediaPlayer::stop() {
    if (midi_) {
        midiCommand(std::string("stop ") + kMidiAlias);
        return;
    }
    halt();
}

void MediaPlayer::halt() {
    if (!thread_)
        return;
    // A run that finished by itself ends at the end, whatever the codec's
    // delay left out of the count.
    const double at = run_->running ? currentPosition() : duration();
    run_->quit = true;
    SetEvent(run_->wake.get());
    const bool ended = WaitForSingleObject(thread_.get(), joinMs_) == WAIT_OBJECT_0;
    thread_.reset();
    if (!ended) {
        // A sound driver that does not return: the thread keeps its run (the
        // source, the event and the device are its own and go when it ends);
        // the player takes a fresh source of the same file for what follows.
        run_.reset();
        source_.reset();
        if (!path_.empty()) {
            try {
                load(path_);
            } catch (const std::bad_alloc&) {
                source_.reset();
            }
        }
    }
    run_.reset();
    stoppedAt_ = at;
}

void MediaPlayer::setCurrentPosition(double seconds) {
    if (midi_) {
        const long ms = long(std::clamp(seconds, 0.0, duration()) * 1000);
        const bool was = playing();
        midiCommand(std::string("seek ") + kMidiAlias + " to " + std::to_string(ms));
        if (was)
            midiCommand(std::string("play ") + kMidiAlias);
        return;
    }
    if (!source_)
        return;
    const bool was = playing();
    halt();
    if (!source_)
        return;
    stoppedAt_ = std::clamp(seconds, 0.0, duration());
    // Past the end the file has simply finished.
    if (was && stoppedAt_ < duration())
        play();
}

} // namespace tessel::win
