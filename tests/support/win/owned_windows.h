// The windows a test made: those still alive are destroyed when the test
// ends, then their last messages dispatched, so a failed assertion leaves
// no window behind for the next test.
#pragma once
#include <windows.h>

#include "tests/support/win/test_support.h"

#include <vector>

namespace zt::test {

class OwnedWindows {
public:
    OwnedWindows() = default;
    ~OwnedWindows() {
        if (!windows_.empty())
            destroyAll();
    }
    OwnedWindows(const OwnedWindows&) = delete;
    OwnedWindows& operator=(const OwnedWindows&) = delete;

    HWND add(HWND wnd) {
        windows_.push_back(wnd);
        return wnd;
    }
    void destroyAll() {
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        windows_.clear();
        pumpMessages(20);
    }

private:
    std::vector<HWND> windows_;
};

} // namespace zt::test
