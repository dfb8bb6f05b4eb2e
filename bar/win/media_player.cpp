#include "bar/win/media_player.h"
#include "bar/win/sound_library.h"

#include "bar/audio_gain.h"
#include "common/win/platform_function.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tessel::win {

namespace {
constexpr char kMidiAlias[] = "tesselmidi";
// Eight tenths of a second queued: enough to ride out a busy machine, short
// enough that the sliders act soon.
constexpr int kBuffers = 8;
constexpr int kBuffersPerSecond = 10; 
// The output signals each finished buffer; the timeout only bounds how long
// a stop waits.
constexpr DWORD kWakeMs = 100;
constexpr DWORD kJoinMs = 5000;

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

RunError noDevice(const char* what) {
    return RunError(ErrorNumber::DeviceUnavailable,
                    std::string(errorText(ErrorNumber::DeviceUnavailable)) + " (" + what + ")");
}
} // namespace

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

RunError MediaPlayer::setFileName(const std::string& path) {
    halt();
    closeMidi();
    source_.reset();
    path_ = path;
    startSeconds_ = stoppedAt_ = 0;
    playedFrames_ = 0;
    std::vector<uint8_t> bytes;
    if (RunError e = readWholeFile(path, bytes))
        return e;
    const MediaKind kind = mediaKindOf(bytes.data(), bytes.size(), path);
    if (kind == MediaKind::Midi) {
        if (RunError e = midiCommand("open \"" + path + "\" type sequencer alias " + kMidiAlias))
            return e;
        midi_ = true;
        midiCommand(std::string("set ") + kMidiAlias + " time format milliseconds");
    } else if (RunError e = openPcmSource(path, std::move(bytes), kind, source_)) {
        return e;
    }
    if (notify_)
        PostMessageA(notify_, readyMessage_, 4, 0);
    return {};
}

double MediaPlayer::duration() const {
    if (midi_) {
        std::string ms;
        return midiCommand(std::string("status ") + kMidiAlias + " length", &ms) ? 0
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
    return running_;
}

double MediaPlayer::currentPosition() const {
    if (midi_) {
        std::string ms;
        return midiCommand(std::string("status ") + kMidiAlias + " position", &ms)
                   ? 0
                   : atof(ms.c_str()) / 1000;
    }
    if (!source_)
        return 0;
    if (!thread_)
        return stoppedAt_;
    return std::min(duration(), startSeconds_ + double(playedFrames_) / source_->sampleRate());
}

RunError MediaPlayer::play() {
    if (midi_) {
        if (RunError e = midiCommand(std::string("play ") + kMidiAlias))
            return e;
        return {};
    }
    if (!source_ || running_)
        return {};
    halt(); // a run that reached the end
    // Play after the end starts the file again.
    const double from = stoppedAt_ >= duration() ? 0 : stoppedAt_;
    startSeconds_ = source_->seek(from);
    playedFrames_ = 0;

    wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!wake_)
        return noDevice("no event for the sound output");
    quit_ = false;
    running_ = true;
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
    if (!thread_) {
        running_ = false;
        CloseHandle(wake_);
        wake_ = nullptr;
        return noDevice("no playback thread");
    }
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
    const double at = running_ ? currentPosition() : duration();
    quit_ = true;
    SetEvent(wake_);
    if (WaitForSingleObject(thread_, kJoinMs) != WAIT_OBJECT_0) {
        // A sound driver that never returns: leave the thread its handles
        // rather than pull them from under it.
        CloseHandle(thread_);
        thread_ = nullptr;
        out_ = nullptr;
        wake_ = nullptr;
        running_ = false;
        stoppedAt_ = at;
        return;
    }
    CloseHandle(thread_);
    thread_ = nullptr;
    if (out_)
        soundLibrary().waveOutClose(out_);
    out_ = nullptr;
    CloseHandle(wake_);
    wake_ = nullptr;
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
    const bool was = running_;
    halt();
    stoppedAt_ = std::clamp(seconds, 0.0, duration());
    // Past the end the file has simply finished.
    if (was && stoppedAt_ < duration())
        play();
}

