// The full soak, run by hand (too long for every test run): four threads of
// 2500 windows each (or the first argument), the library unbound once (or
// as often as the second). Prints its figures; exit code 0 when they are good.
#include "tests/hooklib/win/effects_soak.h"

#include <cstdlib>
#include <cstring>

#include "tests/hooklib/win/effects_harness.h"

int main(int argc, char** argv) {
    fxtest::unmanagedWindowsUnderWine();
    if (argc >= 3 && std::strcmp(argv[1], "--probe") == 0)
        return std::strcmp(argv[2], "updater") == 0
                   ? fxtest::runUpdater(argc >= 4 ? static_cast<DWORD>(std::atoi(argv[3])) : 200)
                   : 2;
    const int perThread = argc >= 2 ? std::atoi(argv[1]) : 2500;
    const int unbinds = argc >= 3 ? std::atoi(argv[2]) : 1;
    const fxtest::SoakFigures f =
        fxtest::runSoak(4, perThread > 0 ? perThread : 2500, 200, unbinds > 0 ? unbinds : 1);
    fxtest::printSoak(f);
    return fxtest::soakPassed(f, true) ? 0 : 1;
}
