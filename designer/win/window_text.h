// The text of a window or control, whole.
#pragma once
#include <windows.h>

#include <string>

namespace tessel::designer::win {

inline std::string windowText(HWND wnd) {
    int n = GetWindowTextLengthA(wnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(wnd, &s[0], n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

} // namespace tessel::designer::win
