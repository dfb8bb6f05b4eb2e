#include "common/win/ansi_names.h"

#include <vector>

namespace zt {

bool toAnsiExactly(const std::wstring& wide, std::string& ansi) {
    ansi.clear();
    if (wide.empty())
        return true;
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()),
                                      nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy)
        return false;
    ansi.resize(size_t(n));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), &ansi[0], n,
                        nullptr, &lossy);
    return !lossy;
}

bool ansiPathFor(const std::wstring& path, std::string& ansi) {
    if (toAnsiExactly(path, ansi))
        return true;
    const DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n == 0)
        return false;
    std::vector<wchar_t> shortPath(n + 1);
    const DWORD got = GetShortPathNameW(path.c_str(), shortPath.data(), n + 1);
    if (got == 0 || got > n)
        return false;
    return toAnsiExactly(std::wstring(shortPath.data(), got), ansi);
}

bool utf8ToAnsiExactly(const std::string& utf8, std::string& ansi) {
    ansi.clear();
    if (utf8.empty())
        return true;
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()),
                                      nullptr, 0);
    if (n <= 0)
        return false;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), &wide[0], n);
    return toAnsiExactly(wide, ansi);
}

bool reachableProgramFolder(std::string& folder, std::wstring& wide) {
    folder.clear();
    std::vector<wchar_t> path(MAX_PATH);
    DWORD n = 0;
    // Long folder names go beyond MAX_PATH: grow until the name fits.
    while ((n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size() &&
           path.size() < 32768)
        path.resize(path.size() * 2);
    const std::wstring full(path.data(), n);
    const size_t slash = full.find_last_of(L"\\/");
    wide = slash == std::wstring::npos ? std::wstring() : full.substr(0, slash);
    if (wide.empty())
        return true;
    return ansiPathFor(wide, folder);
}

} // namespace zt
