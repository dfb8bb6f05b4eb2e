// The folder the running program was started from.
#pragma once
#include <windows.h>

#include <string>

namespace zt {

// Without a trailing backslash; empty when the path has no folder part.
inline std::string programFolder() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s(path, n);
    const size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : s.substr(0, slash);
}

} // namespace zt
