// A test suite whose tests share one tone MP3, made with lame once for the
// suite; every test skips when lame could not make it.
#pragma once
#include "tests/bar/win/sound_fixture.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel::test {

template <int Seconds>
class ToneMp3Suite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        tone_ = zt::test::inExeDir("tone_" + std::to_string(Seconds) + "s.mp3");
        haveTone_ = makeToneMp3(tone_, Seconds, 440);
    }
    static void TearDownTestSuite() { zt::test::deleteFile(tone_); }
    void SetUp() override {
        if (!haveTone_)
            GTEST_SKIP() << "lame could not make the test tone";
    }
    static inline std::string tone_;
    static inline bool haveTone_ = false;
};

} // namespace tessel::test