DWORD WINAPI MediaPlayer::threadMain(void* self) {
    static_cast<MediaPlayer*>(self)->run();
    return 0;
}

// The first opening of the sound output in a process can take seconds (the
// audio system starts then): it happens here, never on the bar's thread.
bool MediaPlayer::openOutput() {
    WAVEFORMATEX f = {};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = WORD(source_->channels());
    f.nSamplesPerSec = DWORD(source_->sampleRate());
    f.wBitsPerSample = 16;
    f.nBlockAlign = WORD(f.nChannels * 2);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    const SoundLibrary& sound = soundLibrary();
    if (!sound.waveOut())
        return false;
    HWAVEOUT out = nullptr;
    if (sound.waveOutOpen(&out, WAVE_MAPPER, &f, DWORD_PTR(wake_), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR)
        return false;
    out_ = out;
    return true;
}

void MediaPlayer::run() {
    if (!openOutput()) {
        running_ = false;
        if (notify_)
            PostMessageA(notify_, failedMessage_, 0, 0);
        return;
    }
    // Named only now: under wine the sound system's own threads, started by
    // the first opening, would inherit the name and pass for ours.
    nameThisThread();
    const SoundLibrary& sound = soundLibrary();
    const int channels = source_->channels();
    const size_t frames = size_t(std::max(1, source_->sampleRate() / kBuffersPerSecond));
    std::vector<int16_t> data[kBuffers];
    WAVEHDR hdr[kBuffers] = {};
    bool queued[kBuffers] = {};
    bool atEnd = false;
    int64_t written = 0;

    auto fill = [&](int i) {
        const size_t n = source_->read(data[i].data(), frames);
        if (n == 0) {
            atEnd = true;
            return;
        }
        applyGain(data[i].data(), n, channels, channelGain(volume_, balance_));
        hdr[i] = {};
        hdr[i].lpData = reinterpret_cast<LPSTR>(data[i].data());
        hdr[i].dwBufferLength = DWORD(n * size_t(channels) * 2);
        if (sound.waveOutPrepareHeader(out_, &hdr[i], sizeof hdr[i]) != MMSYSERR_NOERROR)
            return;
        if (sound.waveOutWrite(out_, &hdr[i], sizeof hdr[i]) != MMSYSERR_NOERROR) {
            sound.waveOutUnprepareHeader(out_, &hdr[i], sizeof hdr[i]);
            atEnd = true;
            return;
        }
        queued[i] = true;
        written += int64_t(n);
    };
    auto position = [&] {
        MMTIME t = {};
        t.wType = TIME_SAMPLES;
        if (sound.waveOutGetPosition(out_, &t, sizeof t) == MMSYSERR_NOERROR &&
            t.wType == TIME_SAMPLES)
            playedFrames_ = std::min<int64_t>(written, t.u.sample);
    };

    for (int i = 0; i < kBuffers; ++i) {
        data[i].resize(frames * size_t(channels));
        if (!atEnd)
            fill(i);
    }
    while (!quit_) {
        WaitForSingleObject(wake_, kWakeMs);
        if (quit_)
            break;
        bool any = false;
        for (int i = 0; i < kBuffers; ++i) {
            if (queued[i] && (hdr[i].dwFlags & WHDR_DONE)) {
                sound.waveOutUnprepareHeader(out_, &hdr[i], sizeof hdr[i]);
                queued[i] = false;
                if (!atEnd)
                    fill(i);
            }
            any = any || queued[i];
        }
        position();
        if (atEnd && !any) {
            playedFrames_ = written;
            break;
        }
    }
    sound.waveOutReset(out_);
    for (int i = 0; i < kBuffers; ++i)
        if (queued[i])
            sound.waveOutUnprepareHeader(out_, &hdr[i], sizeof hdr[i]);
    running_ = false;
}

} // namespace tessel::win
