#include "common/win/files.h"

#include "common/win/ansi_names.h"
#include "common/win/replacing_file.h"
#include "common/win/scoped.h"

#include <cstdint>
#include <new>

namespace tessel {

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

namespace {

const std::string& named(const std::string& path, const char* shownName, std::string& scratch) {
    if (!path.empty() || !shownName)
        return path;
    scratch = shownName;
    return scratch;
}

RunError readOpenFile(HANDLE file, std::string& data, size_t maxBytes, const std::string& name) {
    LARGE_INTEGER size = {};
    const bool sized = GetFileSizeEx(file, &size) != FALSE;
    if ((!sized && maxBytes != kAnySize) || uint64_t(size.QuadPart) > maxBytes)
        return RunError::at(ErrorNumber::InvalidFileFormat, name);
    if (sized)
        data.reserve(static_cast<size_t>(size.QuadPart));
    char buf[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buf, sizeof buf, &got, nullptr)) {
            const DWORD err = GetLastError();
            data.clear();
            return RunError::at(err == ERROR_LOCK_VIOLATION ? ErrorNumber::PermissionDenied
                                                            : ErrorNumber::DeviceIoError,
                                name);
        }
        if (got == 0)
            return {};
        if (data.size() + got > maxBytes) { // grown since it was measured
            data.clear();
            return RunError::at(ErrorNumber::InvalidFileFormat, name);
        }
        data.append(buf, got);
    }
}

} // namespace

RunError readWholeFile(const std::string& path, std::string& data, size_t maxBytes,
                       const char* shownName) {
    std::string scratch;
    const std::string& name = named(path, shownName, scratch);
    data.clear();
    zt::ScopedFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return RunError::at(fileErrorNumber(GetLastError()), name);
    try {
        return readOpenFile(file.get(), data, maxBytes, name);
    } catch (const std::bad_alloc&) {
        data.clear();
        return RunError::at(ErrorNumber::OutOfMemory, name);
    }
}

RunError readTextFile(const std::string& path, std::string& text, const char* shownName,
                      size_t maxBytes) {
    if (RunError e = readWholeFile(path, text, maxBytes, shownName); e.failed())
        return e;
    static constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
    if (text.compare(0, 3, kUtf8Mark) != 0)
        return {};
    std::string ansi;
    if (!zt::utf8ToAnsiExactly(text.substr(3), ansi)) {
        text.clear();
        std::string scratch;
        return RunError(ErrorNumber::InvalidFileFormat,
                        std::string(errorText(ErrorNumber::InvalidFileFormat)) + " (" +
                            named(path, shownName, scratch) +
                            ": saved as UTF-8 with characters outside the system's code "
                            "page; save it in the system's code page)");
    }
    text = std::move(ansi);
    return {};
}

RunError replaceFile(const std::string& path, const std::string& text, const char* shownName) {
    const DWORD err = zt::replaceFileContents(path, text);
    if (!err)
        return {};
    ErrorNumber n = fileErrorNumber(err);
    // Whatever the cause, the file was there to be replaced or not: "not
    // found" would mislead.
    if (n == ErrorNumber::FileNotFound || n == ErrorNumber::InvalidCall)
        n = ErrorNumber::PathFileAccessError;
    std::string scratch;
    return RunError::at(n, named(path, shownName, scratch));
}

} // namespace tessel
