// Runs the tests, or plays the short soak ("PROGRAM --probe soak N") or its
// second process ("PROGRAM --probe updater").
#include "tests/hooklib/win/effects_soak.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "tests/hooklib/win/effects_harness.h"

int main(int argc, char** argv) {
    fxtest::unmanagedWindowsUnderWine();
    if (argc >= 3 && std::strcmp(argv[1], "--probe") == 0)
    {
        if (std::strcmp(argv[2], "showcase") == 0)
            return fxtest::runShowcase();
        if (std::strcmp(argv[2], "updater") == 0)
            return fxtest::runUpdater(argc >= 4 ? static_cast<DWORD>(std::atoi(argv[3])) : 2000);
        if (std::strcmp(argv[2], "soak") == 0 && argc >= 4) {
            // A program of its own: the shipped library is bound here, and
            // the copy linked into the tests never attaches. The settings
            // change every 400 ms: the whole soak may take less than 2 s.
            const fxtest::SoakFigures f = fxtest::runSoak(4, std::atoi(argv[3]), 400);
            fxtest::printSoak(f);
            return fxtest::soakPassed(f, false) ? 0 : 1;
        }
        return 2;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
