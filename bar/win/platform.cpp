#include "bar/win/platform.h"

#include "common/win/scoped.h"

#include <vector>

namespace tessel::win {

using namespace zt;

std::string programFolder() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : s.substr(0, slash);
}

RunError readTextFile(const std::string& path, const char* shownName, std::string& text) {
    ScopedKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        DWORD err = GetLastError();
        ErrorNumber n = err == ERROR_PATH_NOT_FOUND ? ErrorNumber::PathNotFound
                                                    : ErrorNumber::FileNotFound;
        return RunError::at(n, path.empty() ? shownName : path);
    }
    text.clear();
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buf, sizeof buf, &got, nullptr) && got > 0)
        text.append(buf, got);
    return {};
}

COLORREF colourValue(int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    if (v & 0x80000000u)
        return GetSysColor(static_cast<int>(v & 0xFF));
    return v & 0xFFFFFFu;
}

RunError startCommand(const std::string& commandLine, int show) {
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        DWORD err = GetLastError();
        ErrorNumber n = err == ERROR_PATH_NOT_FOUND ? ErrorNumber::PathNotFound
                                                    : ErrorNumber::FileNotFound;
        return RunError::at(n, commandLine);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return {};
}

void showErrorReport(HWND owner, const RunError& e) {
    MessageBoxA(owner, e.report().c_str(), "", MB_OK | MB_ICONWARNING);
}

void showErrorReportOnLines(HWND owner, const RunError& e) {
    MessageBoxA(owner, e.reportOnLines().c_str(), "", MB_OK | MB_ICONWARNING);
}

void failAndEnd(HWND owner, const RunError& e) {
    showErrorReport(owner, e);
    ExitProcess(static_cast<UINT>(e.code()));
}

std::string barSetting(const char* key) {
    std::string file = programFolder() + "\\" + kSettingsFile;
    char value[1024] = {};
    GetPrivateProfileStringA(kSettingsSection, key, "", value, sizeof value, file.c_str());
    return value;
}

int screenDpi() {
    ScopedWindowDc dc(nullptr);
    int dpi = dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

} // namespace tessel::win
