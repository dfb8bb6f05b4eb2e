// Many windows shown and destroyed on several threads with every effect on,
// while a second process keeps changing the settings. The shipped library is
// bound to the threads as the loader binds it, unbound half-way through (it
// must let itself go once its effects are over) and bound again.
#pragma once
#include <windows.h>

namespace fxtest {

struct SoakFigures {
    int threads = 0;
    int windowsPerThread = 0;
    int unbinds = 1;                // spread evenly through each thread's windows
    unsigned long elapsedMs = 0;
    bool bound = false;             // the library was loaded and hooked
    unsigned settingsChanges = 0;   // made by the second process
    long resetsAnswered = 0;        // reset commands of the reloads the windows answered
    bool updaterRan = false;
    long windowsWithLeftovers = 0;  // windows that still had a library property at destruction
    int ownersWithLeftovers = 0;
    long windowsMessagedAfterDestroy = 0; // messages between WM_DESTROY and WM_NCDESTROY
    // The unbinds: whether the library left the process each time and the
    // longest it took after an unbind; the most effect windows still there
    // when it had.
    bool unmappedMidway = false;
    unsigned long unmapMidwayMs = 0;
    int effectWindowsAtUnmap = 0;
    bool unmappedAtEnd = false;
    // GDI objects counted by the program itself (wine answers
    // GetGuiResources with 0): at the start, and each time the library had
    // left. The first half warms wine's own caches (64 cached device
    // contexts with their regions, system brushes), so the second half is
    // measured against the first: a leak grows with the windows.
    unsigned long gdiBefore = 0, gdiMidway = 0, gdiAfter = 0;
    unsigned long windowsBefore = 0, windowsAfter = 0;
    int effectWindowsLeft = 0;      // "VelkShadow" and "FakeMenu" windows added by the soak
    bool finished = false;          // every thread ended in time
};

// `threads` threads of `windowsPerThread` windows each; the second process
// changes the settings every `updaterPeriodMs`; the library is unbound and
// bound again `unbinds` times (half-way when once).
SoakFigures runSoak(int threads, int windowsPerThread, DWORD updaterPeriodMs, int unbinds = 1);
void printSoak(const SoakFigures& f);
// Every figure as it should be. The GDI count is judged only where the soak
// is long enough for wine's caches to have settled in its first half (a few
// dozen windows per thread are not).
bool soakPassed(const SoakFigures& f, bool checkGdi);

// The second process: changes the settings every `periodMs` through the
// library's export until told to stop; its exit code is the number of
// changes it made.
int runUpdater(DWORD periodMs);

// For a look at the effects on screen: an owner, an owned window part way
// through its fade and slide, held still for a few seconds.
int runShowcase();

} // namespace fxtest
