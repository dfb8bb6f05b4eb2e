// Runs the tests, or plays the second process of a cross-process test when
// started as "zrv_state_tests --probe NAME".
#include <gtest/gtest.h>

#include <cstring>

int runProbe(const char* name);

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--probe") == 0)
        return runProbe(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
