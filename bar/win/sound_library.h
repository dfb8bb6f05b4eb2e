// The platform's sound output and codec libraries (winmm and msacm32), loaded
// at their first use rather than when the bar starts: a bar that never plays
// keeps them, and what they load in turn, out of its memory.
#pragma once
// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>
// clang-format on

namespace tessel::win {

struct SoundLibrary {
    decltype(&::waveOutOpen) waveOutOpen = nullptr;
    decltype(&::waveOutClose) waveOutClose = nullptr;
    decltype(&::waveOutPrepareHeader) waveOutPrepareHeader = nullptr;
    decltype(&::waveOutUnprepareHeader) waveOutUnprepareHeader = nullptr;
    decltype(&::waveOutWrite) waveOutWrite = nullptr;
    decltype(&::waveOutReset) waveOutReset = nullptr;
    decltype(&::waveOutGetPosition) waveOutGetPosition = nullptr;
    decltype(&::mciSendStringA) mciSendStringA = nullptr;
    decltype(&::mciGetErrorStringA) mciGetErrorStringA = nullptr;
    decltype(&::acmStreamOpen) acmStreamOpen = nullptr;
    decltype(&::acmStreamClose) acmStreamClose = nullptr;
    decltype(&::acmStreamSize) acmStreamSize = nullptr;
    decltype(&::acmStreamPrepareHeader) acmStreamPrepareHeader = nullptr;
    decltype(&::acmStreamUnprepareHeader) acmStreamUnprepareHeader = nullptr;
    decltype(&::acmStreamConvert) acmStreamConvert = nullptr;

    // Whether each group is there in full.
    bool waveOut() const;
    bool mci() const;
    bool acm() const;
};

// Loaded on the first call (from any thread); the libraries stay loaded for
// the life of the program. Entries are null where a library or a function is
// missing.
const SoundLibrary& soundLibrary();

} // namespace tessel::win
