// What the effect tests and the robustness tests share: the library attached
// to this program with its hooks on the test thread, settings files of the
// test's own, and the recording windows a test makes, destroyed as it ends.
#pragma once
#include <windows.h>

#include "tests/hooklib/win/effects_harness.h"
#include "tests/support/win/owned_windows.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

namespace fxtest {

constexpr DWORD kCaptioned = WS_OVERLAPPEDWINDOW;

inline bool isLayered(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

class EffectsFixture : public ::testing::Test {
protected:
    // A test's own settings go in after this, then are loaded.
    void SetUp() override { attachOnce(); }
    void TearDown() override { windows_.destroyAll(); }
    static void set(const char* key, const char* value) {
        zt::test::writeIni("Zirvane.ini", "GLOBAL", key, value);
    }
    HWND recordingWindow(DWORD style, DWORD ex, int x, int y, int w, int h,
                         HWND owner = nullptr) {
        return windows_.add(makeWindow(style, ex, x, y, w, h, owner));
    }

    zt::test::ScopedSettingsFiles files_;
    ThreadHooks hooks_;
    zt::test::OwnedWindows windows_;
};

} // namespace fxtest
