#include "bar/win/sound_library.h"

#include "common/win/platform_function.h"

namespace tessel::win {

namespace {

template <typename Fn> void find(HMODULE m, Fn& into, const char* name) {
    into = zt::platformFunction<Fn>(m, name);
}

SoundLibrary load() {
    SoundLibrary s;
    if (HMODULE m = LoadLibraryA("winmm.dll")) {
        find(m, s.waveOutOpen, "waveOutOpen");
        find(m, s.waveOutClose, "waveOutClose");
        find(m, s.waveOutPrepareHeader, "waveOutPrepareHeader");
        find(m, s.waveOutUnprepareHeader, "waveOutUnprepareHeader");
        find(m, s.waveOutWrite, "waveOutWrite");
        find(m, s.waveOutReset, "waveOutReset");
        find(m, s.waveOutGetPosition, "waveOutGetPosition");
        find(m, s.mciSendStringA, "mciSendStringA");
        find(m, s.mciGetErrorStringA, "mciGetErrorStringA");
    }
    if (HMODULE m = LoadLibraryA("msacm32.dll")) {
        find(m, s.acmStreamOpen, "acmStreamOpen");
        find(m, s.acmStreamClose, "acmStreamClose");
        find(m, s.acmStreamSize, "acmStreamSize");
        find(m, s.acmStreamPrepareHeader, "acmStreamPrepareHeader");
        find(m, s.acmStreamUnprepareHeader, "acmStreamUnprepareHeader");
        find(m, s.acmStreamConvert, "acmStreamConvert");
    }
    return s;
}

} // namespace

bool SoundLibrary::waveOut() const {
    return waveOutOpen && waveOutClose && waveOutPrepareHeader && waveOutUnprepareHeader &&
           waveOutWrite && waveOutReset && waveOutGetPosition;
}

bool SoundLibrary::mci() const {
    return mciSendStringA && mciGetErrorStringA;
}

bool SoundLibrary::acm() const {
    return acmStreamOpen && acmStreamClose && acmStreamSize && acmStreamPrepareHeader &&
           acmStreamUnprepareHeader && acmStreamConvert;
}

const SoundLibrary& soundLibrary() {
    static const SoundLibrary s = load(); // thread-safe first use
    return s;
}

} // namespace tessel::win
