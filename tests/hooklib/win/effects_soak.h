// Many windows shown and destroyed on several threads with fade and slide on,
// while a second process keeps bumping the settings generation.
#pragma once
#include <windows.h>

namespace fxtest {

struct SoakFigures {
    int threads = 0;
    int windowsPerThread = 0;
    unsigned long elapsedMs = 0;
    unsigned reloads = 0;           // settings reloads this process finished
    long windowsWithLeftovers = 0;  // windows that still had a library property at destruction
    int ownersWithLeftovers = 0;
    bool updaterRan = false;
    unsigned long gdiBefore = 0, gdiAfter = 0, userBefore = 0, userAfter = 0;
    // Top-level windows of the process: wine answers GetGuiResources with 0.
    unsigned long windowsBefore = 0, windowsAfter = 0;
    int effectWindowsLeft = 0;      // "VelkShadow" and "FakeMenu" windows added by the soak
    bool finished = false;          // every thread ended in time
};

// The second process changes the settings generation every `updaterPeriodMs`.
SoakFigures runSoak(int threads, int windowsPerThread, DWORD updaterPeriodMs);
void printSoak(const SoakFigures& f);

// The second process: calls UpdateSetting every `periodMs` until told to stop.
int runUpdater(DWORD periodMs);

// For a look at the effects on screen: an owner, an owned window part way
// through its fade and slide, held still for a few seconds.
int runShowcase();

} // namespace fxtest
