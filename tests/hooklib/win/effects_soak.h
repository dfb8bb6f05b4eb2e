// Many windows shown and destroyed on several threads with fade and slide on,
// while a second process keeps bumping the settings generation.
#pragma once

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
    bool finished = false;          // every thread ended in time
};

SoakFigures runSoak(int threads, int windowsPerThread);
void printSoak(const SoakFigures& f);

// The second process: calls UpdateSetting every 50 ms until told to stop.
int runUpdater();

} // namespace fxtest
