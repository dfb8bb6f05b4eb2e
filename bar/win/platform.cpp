#include "bar/win/platform.h"

#include "bar/program_editing.h"

#include "common/win/ansi_names.h"
#include "common/win/replacing_file.h"
#include "common/win/scoped.h"

#include <vector>

namespace tessel::win {

using namespace zt;

RunError loadPicture(const std::string& path, ScopedBitmap& into) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return RunError::at(ErrorNumber::FileNotFound, path);
    HANDLE h = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!h)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    into.reset(static_cast<HBITMAP>(h));
    return {};
}

RunError readTextFile(const std::string& path, const char* shownName, std::string& text) {
    ScopedKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return RunError::at(fileErrorNumber(GetLastError()), path.empty() ? shownName : path);
    }
    text.clear();
    char buf[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buf, sizeof buf, &got, nullptr)) {
            // Half a file would read as a shorter, wrong list or skin.
            const DWORD err = GetLastError();
            text.clear();
            return RunError::at(err == ERROR_LOCK_VIOLATION ? ErrorNumber::PermissionDenied
                                                            : ErrorNumber::DeviceIoError,
                                path.empty() ? shownName : path);
        }
        if (got == 0)
            break;
        text.append(buf, got);
    }
    static constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
    if (text.compare(0, 3, kUtf8Mark) == 0) {
        std::string ansi;
        if (!utf8ToAnsiExactly(text.substr(3), ansi)) {
            text.clear();
            return RunError(ErrorNumber::InvalidFileFormat,
                            std::string(errorText(ErrorNumber::InvalidFileFormat)) + " (" +
                                (path.empty() ? shownName : path) +
                                ": saved as UTF-8 with characters outside the system's code "
                                "page; save it in the system's code page)");
        }
        text = std::move(ansi);
    }
    return {};
}

bool reachableProgramFolder(std::string& folder, std::wstring& wide) {
    return zt::reachableProgramFolder(folder, wide);
}

std::string programFolder() {
    std::string folder;
    std::wstring wide;
    if (reachableProgramFolder(folder, wide))
        return folder;
    return zt::programFolder();
}

ErrorNumber fileErrorNumber(DWORD err) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND: return ErrorNumber::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return ErrorNumber::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return ErrorNumber::PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ErrorNumber::DiskFull;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_BAD_FORMAT: return ErrorNumber::InvalidCall;
    default: return ErrorNumber::PathFileAccessError;
    }
}

RunError replaceFile(const std::string& path, const std::string& text, const char* shownName) {
    const DWORD err = replaceFileContents(path, text);
    if (!err)
        return {};
    ErrorNumber n = fileErrorNumber(err);
    // Whatever the cause, the file was there to be replaced or not: "not
    // found" would mislead.
    if (n == ErrorNumber::FileNotFound || n == ErrorNumber::InvalidCall)
        n = ErrorNumber::PathFileAccessError;
    return RunError::at(n, path.empty() ? shownName : path);
}

COLORREF colourValue(int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    if (v & 0x80000000u)
        return GetSysColor(static_cast<int>(v & 0xFF));
    return v & 0xFFFFFFu;
}

RunError startCommand(const std::string& command, int show) {
    const DWORD attrs = GetFileAttributesA(command.c_str());
    const bool namesAFile =
        attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
    const std::string commandLine = commandLineFor(command, namesAFile);
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return RunError::at(fileErrorNumber(GetLastError()), command);
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
