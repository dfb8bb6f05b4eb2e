// Runs the tests, or plays the second process of the soak when started as
// "PROGRAM --probe updater".
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
        return 2;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
